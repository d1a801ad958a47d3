#pragma once

#include <QObject>
#include <QString>

// The settings of one of the window's file or folder dialogs (odDir, odFlag, odRuleFile); the
// dialog itself is shown through the Dialogs seam.
class DialogComponent : public QObject {
    Q_OBJECT
public:
    enum class Kind { FolderBrowser, OpenFile };

    DialogComponent(const QString& name, Kind kind, QObject* parent = nullptr);

    Kind kind() const { return m_kind; }

    QString filter;
    QString defaultExtension;
    QString initialFolder;
    bool hideReadOnly = false;
    bool mustExist = false;
    bool resizable = true;

private:
    Kind m_kind;
};
