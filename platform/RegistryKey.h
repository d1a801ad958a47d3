#pragma once

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

// One value of a registry key. An "other" value (dword:, hex:) keeps the text after "="
// as it stands, so that a hive is written back the way it was read.
struct RegistryValue {
    enum class Type { String, Other };

    QString name;
    Type type = Type::String;
    QString data;
};

// A key of the in-memory hive: values and subkeys in the order they were made, looked up
// without regard to case.
class RegistryKey {
public:
    explicit RegistryKey(QString name = {});
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&&) = default;
    RegistryKey& operator=(RegistryKey&&) = default;

    static QString fold(const QString& name) { return name.toCaseFolded(); }

    const QString& name() const { return m_name; }

    RegistryKey* child(const QString& name) const;
    // The existing child of that name (whatever its case), else a new last child.
    RegistryKey& addChild(const QString& name);
    std::unique_ptr<RegistryKey> takeChild(const QString& name);
    // Appends a key taken elsewhere under a new name; the name must not be in use.
    void adoptChild(std::unique_ptr<RegistryKey> key, const QString& newName);
    const std::vector<std::unique_ptr<RegistryKey>>& children() const { return m_children; }

    const RegistryValue* value(const QString& name) const;
    // Replaces the data of an existing value in place (keeping its name's case), else appends.
    void setValue(const QString& name, RegistryValue::Type type, const QString& data);
    const std::vector<RegistryValue>& values() const { return m_values; }

private:
    void reindexChildren();

    QString m_name;
    std::vector<std::unique_ptr<RegistryKey>> m_children;
    QHash<QString, RegistryKey*> m_childIndex;
    std::vector<RegistryValue> m_values;
    QHash<QString, size_t> m_valueIndex;
};
