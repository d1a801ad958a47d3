#include "SectionEntries.h"

SectionEntries::SectionEntries(const IniDocument& document, QByteArrayView section)
    : m_document(document), m_section(document.findSection(section)) {
    const QList<IniDocument::LineView> lines = document.lineViews(m_section);
    m_keys.reserve(lines.size());
    for (const IniDocument::LineView& line : lines) {
        m_keys.append(line.key);
        m_hasEmptyKey = m_hasEmptyKey || line.key.isEmpty();
    }
}

bool SectionEntries::contains(QByteArrayView key) const {
    return key.isEmpty() ? m_hasEmptyKey : m_document.containsKey(m_section, key);
}

QByteArrayView SectionEntries::value(QByteArrayView key) const {
    return m_document.valueView(m_section, key);
}
