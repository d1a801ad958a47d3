#pragma once

#include <QList>
#include <QObject>

// The components a window owns, in the order the window made them. The interface translator
// walks this list by name, so each entry must carry its designed objectName.
class ComponentList {
public:
    template <typename T> T* add(T* component) {
        m_components.append(component);
        return component;
    }

    const QList<QObject*>& all() const { return m_components; }

private:
    QList<QObject*> m_components;
};
