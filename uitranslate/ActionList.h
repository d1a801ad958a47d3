#pragma once

#include <QAction>
#include <QList>
#include <QObject>

// A named holder of named actions, in the order they were added; menus and buttons bound to
// an action share its caption, shortcut and enabled state.
class ActionList : public QObject {
    Q_OBJECT
public:
    explicit ActionList(const QString& name, QObject* parent = nullptr);

    QAction* add(const QString& name, const QString& caption, bool enabled = true,
                 const QKeySequence& shortcut = QKeySequence());
    const QList<QAction*>& actions() const { return m_actions; }
    // nullptr when no action has this name.
    QAction* action(const QString& name) const;

private:
    QList<QAction*> m_actions;
};
