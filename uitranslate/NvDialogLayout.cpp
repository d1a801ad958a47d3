#include "NvDialogLayout.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QString>

#include <algorithm>

namespace {

constexpr int kMessageTextFlags = Qt::TextWordWrap | Qt::TextExpandTabs;

unsigned firstShown(unsigned buttons, std::initializer_list<MsgDlgBtn> candidates) {
    for (MsgDlgBtn candidate : candidates) {
        if (buttons & candidate) {
            return candidate;
        }
    }
    return 0;
}

} // namespace

QSize measureMessageText(const QFontMetrics& metrics, const QString& text, int maxWidth) {
    return metrics.boundingRect(QRect(0, 0, maxWidth, 0), kMessageTextFlags, text).size();
}

int measureButtonWidth(const QFontMetrics& metrics, const QString& caption) {
    // Translated captions may carry an accelerator mark, which takes no room.
    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    return metrics.boundingRect(QRect(), flags, caption).width() + kButtonCaptionPadding;
}

int promptTextFlags(const QFontMetrics& metrics, const QString& prompt, int maxWidth) {
    // Breaking anywhere only when a word needs it: otherwise lines end between words.
    const QStringList words = prompt.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const bool wordTooWide = std::any_of(words.cbegin(), words.cend(), [&metrics, maxWidth](const QString& word) {
        return metrics.horizontalAdvance(word) > maxWidth;
    });
    return Qt::TextWordWrap | (wordTooWide ? Qt::TextWrapAnywhere : 0);
}

QSize measurePrompt(const QFontMetrics& metrics, const QString& prompt, int maxWidth) {
    const QSize size =
        metrics.boundingRect(QRect(0, 0, maxWidth, 0), promptTextFlags(metrics, prompt, maxWidth), prompt).size();
    return QSize(std::min(size.width(), maxWidth), size.height());
}

QPoint nvScreenCentredPosition(const QSize& size) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return QPoint();
    }
    const QRect area = screen->geometry();
    return QPoint(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}

int nvMessageWidthLimit() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() / 2 : 320;
}

unsigned nvDefaultButton(unsigned buttons) {
    return firstShown(buttons, {mbOK, mbYes, mbRetry});
}

unsigned nvCancelButton(unsigned buttons) {
    return firstShown(buttons, {mbCancel, mbNo, mbOK});
}

MessageDialogLayout computeMessageLayout(const DialogFontMetrics& units, const MessageLayoutInput& input) {
    MessageDialogLayout layout;
    layout.horizontalMargin = units.horz(8);
    layout.verticalMargin = units.vert(8);
    layout.horizontalSpacing = units.horz(10);
    layout.verticalSpacing = units.vert(10);
    layout.buttonWidth = std::max(units.horz(50), input.widestButton);
    layout.buttonHeight = units.vert(14);
    layout.buttonSpacing = units.horz(4);

    int blockWidth = input.textSize.width();
    int blockHeight = input.textSize.height();
    if (input.hasIcon) {
        blockWidth += kIconSize + layout.horizontalSpacing;
        blockHeight = std::max(blockHeight, kIconSize);
    }

    int shown = 0;
    for (const MsgDlgButtonInfo& info : nvButtonTable()) {
        if (input.buttons & info.button) {
            ++shown;
        }
    }
    const int groupWidth = shown == 0 ? 0 : shown * layout.buttonWidth + (shown - 1) * layout.buttonSpacing;

    const int clientWidth = std::max(blockWidth, groupWidth) + 2 * layout.horizontalMargin;
    const int clientHeight = blockHeight + layout.buttonHeight + layout.verticalSpacing + 2 * layout.verticalMargin;
    layout.clientSize = QSize(clientWidth, clientHeight);

    int textLeft = blockWidth - input.textSize.width() + layout.horizontalMargin;
    if (input.rightToLeft) {
        textLeft = clientWidth - textLeft - input.textSize.width();
    }
    layout.textRect = QRect(QPoint(textLeft, layout.verticalMargin), input.textSize);

    if (input.hasIcon) {
        // Mirrored with the text, or the two would overlap in right-to-left reading.
        const int iconLeft =
            input.rightToLeft ? clientWidth - layout.horizontalMargin - kIconSize : layout.horizontalMargin;
        layout.iconRect = QRect(iconLeft, layout.verticalMargin, kIconSize, kIconSize);
    }

    int left = (clientWidth - groupWidth) / 2;
    const int top = blockHeight + layout.verticalMargin + layout.verticalSpacing;
    for (const MsgDlgButtonInfo& info : nvButtonTable()) {
        if (input.buttons & info.button) {
            layout.buttons.push_back({info.button, QRect(left, top, layout.buttonWidth, layout.buttonHeight)});
            left += layout.buttonWidth + layout.buttonSpacing;
        }
    }
    layout.defaultButton = nvDefaultButton(input.buttons);
    layout.cancelButton = nvCancelButton(input.buttons);
    return layout;
}

InputDialogLayout computeInputLayout(const DialogFontMetrics& units, const QSize& promptSize, int editHeight) {
    InputDialogLayout layout;
    layout.promptRect = QRect(QPoint(units.horz(8), units.vert(8)), promptSize);
    layout.editRect =
        QRect(layout.promptRect.left(), layout.promptRect.top() + promptSize.height() + 5, units.horz(164), editHeight);
    const int buttonTop = layout.editRect.top() + editHeight + 15;
    const QSize buttonSize(units.horz(50), units.vert(14));
    layout.okRect = QRect(QPoint(units.horz(38), buttonTop), buttonSize);
    layout.cancelRect = QRect(QPoint(units.horz(92), buttonTop), buttonSize);
    layout.clientSize = QSize(units.horz(180), buttonTop + buttonSize.height() + 13);
    return layout;
}
