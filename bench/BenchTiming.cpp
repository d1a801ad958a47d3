#include "BenchTiming.h"

#include <ctime>
#include <sys/resource.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace BenchTiming {

double seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

long minorFaults(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_minflt;
}

double threadSeconds() {
    return seconds(CLOCK_THREAD_CPUTIME_ID);
}

void timed(benchmark::State& state, const std::function<void()>& work, const std::function<void()>& untimed) {
    double total = 0;
    double real = 0;
    long faults = 0;
    for (auto _ : state) {
        if (untimed) {
            untimed();
        }
#if defined(__GLIBC__)
        // Free heap memory that earlier work touched would serve the next buffers warm, and
        // how much there is depends on what ran before; handing it back makes every
        // iteration, floor or load, start on fresh pages.
        malloc_trim(0);
#endif
        const long faultsBefore = minorFaults(RUSAGE_THREAD);
        const double realStart = seconds(CLOCK_MONOTONIC);
        const double start = threadSeconds();
        work();
        const double spent = threadSeconds() - start;
        real += seconds(CLOCK_MONOTONIC) - realStart;
        faults += minorFaults(RUSAGE_THREAD) - faultsBefore;
        state.SetIterationTime(spent);
        total += spent;
    }
    const double iterations = double(state.iterations());
    state.counters["ms"] = 1000.0 * total / iterations;
    state.counters["realMs"] = 1000.0 * real / iterations;
    state.counters["faults"] = double(faults) / iterations;
}

} // namespace BenchTiming
