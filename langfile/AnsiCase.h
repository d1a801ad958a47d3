#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "AnsiUpper.h"

// Case-insensitive hashing and comparison of section names and keys: bytes are
// upper-cased by the ANSI code page, nothing is allocated.
// The look-up and load loops call these once a name: inlined, they cost half as much.
#if defined(__GNUC__)
#define TOLVANE_HOT_INLINE inline __attribute__((always_inline))
#else
#define TOLVANE_HOT_INLINE inline
#endif

namespace AnsiCase {

inline const unsigned char* upperTable() {
    return AnsiUpper::Table.data();
}

// The eight bytes of a word upper-cased exactly, so that only names equal ignoring case hash
// alike. Pure ASCII words, nearly all of them, take the arithmetic path: a byte below 0x80
// plus 0x1F reaches 0x80 from 'a' on, plus 0x05 from '{' on, and neither sum carries.
TOLVANE_HOT_INLINE uint64_t upperWord(uint64_t word) {
    constexpr uint64_t ones = 0x0101010101010101ull;
    constexpr uint64_t high = 0x80 * ones;
    if ((word & high) == 0) {
        const uint64_t lower = (word + 0x1F * ones) & ~(word + 0x05 * ones) & high;
        return word & ~(lower >> 2);
    }
    const unsigned char* upper = upperTable();
    uint64_t result = 0;
    for (int shift = 0; shift < 64; shift += 8) {
        result |= uint64_t(upper[(word >> shift) & 0xFF]) << shift;
    }
    return result;
}

template <class Word> inline Word load(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The last 1 to 7 bytes of a name as one word, read without a call to memcpy; the bytes
// before them in the name may be read again (overlapping loads), never bytes outside it.
TOLVANE_HOT_INLINE uint64_t loadTail(const char* bytes, size_t size, size_t rest) {
    if (size >= 8) {
        return load<uint64_t>(bytes + size - 8) >> (8 * (8 - rest));
    }
    const char* tail = bytes + size - rest;
    if (rest >= 4) {
        return load<uint32_t>(tail) | uint64_t(load<uint32_t>(tail + rest - 4)) << 32;
    }
    return uint64_t(static_cast<unsigned char>(tail[0])) | uint64_t(static_cast<unsigned char>(tail[rest / 2])) << 8 |
           uint64_t(static_cast<unsigned char>(tail[rest - 1])) << 16;
}

// Byte equality of two names of the same size, inline, as names are short.
TOLVANE_HOT_INLINE bool sameBytes(const char* a, const char* b, size_t size) {
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        if (load<uint64_t>(a + i) != load<uint64_t>(b + i)) {
            return false;
        }
    }
    const size_t rest = size - i;
    return rest == 0 || loadTail(a, size, rest) == loadTail(b, size, rest);
}

TOLVANE_HOT_INLINE uint32_t hash(const char* bytes, size_t size) {
    uint64_t h = 0x243F6A8885A308D3ull ^ size;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        h = (h ^ upperWord(load<uint64_t>(bytes + i))) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
    }
    if (i < size) {
        h = (h ^ upperWord(loadTail(bytes, size, size - i))) * 0x9E3779B97F4A7C15ull;
    }
    // Final mix so that the low bits, which pick the slot, depend on every byte.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return static_cast<uint32_t>(h);
}

TOLVANE_HOT_INLINE bool equal(const char* a, size_t aSize, const char* b, size_t bSize) {
    if (aSize != bSize) {
        return false;
    }
    // Names are nearly always looked up in the case they were written in.
    if (sameBytes(a, b, aSize)) {
        return true;
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
