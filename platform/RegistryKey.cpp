#include "RegistryKey.h"

#include <algorithm>
#include <utility>

RegistryKey::RegistryKey(QString name) : m_name(std::move(name)) {}

RegistryKey* RegistryKey::child(const QString& name) const {
    return m_childIndex.value(fold(name), nullptr);
}

RegistryKey& RegistryKey::addChild(const QString& name) {
    if (RegistryKey* existing = child(name)) {
        return *existing;
    }
    m_children.push_back(std::make_unique<RegistryKey>(name));
    RegistryKey* added = m_children.back().get();
    m_childIndex.insert(fold(name), added);
    return *added;
}

std::unique_ptr<RegistryKey> RegistryKey::takeChild(const QString& name) {
    RegistryKey* found = child(name);
    if (!found) {
        return nullptr;
    }
    const auto it = std::find_if(m_children.begin(), m_children.end(),
                                 [found](const std::unique_ptr<RegistryKey>& k) { return k.get() == found; });
    std::unique_ptr<RegistryKey> taken = std::move(*it);
    m_children.erase(it);
    reindexChildren();
    return taken;
}

void RegistryKey::adoptChild(std::unique_ptr<RegistryKey> key, const QString& newName) {
    key->m_name = newName;
    m_childIndex.insert(fold(newName), key.get());
    m_children.push_back(std::move(key));
}

const RegistryValue* RegistryKey::value(const QString& name) const {
    const auto it = m_valueIndex.constFind(fold(name));
    return it == m_valueIndex.constEnd() ? nullptr : &m_values[it.value()];
}

void RegistryKey::setValue(const QString& name, RegistryValue::Type type, const QString& data) {
    const QString folded = fold(name);
    const auto it = m_valueIndex.constFind(folded);
    if (it != m_valueIndex.constEnd()) {
        RegistryValue& existing = m_values[it.value()];
        existing.type = type;
        existing.data = data;
        return;
    }
    m_valueIndex.insert(folded, m_values.size());
    m_values.push_back(RegistryValue{name, type, data});
}

void RegistryKey::reindexChildren() {
    m_childIndex.clear();
    for (const auto& k : m_children) {
        m_childIndex.insert(fold(k->m_name), k.get());
    }
}
