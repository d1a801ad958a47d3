#pragma once

#include "DialogFontMetrics.h"
#include "NvDialogStrings.h"

#include <QRect>
#include <QSize>

#include <vector>

class QFontMetrics;
class QString;

// Geometry of the message and input dialogs, computed from font numbers alone so that it
// can be checked without building a widget.

struct MessageLayoutInput {
    QSize textSize; // the message as measured by measureMessageText
    bool hasIcon = false;
    unsigned buttons = 0; // MsgDlgBtn flags
    int widestButton = 0; // largest cached width among the shown buttons
    bool rightToLeft = false;
};

struct LaidOutButton {
    MsgDlgBtn button;
    QRect rect;
};

struct MessageDialogLayout {
    int horizontalMargin = 0;
    int verticalMargin = 0;
    int horizontalSpacing = 0;
    int verticalSpacing = 0;
    int buttonWidth = 0;
    int buttonHeight = 0;
    int buttonSpacing = 0;
    QSize clientSize;
    QRect iconRect; // null when the type has no icon
    QRect textRect;
    std::vector<LaidOutButton> buttons; // in table order
    unsigned defaultButton = 0;         // MsgDlgBtn, 0 when none
    unsigned cancelButton = 0;
};

struct InputDialogLayout {
    QSize clientSize;
    QRect promptRect;
    QRect editRect;
    QRect okRect;
    QRect cancelRect;
};

constexpr int kIconSize = 32;
constexpr int kButtonCaptionPadding = 8;
constexpr int kInputMaxLength = 255;

// Word-wrapped with tabs expanded, within maxWidth pixels.
QSize measureMessageText(const QFontMetrics& metrics, const QString& text, int maxWidth);
// The caption's single-line width plus padding; what the width cache keeps.
int measureButtonWidth(const QFontMetrics& metrics, const QString& caption);
// Word-wrapped within maxWidth pixels; a word wider than that is broken anywhere, so that the
// whole prompt shows. Draw the prompt with promptTextFlags, as it was measured.
int promptTextFlags(const QFontMetrics& metrics, const QString& prompt, int maxWidth);
QSize measurePrompt(const QFontMetrics& metrics, const QString& prompt, int maxWidth);

// Top-left corner that centres a window of this size on the primary screen.
QPoint nvScreenCentredPosition(const QSize& size);
// Messages wrap within half the screen width.
int nvMessageWidthLimit();

unsigned nvDefaultButton(unsigned buttons);
unsigned nvCancelButton(unsigned buttons);

MessageDialogLayout computeMessageLayout(const DialogFontMetrics& units, const MessageLayoutInput& input);
InputDialogLayout computeInputLayout(const DialogFontMetrics& units, const QSize& promptSize, int editHeight);
