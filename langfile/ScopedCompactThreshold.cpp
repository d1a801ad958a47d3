#include "ScopedCompactThreshold.h"

#include <atomic>

namespace {

// Below this size the storage is never compacted: rewriting it would cost more than it saves.
constexpr qsizetype DefaultThreshold = 1 << 20;

std::atomic<qsizetype> threshold{DefaultThreshold};

} // namespace

ScopedCompactThreshold::ScopedCompactThreshold(qsizetype bytes) : m_previous(threshold.exchange(bytes)) {}

ScopedCompactThreshold::~ScopedCompactThreshold() {
    threshold.store(m_previous);
}

qsizetype ScopedCompactThreshold::current() {
    return threshold.load(std::memory_order_relaxed);
}
