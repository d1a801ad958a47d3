#pragma once

// Included by every target, once, as the sanitizer's defaults.
//
// quarantine_size_mb: ASan keeps freed memory in a quarantine of 256 MiB by default, so each
// allocation lands on pages not touched before and page faults outweigh the work. One execution
// frees far less than 16 MiB, so a use after free within it is still caught.
//
// malloc_context_size: Qt is built without frame pointers, so the frames above an allocation made
// inside it are whatever its registers held. Each such stack is new to ASan, which keeps every one:
// at the default depth a run grew past 2 GB and slowed to a tenth. One frame keeps the memory flat.
// For the whole stacks of a failing input, run it alone with
// ASAN_OPTIONS=malloc_context_size=30:fast_unwind_on_malloc=0.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16:malloc_context_size=1";
}
