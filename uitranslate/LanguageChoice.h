#pragma once

#include <QString>

class RegistryHive;

// Where the chosen interface language is remembered: a string value of a registry key, holding
// the language's base name.
class LanguageChoice {
public:
    LanguageChoice() = default;
    LanguageChoice(RegistryHive* root, const QString& key, const QString& value)
        : m_root(root), m_key(key), m_value(value) {}

    RegistryHive* root() const { return m_root; }
    const QString& key() const { return m_key; }
    const QString& value() const { return m_value; }

    // "English" unless a string value is stored.
    QString read() const;
    // Creates the key when missing; a failure leaves things as they were, unreported.
    void store(const QString& languageName) const;

private:
    RegistryHive* m_root = nullptr;
    QString m_key;
    QString m_value;
};
