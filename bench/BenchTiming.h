#pragma once

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>

// The timing shared by the benchmarks that compare an operation with a floor in the same run.
namespace BenchTiming {

// Seconds on a clock of clock_gettime.
double seconds(clockid_t clock);

// Minor page faults (first touches of fresh memory) of RUSAGE_SELF or RUSAGE_THREAD.
long minorFaults(int who);

// This thread's CPU time: the machine is shared with compilers, and a disk's wait on flush
// is not the program's work.
double threadSeconds();

// Times work by threadSeconds, untimed first in each iteration, every iteration on fresh heap
// pages. Counters: "ms" (CPU), "realMs" (wall clock), "faults" (minor page faults).
void timed(benchmark::State& state, const std::function<void()>& work, const std::function<void()>& untimed = {});

} // namespace BenchTiming
