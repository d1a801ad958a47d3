#include "QtDialogs.h"

#include "DialogComponent.h"
#include "NvInputDialog.h"
#include "NvMessageDialog.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

QtDialogs::QtDialogs(QWidget* window) : m_window(window) {}

std::optional<QString> QtDialogs::browseForFolder(const QString& preselect) {
    const QString folder = QFileDialog::getExistingDirectory(m_window, QString(), preselect);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(folder);
}

bool QtDialogs::inputQuery(const QString& caption, const QString& prompt, QString& value) {
    QInputDialog dialog(m_window);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        edit->setMaxLength(255);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    value = dialog.textValue();
    return true;
}

void QtDialogs::showError(const QString& text) {
    QMessageBox::critical(m_window, QString(), text);
}

std::optional<QString> QtDialogs::openFile(const DialogComponent& settings) {
    QFileDialog dialog(m_window, QString(), settings.initialFolder, settings.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(settings.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(settings.defaultExtension);
    dialog.setOption(QFileDialog::ReadOnly, settings.hideReadOnly);
    dialog.setSizeGripEnabled(settings.resizable);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

bool QtDialogs::confirm(const QString& text) {
    return NvMessageDialog::nvMessageDlg(text, MsgDlgType::Confirmation, mbYes | mbNo, 0) == mrYes;
}

bool QtDialogs::inputText(const QString& caption, const QString& prompt, QString& value, const Validator& validator) {
    return NvInputDialog::nvInputQuery(caption, prompt, value, validator);
}
