#pragma once

#include <QByteArray>

// Without the bytes up to 32 at either end, as loading trims lines, names and values.
inline QByteArray loadTrimmed(const QByteArray& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') {
        ++begin;
    }
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') {
        --end;
    }
    return text.mid(begin, end - begin);
}
