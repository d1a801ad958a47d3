#include "ScopedWriteFault.h"

#include <atomic>

namespace {

// Tests drive the window and the writers from one thread; the pointer is atomic only so
// that a stray writer on another thread never sees half a fault.
std::atomic<ScopedWriteFault*> active{nullptr};

} // namespace

ScopedWriteFault::ScopedWriteFault(Step step, int nth, int errorNumber)
    : m_step(step), m_nth(nth), m_errorNumber(errorNumber), m_outer(active.exchange(this)) {}

ScopedWriteFault::~ScopedWriteFault() {
    active.store(m_outer);
}

int ScopedWriteFault::failure(Step step) {
    for (ScopedWriteFault* fault = active.load(); fault; fault = fault->m_outer) {
        if (fault->m_step == step && ++fault->m_reached == fault->m_nth) {
            return fault->m_errorNumber;
        }
    }
    return 0;
}
