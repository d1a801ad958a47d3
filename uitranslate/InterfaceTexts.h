#pragma once

#include <QList>
#include <QString>

class ComponentList;
class QObject;

// One text of a window under its section and key in an interface language file.
struct InterfaceText {
    QString section;
    QString key;
    QString value;
    // Control texts, hints and list texts are stored escaped; window, menu and action texts plain.
    bool escaped = false;
};

// The key scheme of interface language files: every caption, hint and list text of one window
// under the section and key it is written to and read from, in the window's component order.
// What an interface language writes is left out here too: empty texts, separators ("-"), and
// the own texts of controls linked to an action or tagged above 0.
namespace InterfaceTexts {

QList<InterfaceText> ofWindow(const ComponentList& window);
// The texts of one component that sits on the window itself, with those of the controls and
// menu levels within it; nothing for a component placed inside another.
QList<InterfaceText> ofComponent(const ComponentList& window, const QObject* component);

// The key of a control: its name, or for one without a name its parent's name, "." and its
// position.
QString controlKey(const ComponentList& window, const QObject* control);

} // namespace InterfaceTexts
