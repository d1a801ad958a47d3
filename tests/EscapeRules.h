#pragma once

#include <QByteArray>

// The escape rules of values step by step, with their repeated first-occurrence replacements:
// slow but obviously right, for checking the real ones against.
namespace EscapeRules {

inline QByteArray unescaped(QByteArray text) {
    for (qsizetype at; (at = text.indexOf("%0D%0A")) >= 0;) {
        text.replace(at, 6, "\r\n");
    }
    for (qsizetype at; (at = text.indexOf("%%")) >= 0;) {
        text.remove(at, 1);
    }
    return text;
}

inline QByteArray escaped(QByteArray text) {
    for (qsizetype i = text.size() - 2; i >= 0; --i) {
        if (text[i] == '%' && !QByteArray("12ds").contains(text[i + 1])) {
            text.insert(i, '%');
        }
    }
    for (qsizetype at; (at = text.indexOf("\r\n")) >= 0;) {
        text.replace(at, 2, "%0D%0A");
    }
    return text;
}

} // namespace EscapeRules
