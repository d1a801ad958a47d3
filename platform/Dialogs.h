#pragma once

#include <QString>

#include <functional>
#include <optional>

class DialogComponent;

// Every question the program asks, reached through one seam so tests can answer them: the
// framework's own dialogs and the program's translated confirmation and input dialogs.
class Dialogs {
public:
    // The reason a typed text is refused, or an empty string to accept it.
    using Validator = std::function<QString(const QString& text)>;

    virtual ~Dialogs() = default;

    // The chosen folder, or nullopt on Cancel. An empty preselect selects nothing.
    virtual std::optional<QString> browseForFolder(const QString& preselect) = 0;
    // One edit field of at most 255 characters holding value; OK copies the text into value.
    virtual bool inputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
    // The standard error message box with an OK button.
    virtual void showError(const QString& text) = 0;
    // An open-file dialog configured by settings; nullopt on Cancel.
    virtual std::optional<QString> openFile(const DialogComponent& settings) = 0;
    // The program's translated confirmation with the buttons Yes and No; true for Yes.
    virtual bool confirm(const QString& text) = 0;
    // The program's translated input dialog: a refused text is shown as a warning and asked for
    // again; OK with an accepted text copies it into value.
    virtual bool inputText(const QString& caption, const QString& prompt, QString& value,
                           const Validator& validator) = 0;
};
