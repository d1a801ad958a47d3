#pragma once

#include <benchmark/benchmark.h>

#include <functional>

// The timing shared by the benchmarks that compare an operation with a floor in the same run.
namespace BenchTiming {

// This thread's CPU time: the machine is shared with compilers, and a disk's wait on flush
// is not the program's work.
double threadSeconds();

// Times work by threadSeconds, untimed first in each iteration, every iteration on fresh heap
// pages. Counters: "ms" (CPU), "realMs" (wall clock), "faults" (minor page faults).
void timed(benchmark::State& state, const std::function<void()>& work, const std::function<void()>& untimed = {});

} // namespace BenchTiming
