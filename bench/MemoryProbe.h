#pragma once

#include <cstddef>

// Process memory figures for the benchmarks (Linux: /proc/self and glibc's allocator).
namespace MemoryProbe {

// Bytes the allocator has handed out and not yet taken back.
size_t allocatedBytes();
// Resident set size now, and the peak since the last resetPeak().
size_t residentBytes();
size_t peakResidentBytes();
// Returns free heap memory to the system and restarts the peak from the current size.
void resetPeak();

} // namespace MemoryProbe
