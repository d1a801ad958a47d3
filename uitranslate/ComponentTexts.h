#pragma once

#include <QString>
#include <QStringList>

class QObject;

// The texts the interface translator reads and writes on a component, one adapter per kind of
// widget, used both to apply a language and to write one.
//   caption: label, button, line edit, text edit, group box, menu item or action, a page's tab
//            text, a window's title
//   hint:    tool tip (an action's only when set apart from its text)
//   list texts: list box items, plain combo box items (not those of a combo box with images, which
//            carries the property "images"), the column captions of a tree or table view
namespace ComponentTexts {

QString caption(const QObject* component);
void setCaption(QObject* component, const QString& text);
QString hint(const QObject* component);
void setHint(QObject* component, const QString& text);

bool hasListTexts(const QObject* component);
QStringList listTexts(const QObject* component);
// A list box or combo box gets exactly these items; a view gets line k as the caption of column
// k for every column that has a line.
void setListTexts(QObject* component, const QStringList& lines);

// The dynamic property "tag" (0 when unset): data labels carry 1 and keep their list texts.
int tag(const QObject* component);
// The Windows character set of a window's texts: the dynamic property "charset", 1 (the default
// set of the design) until a language gives another.
int charset(const QObject* window);
// A button or menu item that shows an action of the action list takes its texts from the action.
bool isLinkedToAction(const QObject* component);

} // namespace ComponentTexts
