#pragma once

#include "IniDocument.h"

#include <QByteArrayView>
#include <QList>

// The entries of one section of a document, seen where they lie: every key in order and the
// value that look-up finds for each (the last duplicate wins). A line without "=" lists as the
// empty key but holds no value, as in the document's own look-up, so the list shows what a
// click on the entry shows. Valid until the document next changes.
class SectionEntries {
public:
    SectionEntries(const IniDocument& document, QByteArrayView section);

    const QList<QByteArrayView>& keys() const { return m_keys; }
    bool contains(QByteArrayView key) const;
    // Empty when the key is missing.
    QByteArrayView value(QByteArrayView key) const;

private:
    const IniDocument& m_document;
    IniDocument::SectionRef m_section;
    QList<QByteArrayView> m_keys;
    // The document's look-up does not see lines without "=", which here count as the empty key.
    bool m_hasEmptyKey = false;
};
