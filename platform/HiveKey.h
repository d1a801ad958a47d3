#pragma once

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

// One value of a registry key. An "other" value (dword:, hex:) keeps the text after "="
// as it stands, so that a hive is written back the way it was read.
struct HiveValue {
    enum class Type { String, Other };

    QString name;
    Type type = Type::String;
    QString data;
};

// A key of the in-memory hive: values and subkeys in the order they were made, looked up
// without regard to case.
class HiveKey {
public:
    explicit HiveKey(QString name = {});
    HiveKey(const HiveKey&) = delete;
    HiveKey& operator=(const HiveKey&) = delete;
    HiveKey(HiveKey&&) = default;
    HiveKey& operator=(HiveKey&&) = default;

    static QString fold(const QString& name) { return name.toCaseFolded(); }

    const QString& name() const { return m_name; }

    HiveKey* child(const QString& name) const;
    // The existing child of that name (whatever its case), else a new last child.
    HiveKey& addChild(const QString& name);
    std::unique_ptr<HiveKey> takeChild(const QString& name);
    // Appends a key taken elsewhere under a new name; the name must not be in use.
    void adoptChild(std::unique_ptr<HiveKey> key, const QString& newName);
    const std::vector<std::unique_ptr<HiveKey>>& children() const { return m_children; }

    const HiveValue* value(const QString& name) const;
    // Replaces the data of an existing value in place (keeping its name's case), else appends.
    void setValue(const QString& name, HiveValue::Type type, const QString& data);
    const std::vector<HiveValue>& values() const { return m_values; }

private:
    void reindexChildren();

    QString m_name;
    std::vector<std::unique_ptr<HiveKey>> m_children;
    QHash<QString, HiveKey*> m_childIndex;
    std::vector<HiveValue> m_values;
    QHash<QString, size_t> m_valueIndex;
};
