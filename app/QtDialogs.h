#pragma once

#include "Dialogs.h"

class QWidget;

// The real dialogs: the framework's, centred over the given window, and the program's translated
// confirmation and input dialogs, centred on the screen.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* window = nullptr);

    void setWindow(QWidget* window) { m_window = window; }

    std::optional<QString> browseForFolder(const QString& preselect) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value) override;
    void showError(const QString& text) override;
    std::optional<QString> openFile(const DialogComponent& settings) override;
    bool confirm(const QString& text) override;
    bool inputText(const QString& caption, const QString& prompt, QString& value, const Validator& validator) override;

private:
    QWidget* m_window;
};
