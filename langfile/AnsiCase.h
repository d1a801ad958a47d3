#pragma once

#include <cstddef>
#include <cstdint>

// Case-insensitive hashing and comparison of section names and keys: bytes are
// upper-cased by the ANSI code page, nothing is allocated.
namespace AnsiCase {

const unsigned char* upperTable();

inline uint32_t hash(const char* bytes, size_t size) {
    const unsigned char* upper = upperTable();
    // A cheap rotate-and-xor per byte; the final mix below does the scrambling once.
    uint64_t h = 0x243F6A8885A308D3ull ^ size;
    for (size_t i = 0; i < size; ++i) {
        h = ((h << 7) | (h >> 57)) ^ upper[static_cast<unsigned char>(bytes[i])];
    }
    // Final mix so that the low bits, which pick the slot, depend on every byte.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return static_cast<uint32_t>(h);
}

inline bool equal(const char* a, size_t aSize, const char* b, size_t bSize) {
    if (aSize != bSize) {
        return false;
    }
    const unsigned char* upper = upperTable();
    for (size_t i = 0; i < aSize; ++i) {
        if (a[i] != b[i] && upper[static_cast<unsigned char>(a[i])] != upper[static_cast<unsigned char>(b[i])]) {
            return false;
        }
    }
    return true;
}

} // namespace AnsiCase
