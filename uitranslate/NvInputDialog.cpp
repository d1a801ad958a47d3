#include "NvInputDialog.h"

#include "NvMessageDialog.h"
#include "NvMessageTextWidget.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

NvInputDialog::NvInputDialog(const QString& title, const QString& prompt, const QString& value, Validator validator,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_validator(std::move(validator)) {
    setWindowTitle(title);

    const QFontMetrics metrics(font());
    const DialogFontMetrics units = DialogFontMetrics::of(metrics);

    const int promptWidth = units.horz(164);
    m_prompt = new NvMessageTextWidget(prompt, this, promptTextFlags(metrics, prompt, promptWidth));
    m_prompt->setObjectName(QStringLiteral("Prompt"));

    m_edit = new QLineEdit(value, this);
    m_edit->setObjectName(QStringLiteral("Edit"));
    m_edit->setMaxLength(kInputMaxLength);

    m_layout = computeInputLayout(units, measurePrompt(metrics, prompt, promptWidth), m_edit->sizeHint().height());
    m_prompt->setGeometry(m_layout.promptRect);
    m_edit->setGeometry(m_layout.editRect);

    auto* ok = new QPushButton(nvButtonCaption(mbOK), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setGeometry(m_layout.okRect);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &NvInputDialog::accept);

    auto* cancel = new QPushButton(nvButtonCaption(mbCancel), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setGeometry(m_layout.cancelRect);
    connect(cancel, &QPushButton::clicked, this, &NvInputDialog::reject);

    setFixedSize(m_layout.clientSize);
    m_edit->selectAll();
    m_edit->setFocus();
}

bool NvInputDialog::nvInputQuery(const QString& title, const QString& prompt, QString& value, Validator validator) {
    NvInputDialog dialog(title, prompt, value, std::move(validator));
    dialog.centreOnScreen();
    if (dialog.exec() != mrOk) {
        return false;
    }
    value = dialog.text();
    return true;
}

QString NvInputDialog::text() const {
    return m_edit->text();
}

void NvInputDialog::centreOnScreen() {
    move(nvScreenCentredPosition(size()));
}

void NvInputDialog::accept() {
    if (m_validator) {
        const QString refusal = m_validator(m_edit->text());
        if (!refusal.isEmpty()) {
            NvMessageDialog::nvMessageDlg(refusal, MsgDlgType::Warning, mbOK);
            m_edit->setFocus();
            m_edit->selectAll();
            return;
        }
    }
    done(mrOk);
}

void NvInputDialog::reject() {
    done(mrCancel);
}
