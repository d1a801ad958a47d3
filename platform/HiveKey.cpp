#include "HiveKey.h"

#include <algorithm>
#include <utility>

HiveKey::HiveKey(QString name) : m_name(std::move(name)) {}

HiveKey* HiveKey::child(const QString& name) const {
    return m_childIndex.value(fold(name), nullptr);
}

HiveKey& HiveKey::addChild(const QString& name) {
    if (HiveKey* existing = child(name)) {
        return *existing;
    }
    m_children.push_back(std::make_unique<HiveKey>(name));
    HiveKey* added = m_children.back().get();
    m_childIndex.insert(fold(name), added);
    return *added;
}

std::unique_ptr<HiveKey> HiveKey::takeChild(const QString& name) {
    HiveKey* found = child(name);
    if (!found) {
        return nullptr;
    }
    const auto it = std::find_if(m_children.begin(), m_children.end(),
                                 [found](const std::unique_ptr<HiveKey>& k) { return k.get() == found; });
    std::unique_ptr<HiveKey> taken = std::move(*it);
    m_children.erase(it);
    reindexChildren();
    return taken;
}

void HiveKey::adoptChild(std::unique_ptr<HiveKey> key, const QString& newName) {
    key->m_name = newName;
    m_childIndex.insert(fold(newName), key.get());
    m_children.push_back(std::move(key));
}

const HiveValue* HiveKey::value(const QString& name) const {
    const auto it = m_valueIndex.constFind(fold(name));
    return it == m_valueIndex.constEnd() ? nullptr : &m_values[it.value()];
}

void HiveKey::setValue(const QString& name, HiveValue::Type type, const QString& data) {
    const QString folded = fold(name);
    const auto it = m_valueIndex.constFind(folded);
    if (it != m_valueIndex.constEnd()) {
        HiveValue& existing = m_values[it.value()];
        existing.type = type;
        existing.data = data;
        return;
    }
    m_valueIndex.insert(folded, m_values.size());
    m_values.push_back(HiveValue{name, type, data});
}

void HiveKey::reindexChildren() {
    m_childIndex.clear();
    for (const auto& k : m_children) {
        m_childIndex.insert(fold(k->m_name), k.get());
    }
}
