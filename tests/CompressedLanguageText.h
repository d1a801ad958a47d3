#pragma once

#include <QByteArray>

// A language file's text in the compressed form: the indicator, "1", then a zlib stream.
inline QByteArray compressedLanguageText(const QByteArray& text, const QByteArray& indicator = "TVC") {
    // qCompress puts the length in four bytes in front of the zlib stream.
    return indicator + '1' + qCompress(text).mid(4);
}
