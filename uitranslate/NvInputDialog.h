#pragma once

#include "NvDialogLayout.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// The one-line input dialog with translated OK and Cancel captions.
class NvInputDialog : public QDialog {
    Q_OBJECT
public:
    // Returns the reason the text is refused, or an empty string to accept it.
    using Validator = std::function<QString(const QString& text)>;

    // Builds the dialog without showing it.
    NvInputDialog(const QString& title, const QString& prompt, const QString& value, Validator validator = {},
                  QWidget* parent = nullptr);

    // True with value replaced when confirmed with OK; false with value unchanged otherwise. A
    // validator's refusal is shown as a warning and the dialog stays open for another try.
    static bool nvInputQuery(const QString& title, const QString& prompt, QString& value, Validator validator = {});

    QString text() const;
    const InputDialogLayout& dialogLayout() const { return m_layout; }
    void centreOnScreen();

public slots:
    void accept() override;
    void reject() override;

private:
    InputDialogLayout m_layout;
    Validator m_validator;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_edit = nullptr;
};
