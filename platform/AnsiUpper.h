#pragma once

#include <array>

// Upper-casing of single bytes in the ANSI code page (Windows-1252), fixed at compile time:
// building it from the code page at run time cost a fresh process most of a small file's load.
// A letter whose capital the code page lacks (µ, ß, ƒ) stays as it is.
namespace AnsiUpper {

constexpr std::array<unsigned char, 256> makeTable() {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        int upper = b;
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
            upper = b - 0x20;
        } else if (b == 0x9A || b == 0x9C || b == 0x9E) { // š œ ž
            upper = b - 0x10;
        } else if (b == 0xFF) { // ÿ
            upper = 0x9F;
        }
        table[size_t(b)] = static_cast<unsigned char>(upper);
    }
    return table;
}

inline constexpr std::array<unsigned char, 256> Table = makeTable();

} // namespace AnsiUpper
