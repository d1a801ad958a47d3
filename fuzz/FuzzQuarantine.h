#pragma once

// Included by the targets whose executions allocate many small blocks. ASan keeps freed memory
// in a quarantine of 256 MiB by default, so each allocation lands on pages not touched before:
// page faults outweighed the work. One execution frees far less than 16 MiB, so a use after
// free within it is still caught.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
