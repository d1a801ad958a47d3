#include "InterfaceTexts.h"

#include "ActionList.h"
#include "ComponentList.h"
#include "ComponentTexts.h"

#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

const QString hintSuffix = QStringLiteral(".Hint");
const QString itemsSuffix = QStringLiteral(".Items");

bool isMenu(const QObject* component) {
    return qobject_cast<const QMenuBar*>(component) != nullptr || qobject_cast<const QMenu*>(component) != nullptr;
}

bool isCaption(const QString& text) {
    return !text.isEmpty() && text != QLatin1String("-");
}

class Walk {
public:
    explicit Walk(const ComponentList& window) : m_window(window) {}

    QList<InterfaceText> run() {
        const QWidget& form = m_window.window();
        const QString name = form.objectName();
        if (ComponentTexts::tag(&form) == 0) {
            add(QStringLiteral("Forms"), name, form.windowTitle(), false);
        }
        for (const QObject* component : m_window.all()) {
            ownTexts(component);
        }
        return m_texts;
    }

    QList<InterfaceText> ofComponent(const QObject* component) {
        ownTexts(component);
        return m_texts;
    }

private:
    void ownTexts(const QObject* component) {
        const QWidget& form = m_window.window();
        if (m_window.parentOf(component) != &form) {
            return;
        }
        const QString name = form.objectName();
        const QString section = name + QLatin1Char('.') + component->objectName();
        if (isMenu(component)) {
            menuItems(section, m_window.childrenOf(component));
        } else if (auto* list = qobject_cast<const ActionList*>(component)) {
            actions(section, *list);
        } else if (component->isWidgetType()) {
            control(name, component);
        }
    }

    void add(const QString& section, const QString& key, const QString& value, bool escaped) {
        m_texts.append({section, key, value, escaped});
    }

    // The caption unless it is empty or a separator, and the hint unless it is empty.
    void captionAndHint(const QString& section, const QString& key, const QObject* component, bool escaped) {
        const QString caption = ComponentTexts::caption(component);
        if (isCaption(caption)) {
            add(section, key, caption, escaped);
        }
        const QString hint = ComponentTexts::hint(component);
        if (!hint.isEmpty()) {
            add(section, key + hintSuffix, hint, escaped);
        }
    }

    void control(const QString& section, const QObject* control) {
        if (!ComponentTexts::isLinkedToAction(control) && ComponentTexts::tag(control) <= 0) {
            const QString key = InterfaceTexts::controlKey(m_window, control);
            captionAndHint(section, key, control, true);
            const QStringList items = ComponentTexts::listTexts(control);
            if (!items.isEmpty()) {
                add(section, key + itemsSuffix, items.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), true);
            }
        }
        const QString inner = section + QLatin1Char('.') + control->objectName();
        for (const QObject* child : m_window.childrenOf(control)) {
            if (child->isWidgetType()) {
                this->control(inner, child);
            }
        }
    }

    void menuItems(const QString& section, const QList<QObject*>& items) {
        for (const QObject* item : items) {
            const QString name = item->objectName();
            if (!ComponentTexts::isLinkedToAction(item) && !name.isEmpty()) {
                captionAndHint(section, name, item, false);
            }
            const QList<QObject*> subItems = m_window.childrenOf(item);
            if (!subItems.isEmpty()) {
                menuItems(section + QLatin1Char('.') + name, subItems);
            }
        }
    }

    void actions(const QString& section, const ActionList& list) {
        for (const QAction* action : list.actions()) {
            captionAndHint(section, action->objectName(), action, false);
        }
    }

    const ComponentList& m_window;
    QList<InterfaceText> m_texts;
};

} // namespace

namespace InterfaceTexts {

QList<InterfaceText> ofWindow(const ComponentList& window) {
    return Walk(window).run();
}

QList<InterfaceText> ofComponent(const ComponentList& window, const QObject* component) {
    return Walk(window).ofComponent(component);
}

QString controlKey(const ComponentList& window, const QObject* control) {
    if (!control->objectName().isEmpty()) {
        return control->objectName();
    }
    return window.parentOf(control)->objectName() + QLatin1Char('.') + QString::number(window.positionOf(control));
}

} // namespace InterfaceTexts
