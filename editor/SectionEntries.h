#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

class IniDocument;

// The entries of one section of a document, read in a single pass: every key in order and
// the value that look-up finds for each (the last duplicate wins), keyed by upper-cased key.
class SectionEntries {
public:
    SectionEntries() = default;
    SectionEntries(const IniDocument& document, const QByteArray& section);

    const QList<QByteArray>& keys() const { return m_keys; }
    bool contains(const QByteArray& upperKey) const { return m_values.contains(upperKey); }
    QByteArray value(const QByteArray& upperKey) const { return m_values.value(upperKey); }

private:
    QList<QByteArray> m_keys;
    QHash<QByteArray, QByteArray> m_values;
};
