#pragma once

#include <QList>
#include <QString>

class ComponentList;

// The program's windows in the order they were made (formMain, then formSearch), each by its
// component list, so that the translator walks them all and one window reaches another by name.
// A window registers itself when it is made and leaves when it is destroyed.
class WindowRegistry {
public:
    static WindowRegistry& application();

    void add(ComponentList& window);
    void remove(ComponentList& window);
    const QList<ComponentList*>& windows() const { return m_windows; }
    // The window of that object name, or nullptr.
    ComponentList* find(const QString& name) const;

private:
    QList<ComponentList*> m_windows;
};
