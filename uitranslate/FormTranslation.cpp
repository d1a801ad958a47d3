#include "FormTranslation.h"

#include "ActionList.h"
#include "ComponentList.h"
#include "ComponentTexts.h"
#include "IniDocument.h"
#include "InterfaceTexts.h"
#include "LanguageTextReader.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QWidget>

#include <exception>

namespace {

bool isMenu(const QObject* component) {
    return qobject_cast<const QMenuBar*>(component) != nullptr || qobject_cast<const QMenu*>(component) != nullptr;
}

QStringList splitLines(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    // Every item is followed by a line break, so the last piece is not an item.
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// A failure in one text leaves it as it was and the walk goes on.
template <typename Step> void guarded(Step step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

FormTranslation::FormTranslation(const LanguageTextReader& texts, OwnerLoad ownerLoad)
    : m_texts(texts), m_ownerLoad(std::move(ownerLoad)) {}

void FormTranslation::SetWindowBiDiStyle(QWidget& window, TBiDiMode mode) {
    window.setLayoutDirection(isRightToLeft(mode) ? Qt::RightToLeft : Qt::LeftToRight);
}

TFontSettings FormTranslation::ApplyToForm(ComponentList& window) {
    m_window = &window;
    const TFontSettings font = m_texts.fontSettings();
    QWidget& form = window.window();
    // Controls that take the window's font follow it; those with a font of their own keep its face.
    QFont formFont = form.font();
    formFont.setFamily(font.Name);
    if (font.Size > 0) {
        formFont.setPointSize(font.Size);
    }
    form.setFont(formFont);
    // Saving the running interface again announces, and encodes in, the character set shown.
    form.setProperty("charset", int(font.Charset));
    const QString name = form.objectName();
    ComponentTexts::setCaption(&form, m_texts.plain(QStringLiteral("Forms"), name, ComponentTexts::caption(&form)));
    SetWindowBiDiStyle(form, font.BiDiMode);

    const QList<QObject*>& all = window.all();
    for (QObject* component : all) {
        const bool onWindow = window.parentOf(component) == &form;
        if (isMenu(component)) {
            if (onWindow) {
                TranslateMenuItems(name + QLatin1Char('.') + component->objectName(), window.childrenOf(component));
            }
        } else if (component->isWidgetType()) {
            if (onWindow) {
                guarded([&] { TranslateControl(name, component); });
            }
        } else if (auto* actions = qobject_cast<const ActionList*>(component)) {
            TranslateActions(name + QLatin1Char('.') + actions->objectName(), *actions);
        }
        if (m_ownerLoad) {
            m_ownerLoad(name + QLatin1Char('.') + component->objectName(), component, m_texts.document());
        }
    }
    m_window = nullptr;
    return font;
}

void FormTranslation::TranslateControl(const QString& section, QObject* control) {
    const QString key = InterfaceTexts::controlKey(*m_window, control);
    guarded([&] {
        if (const std::optional<QString> text = m_texts.escaped(section, key)) {
            ComponentTexts::setCaption(control, *text);
        }
    });
    guarded([&] {
        if (const std::optional<QString> hint = m_texts.escaped(section, key + QStringLiteral(".Hint"))) {
            ComponentTexts::setHint(control, *hint);
        }
    });
    if (ComponentTexts::tag(control) == 0 && ComponentTexts::hasListTexts(control)) {
        guarded([&] {
            if (const std::optional<QString> items = m_texts.escaped(section, key + QStringLiteral(".Items"))) {
                ComponentTexts::setListTexts(control, splitLines(*items));
            }
        });
    }
    if (control->objectName().isEmpty()) {
        return;
    }
    const QString inner = section + QLatin1Char('.') + control->objectName();
    for (QObject* child : m_window->childrenOf(control)) {
        if (child->isWidgetType()) {
            guarded([&] { TranslateControl(inner, child); });
        }
    }
}

void FormTranslation::TranslateMenuItems(const QString& section, const QList<QObject*>& items) {
    for (QObject* item : items) {
        const QString name = item->objectName();
        if (name.isEmpty()) {
            continue;
        }
        if (const std::optional<QString> caption = m_texts.plain(section, name)) {
            ComponentTexts::setCaption(item, *caption);
        }
        const QList<QObject*> subItems = m_window->childrenOf(item);
        if (!subItems.isEmpty()) {
            TranslateMenuItems(section + QLatin1Char('.') + name, subItems);
        }
    }
}

void FormTranslation::TranslateActions(const QString& section, const ActionList& actions) {
    for (QAction* action : actions.actions()) {
        const QString name = action->objectName();
        if (const std::optional<QString> caption = m_texts.plain(section, name)) {
            ComponentTexts::setCaption(action, *caption);
        }
        if (const std::optional<QString> hint = m_texts.plain(section, name + QStringLiteral(".Hint"))) {
            ComponentTexts::setHint(action, *hint);
        }
    }
}
