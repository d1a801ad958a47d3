#include "SectionEntries.h"

#include "IniDocument.h"
#include "NameMerge.h"

SectionEntries::SectionEntries(const IniDocument& document, const QByteArray& section) {
    const QList<QByteArray> lines = document.lines(section);
    m_keys.reserve(lines.size());
    m_values.reserve(lines.size());
    for (const QByteArray& line : lines) {
        const qsizetype equals = line.indexOf('=');
        // A line without "=" is an entry of the empty key with an empty value.
        const QByteArray key = equals < 0 ? QByteArray() : line.left(equals);
        m_keys.append(key);
        m_values.insert(NameMerge::upper(key), equals < 0 ? QByteArray() : line.mid(equals + 1));
    }
}
