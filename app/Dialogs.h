#pragma once

#include <QString>

#include <optional>

class DialogComponent;

// The framework's own dialogs, reached through one seam so tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen folder, or nullopt on Cancel. An empty preselect selects nothing.
    virtual std::optional<QString> browseForFolder(const QString& preselect) = 0;
    // One edit field of at most 255 characters holding value; OK copies the text into value.
    virtual bool inputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
    // The standard error message box with an OK button.
    virtual void showError(const QString& text) = 0;
    // An open-file dialog configured by settings; nullopt on Cancel.
    virtual std::optional<QString> openFile(const DialogComponent& settings) = 0;
};
