#include "IniIntegerValue.h"

#include "HexDigit.h"

#include <climits>

namespace IniIntegerValue {

int parse(const QByteArray& text, int defaultValue) {
    qsizetype pos = 0;
    bool negative = false;
    int base = 10;
    if (text.startsWith('$')) {
        base = 16;
        pos = 1;
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        pos = 2;
    } else if (text.startsWith('-') || text.startsWith('+')) {
        negative = text[0] == '-';
        pos = 1;
    }
    if (pos == text.size()) {
        return defaultValue;
    }
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hexDigitValue(text[pos], 99);
        if (digit >= base) {
            return defaultValue;
        }
        value = value * base + digit;
        if (value > limit) {
            return defaultValue;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace IniIntegerValue
