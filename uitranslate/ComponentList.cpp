#include "ComponentList.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

ComponentList::ComponentList(QWidget& window) : m_window(window) {}

void ComponentList::addObject(QObject* component) {
    m_index.insert(component, int(m_components.size()));
    m_components.append(component);
}

QObject* ComponentList::find(const QString& name) const {
    for (QObject* component : m_components) {
        if (component->objectName() == name) {
            return component;
        }
    }
    return nullptr;
}

QObject* ComponentList::listedMenuAncestor(const QObject* item) const {
    // A sub-menu is listed by its menu action, which is the sub-menu's own child.
    for (QObject* up = item->parent(); up != nullptr && up != &m_window; up = up->parent()) {
        if (contains(up)) {
            return up;
        }
        if (auto* menu = qobject_cast<QMenu*>(up); menu != nullptr && menu->menuAction() != item) {
            if (contains(menu->menuAction())) {
                return menu->menuAction();
            }
        }
    }
    return &m_window;
}

QObject* ComponentList::parentOf(const QObject* component) const {
    if (qobject_cast<const QAction*>(component) != nullptr) {
        return listedMenuAncestor(component);
    }
    for (QObject* up = component->parent(); up != nullptr && up != &m_window; up = up->parent()) {
        if (contains(up)) {
            return up;
        }
    }
    return &m_window;
}

QList<QObject*> ComponentList::childrenOf(const QObject* parent) const {
    QList<QObject*> children;
    for (QObject* component : m_components) {
        if (parentOf(component) == parent) {
            children.append(component);
        }
    }
    return children;
}

int ComponentList::positionOf(const QObject* component) const {
    const QObject* parent = parentOf(component);
    if (parent == &m_window) {
        return m_index.value(component, -1);
    }
    return int(childrenOf(parent).indexOf(const_cast<QObject*>(component)));
}
