#include "CommaText.h"

namespace {

// A NUL ends the line, as it ends a text everywhere else.
bool isBlank(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= 32;
}

} // namespace

namespace CommaText {

QList<QByteArray> split(QByteArrayView line) {
    if (const qsizetype nul = line.indexOf('\0'); nul >= 0) {
        line = line.first(nul);
    }
    const qsizetype end = line.size();
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < end && isBlank(line[pos])) {
            ++pos;
        }
    };
    QList<QByteArray> fields;
    skipBlanks();
    while (pos < end) {
        QByteArray field;
        if (line[pos] == '"') {
            // Up to the closing quote, "" standing for one; an unclosed quote runs to the end.
            for (++pos; pos < end; ++pos) {
                if (line[pos] == '"') {
                    if (pos + 1 < end && line[pos + 1] == '"') {
                        ++pos;
                    } else {
                        ++pos;
                        break;
                    }
                }
                field += line[pos];
            }
        } else {
            const qsizetype start = pos;
            while (pos < end && line[pos] != ',' && !isBlank(line[pos])) {
                ++pos;
            }
            field = line.sliced(start, pos - start).toByteArray();
        }
        fields.append(field);
        skipBlanks();
        if (pos < end && line[pos] == ',') {
            ++pos;
            if (pos == end) {
                fields.append(QByteArray());
            }
            skipBlanks();
        }
    }
    return fields;
}

} // namespace CommaText
