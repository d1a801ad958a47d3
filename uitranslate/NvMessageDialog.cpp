#include "NvMessageDialog.h"

#include "NvButtonWidthCache.h"
#include "NvMessageTextWidget.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

NvMessageDialog::HelpHandler& helpHandler() {
    static NvMessageDialog::HelpHandler handler;
    return handler;
}

QStyle::StandardPixmap standardPixmap(MsgDlgIcon icon) {
    switch (icon) {
    case MsgDlgIcon::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MsgDlgIcon::Error:
        return QStyle::SP_MessageBoxCritical;
    case MsgDlgIcon::Information:
        return QStyle::SP_MessageBoxInformation;
    default:
        return QStyle::SP_MessageBoxQuestion;
    }
}

} // namespace

NvMessageDialog::NvMessageDialog(const QString& text, MsgDlgType type, unsigned buttons, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    setLayoutDirection(QGuiApplication::layoutDirection());

    const QFontMetrics metrics(font());
    const MsgDlgTypeInfo& typeInfo = nvTypeInfo(type);
    MessageLayoutInput input;
    input.textSize = measureMessageText(metrics, text, nvMessageWidthLimit());
    input.hasIcon = typeInfo.icon != MsgDlgIcon::None;
    input.buttons = buttons;
    input.widestButton = NvButtonWidthCache::instance().widest(
        buttons, [&metrics](const QString& caption) { return measureButtonWidth(metrics, caption); });
    input.rightToLeft = layoutDirection() == Qt::RightToLeft;
    m_layout = computeMessageLayout(DialogFontMetrics::of(metrics), input);

    setFixedSize(m_layout.clientSize);
    setWindowTitle(type == MsgDlgType::Custom ? QCoreApplication::applicationName() : nvTypeTitle(type));

    if (input.hasIcon) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image"));
        image->setPixmap(style()->standardIcon(standardPixmap(typeInfo.icon), nullptr, this).pixmap(kIconSize));
        image->setGeometry(m_layout.iconRect);
    }

    auto* message = new NvMessageTextWidget(text, this);
    message->setObjectName(QStringLiteral("Message"));
    message->setGeometry(m_layout.textRect);

    for (const LaidOutButton& laidOut : m_layout.buttons) {
        const MsgDlgButtonInfo& info = nvButtonInfo(laidOut.button);
        auto* pushButton = new QPushButton(nvButtonCaption(laidOut.button), this);
        pushButton->setObjectName(QLatin1String(info.controlName));
        pushButton->setGeometry(laidOut.rect);
        connect(pushButton, &QPushButton::clicked, this, [this, &info] { buttonClicked(info); });
        m_buttons[laidOut.button] = pushButton;
    }
    if (QPushButton* defaultButton = button(static_cast<MsgDlgBtn>(m_layout.defaultButton))) {
        defaultButton->setDefault(true);
        defaultButton->setFocus();
    }
}

int NvMessageDialog::nvMessageDlg(const QString& text, MsgDlgType type, unsigned buttons, int helpContext) {
    NvMessageDialog dialog(text, type, buttons);
    dialog.setHelpContext(helpContext);
    dialog.centreOnScreen();
    return dialog.exec();
}

void NvMessageDialog::setHelpHandler(HelpHandler handler) {
    helpHandler() = std::move(handler);
}

QPushButton* NvMessageDialog::button(MsgDlgBtn button) const {
    const auto found = m_buttons.find(button);
    return found == m_buttons.end() ? nullptr : found->second;
}

void NvMessageDialog::centreOnScreen() {
    move(nvScreenCentredPosition(size()));
}

void NvMessageDialog::reject() {
    done(mrCancel);
}

void NvMessageDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // Without a cancel button Esc does nothing; only the close box answers 2 then.
        if (QPushButton* cancel = button(static_cast<MsgDlgBtn>(m_layout.cancelButton))) {
            cancel->click();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void NvMessageDialog::buttonClicked(const MsgDlgButtonInfo& info) {
    if (info.button == mbHelp) {
        if (helpHandler()) {
            helpHandler()(m_helpContext);
        }
        return;
    }
    done(info.result);
}
