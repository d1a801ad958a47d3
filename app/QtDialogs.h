#pragma once

#include "Dialogs.h"

class QWidget;

// The real dialogs of the framework, centred over the given window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* window = nullptr);

    void setWindow(QWidget* window) { m_window = window; }

    std::optional<QString> browseForFolder(const QString& preselect) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value) override;
    void showError(const QString& text) override;
    std::optional<QString> openFile(const DialogComponent& settings) override;

private:
    QWidget* m_window;
};
