#pragma once

#include "TFontSettings.h"

#include <QList>
#include <QString>

#include <functional>

class ActionList;
class ComponentList;
class IniDocument;
class LanguageTextReader;
class QObject;
class QWidget;

// Applies one interface language document to one window: its caption, font and reading order,
// and the texts of its controls, menus and actions under the key scheme of the language files.
// A text the document lacks keeps the one on screen.
class FormTranslation {
public:
    // Raised for every component the window owns, with its section, after its own texts.
    using OwnerLoad = std::function<void(const QString& Section, QObject* Obj, const IniDocument& Ini)>;

    FormTranslation(const LanguageTextReader& texts, OwnerLoad ownerLoad = {});

    // Returns the font and reading order the window was given.
    TFontSettings ApplyToForm(ComponentList& window);
    // An unnamed control is keyed by its parent's name and its position; the children of an
    // unnamed container are not visited.
    void TranslateControl(const QString& section, QObject* control);
    void TranslateMenuItems(const QString& section, const QList<QObject*>& items);
    void TranslateActions(const QString& section, const ActionList& actions);

    static void SetWindowBiDiStyle(QWidget& window, TBiDiMode mode);

private:
    const LanguageTextReader& m_texts;
    OwnerLoad m_ownerLoad;
    ComponentList* m_window = nullptr;
};
