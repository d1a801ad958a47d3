#include "ActionList.h"

ActionList::ActionList(const QString& name, QObject* parent) : QObject(parent) {
    setObjectName(name);
}

QAction* ActionList::add(const QString& name, const QString& caption, bool enabled, const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setEnabled(enabled);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    m_actions.append(action);
    return action;
}

QAction* ActionList::action(const QString& name) const {
    for (QAction* action : m_actions) {
        if (action->objectName() == name) {
            return action;
        }
    }
    return nullptr;
}
