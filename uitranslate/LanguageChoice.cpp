#include "LanguageChoice.h"

#include "RegistryHive.h"

QString LanguageChoice::read() const {
    if (m_root != nullptr) {
        if (const std::optional<QString> stored = m_root->readString(m_key, m_value)) {
            return *stored;
        }
    }
    return QStringLiteral("English");
}

void LanguageChoice::store(const QString& languageName) const {
    if (m_root != nullptr && m_root->createKey(m_key)) {
        m_root->writeString(m_key, m_value, languageName);
    }
}
