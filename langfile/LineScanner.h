#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The blanks that loading trims from lines, names and values: every byte up to the space.
inline bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The first CR or LF at or after pos (and "=" too with AtEquals), or end. Sixteen bytes at a
// time where the processor allows, since this loop touches every byte of a loaded file.
template <bool AtEquals> inline size_t findLineStop(const char* text, size_t pos, size_t end) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i equals = _mm_set1_epi8(AtEquals ? '=' : '\n');
    for (; pos + 16 <= end; pos += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos));
        const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf));
        const int mask = _mm_movemask_epi8(_mm_or_si128(ends, _mm_cmpeq_epi8(chunk, equals)));
        if (mask != 0) {
            return pos + size_t(__builtin_ctz(unsigned(mask)));
        }
    }
#endif
    while (pos < end && text[pos] != '\r' && text[pos] != '\n' && !(AtEquals && text[pos] == '=')) {
        ++pos;
    }
    return pos;
}

// Where a line's first "=" lies (its end when it has none) and where it ends, in one pass.
struct LineStops {
    size_t equals;
    size_t end;
};

inline LineStops findLineStops(const char* text, size_t pos, size_t end) {
    size_t equals = SIZE_MAX;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i eq = _mm_set1_epi8('=');
    for (; pos + 16 <= end; pos += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + pos));
        const unsigned ends =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
        const unsigned eqs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, eq)));
        if (equals == SIZE_MAX && eqs != 0) {
            // Only an "=" before the line's end counts: ends & -ends keeps the first end's bit.
            const unsigned before = ends != 0 ? (ends & (0u - ends)) - 1 : ~0u;
            if ((eqs & before) != 0) {
                equals = pos + size_t(__builtin_ctz(eqs));
            }
        }
        if (ends != 0) {
            const size_t stop = pos + size_t(__builtin_ctz(ends));
            return {equals == SIZE_MAX ? stop : equals, stop};
        }
    }
#endif
    for (; pos < end && text[pos] != '\r' && text[pos] != '\n'; ++pos) {
        if (equals == SIZE_MAX && text[pos] == '=') {
            equals = pos;
        }
    }
    return {equals == SIZE_MAX ? pos : equals, pos};
}

// Where a line ends.
inline size_t findLineEnd(const char* text, size_t pos, size_t end) {
    return findLineStop<false>(text, pos, end);
}

// Where a line's key ends, at its "=" or, in a line without one, where the line ends. Lines are
// read again from their start whenever they are looked at, so this runs on every look-up.
inline size_t findKeyEnd(const char* text, size_t pos, size_t end) {
    return findLineStop<true>(text, pos, end);
}
