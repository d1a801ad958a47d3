#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The wording of the translated message and input dialogs: eleven button captions and five
// titles, one program-wide set addressed by the keys of the language files' "Dialogs" section.

enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };

enum MsgDlgBtn : unsigned {
    mbYes = 1u << 0,
    mbNo = 1u << 1,
    mbOK = 1u << 2,
    mbCancel = 1u << 3,
    mbAbort = 1u << 4,
    mbRetry = 1u << 5,
    mbIgnore = 1u << 6,
    mbAll = 1u << 7,
    mbNoToAll = 1u << 8,
    mbYesToAll = 1u << 9,
    mbHelp = 1u << 10
};

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;

enum class MsgDlgIcon { None, Warning, Error, Information, Question };

struct MsgDlgButtonInfo {
    MsgDlgBtn button;
    const char* controlName;
    const char* captionKey;
    const char* defaultCaption;
    int result;
};

struct MsgDlgTypeInfo {
    MsgDlgType type;
    const char* titleKey;
    const char* defaultTitle;
    MsgDlgIcon icon;
};

constexpr int kMsgDlgButtonCount = 11;
constexpr int kMsgDlgTypeCount = 5;

// Buttons in the order they stand in a dialog, left to right.
const std::array<MsgDlgButtonInfo, kMsgDlgButtonCount>& nvButtonTable();
const std::array<MsgDlgTypeInfo, kMsgDlgTypeCount>& nvTypeTable();
const MsgDlgButtonInfo& nvButtonInfo(MsgDlgBtn button);
// Position of the button in nvButtonTable().
int nvButtonIndex(MsgDlgBtn button);
const MsgDlgTypeInfo& nvTypeInfo(MsgDlgType type);

// Keys compare case-insensitively; an unknown key reads as empty and cannot be set.
QString nvGetCaption(const QString& key);
bool nvSetCaption(const QString& key, const QString& text);
// The eleven button keys, then the five title keys.
QStringList nvCaptionKeys();
void nvResetCaptions();

QString nvButtonCaption(MsgDlgBtn button);
QString nvTypeTitle(MsgDlgType type);
