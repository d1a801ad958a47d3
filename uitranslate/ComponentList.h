#pragma once

#include <QHash>
#include <QList>
#include <QObject>

class QWidget;

// The components a window owns, in the order the window made them, and the design's view of
// them for the interface translator: each component's window, its parent (the nearest listed
// ancestor, or the window) and its position. Qt's own children (viewports, scroll bars, a combo
// box's inner widgets, an unnamed splitter) are not components and are never answered for.
class ComponentList {
public:
    explicit ComponentList(QWidget& window);
    ComponentList(const ComponentList&) = delete;
    ComponentList& operator=(const ComponentList&) = delete;

    template <typename T> T* add(T* component) {
        addObject(component);
        return component;
    }

    QWidget& window() const { return m_window; }
    const QList<QObject*>& all() const { return m_components; }
    bool contains(const QObject* component) const { return m_index.contains(component); }
    // The first component of that name, or nullptr.
    QObject* find(const QString& name) const;

    // A menu item's parent is the item whose sub-menu holds it, else its menu; an action's is its
    // action list; a control's is the nearest listed widget around it. The window when none is.
    QObject* parentOf(const QObject* component) const;
    // The components whose parent is parent, in order.
    QList<QObject*> childrenOf(const QObject* parent) const;
    // Among its parent's children, from 0; for a component directly on the window, its index in
    // the whole list.
    int positionOf(const QObject* component) const;

private:
    void addObject(QObject* component);
    QObject* listedMenuAncestor(const QObject* item) const;

    QWidget& m_window;
    QList<QObject*> m_components;
    QHash<const QObject*, int> m_index;
};
