#pragma once

// The value of one hexadecimal digit in either case, or invalid for any other character.
constexpr int hexDigitValue(char c, int invalid) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return invalid;
}
