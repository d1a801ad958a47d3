#pragma once

#include <QByteArray>

// Integer values of language files: decimal with an optional sign, or hexadecimal after
// "$" or after "0x"/"0X" followed by at least one more character.
namespace IniIntegerValue {

// The default when the text is no integer or does not fit an int.
int parse(const QByteArray& text, int defaultValue);

} // namespace IniIntegerValue
