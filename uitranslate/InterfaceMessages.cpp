#include "InterfaceMessages.h"

#include "CodePage.h"
#include "IniDocument.h"
#include "LanguageTextReader.h"
#include "ValueEscapes.h"

namespace {

int indexOfKey(const InterfaceMessages::Pairs& pairs, const QString& key) {
    for (int i = 0; i < pairs.size(); ++i) {
        if (pairs.at(i).first.compare(key, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

void InterfaceMessages::setDefaults(const Pairs& pairs) {
    m_defaults.clear();
    for (const auto& pair : pairs) {
        const int existing = indexOfKey(m_defaults, pair.first);
        if (pair.second.isEmpty()) {
            if (existing >= 0) {
                m_defaults.removeAt(existing);
            }
        } else if (existing >= 0) {
            m_defaults[existing].second = pair.second;
        } else {
            m_defaults.append(pair);
        }
    }
}

void InterfaceMessages::load(const LanguageTextReader& texts) {
    m_lines.clear();
    const IniDocument& document = texts.document();
    for (const IniDocument::LineView& line : document.lineViews(document.findSection("Messages"))) {
        QByteArray text =
            line.bare.isNull() ? line.key.toByteArray() + '=' + line.value.toByteArray() : line.bare.toByteArray();
        UnescapeLanguageValue(text);
        m_lines.append(CodePage::decode(text, texts.codePage()));
    }
}

QString InterfaceMessages::lookup(const QString& key) const {
    for (const QString& line : m_lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals >= 0 && QStringView(line).left(equals).compare(key, Qt::CaseInsensitive) == 0) {
            return line.mid(equals + 1);
        }
    }
    const int index = indexOfKey(m_defaults, key);
    return index >= 0 ? m_defaults.at(index).second : QString();
}
