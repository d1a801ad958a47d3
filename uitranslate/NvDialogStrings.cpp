#include "NvDialogStrings.h"

namespace {

const std::array<MsgDlgButtonInfo, kMsgDlgButtonCount> kButtons{{
    {mbYes, "Yes", "ButtonYes", "Yes", mrYes},
    {mbNo, "No", "ButtonNo", "No", mrNo},
    {mbOK, "OK", "ButtonOK", "OK", mrOk},
    {mbCancel, "Cancel", "ButtonCancel", "Cancel", mrCancel},
    {mbAbort, "Abort", "ButtonAbort", "Abort", mrAbort},
    {mbRetry, "Retry", "ButtonRetry", "Retry", mrRetry},
    {mbIgnore, "Ignore", "ButtonIgnore", "Ignore", mrIgnore},
    {mbAll, "All", "ButtonAll", "All", mrAll},
    {mbNoToAll, "NoToAll", "ButtonNoToAll", "No to all", mrNoToAll},
    {mbYesToAll, "YesToAll", "ButtonYesToAll", "Yes to all", mrYesToAll},
    {mbHelp, "Help", "ButtonHelp", "Help", mrNone},
}};

const std::array<MsgDlgTypeInfo, kMsgDlgTypeCount> kTypes{{
    {MsgDlgType::Warning, "DialogTitleWarning", "Warning", MsgDlgIcon::Warning},
    {MsgDlgType::Error, "DialogTitleError", "Error", MsgDlgIcon::Error},
    {MsgDlgType::Information, "DialogTitleInformation", "Information", MsgDlgIcon::Information},
    {MsgDlgType::Confirmation, "DialogTitleConfirmation", "Confirmation", MsgDlgIcon::Question},
    {MsgDlgType::Custom, "DialogTitleCustom", "Custom", MsgDlgIcon::None},
}};

constexpr int kStringCount = kMsgDlgButtonCount + kMsgDlgTypeCount;

// Button captions first, then titles, in the order of the two tables.
std::array<QString, kStringCount> defaultStrings() {
    std::array<QString, kStringCount> defaults;
    for (int i = 0; i < kMsgDlgButtonCount; ++i) {
        defaults[i] = QString::fromLatin1(kButtons[i].defaultCaption);
    }
    for (int i = 0; i < kMsgDlgTypeCount; ++i) {
        defaults[kMsgDlgButtonCount + i] = QString::fromLatin1(kTypes[i].defaultTitle);
    }
    return defaults;
}

std::array<QString, kStringCount>& strings() {
    static std::array<QString, kStringCount> all = defaultStrings();
    return all;
}

const char* keyAt(int index) {
    return index < kMsgDlgButtonCount ? kButtons[index].captionKey : kTypes[index - kMsgDlgButtonCount].titleKey;
}

int indexOfKey(const QString& key) {
    for (int i = 0; i < kStringCount; ++i) {
        if (key.compare(QLatin1String(keyAt(i)), Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

const std::array<MsgDlgButtonInfo, kMsgDlgButtonCount>& nvButtonTable() {
    return kButtons;
}

const std::array<MsgDlgTypeInfo, kMsgDlgTypeCount>& nvTypeTable() {
    return kTypes;
}

int nvButtonIndex(MsgDlgBtn button) {
    for (int i = 0; i < kMsgDlgButtonCount; ++i) {
        if (kButtons[i].button == button) {
            return i;
        }
    }
    return 0;
}

const MsgDlgButtonInfo& nvButtonInfo(MsgDlgBtn button) {
    return kButtons[nvButtonIndex(button)];
}

const MsgDlgTypeInfo& nvTypeInfo(MsgDlgType type) {
    return kTypes[static_cast<int>(type)];
}

QString nvGetCaption(const QString& key) {
    const int index = indexOfKey(key);
    return index < 0 ? QString() : strings()[index];
}

bool nvSetCaption(const QString& key, const QString& text) {
    const int index = indexOfKey(key);
    if (index < 0) {
        return false;
    }
    strings()[index] = text;
    return true;
}

QStringList nvCaptionKeys() {
    QStringList keys;
    for (int i = 0; i < kStringCount; ++i) {
        keys << QLatin1String(keyAt(i));
    }
    return keys;
}

void nvResetCaptions() {
    strings() = defaultStrings();
}

QString nvButtonCaption(MsgDlgBtn button) {
    return strings()[nvButtonIndex(button)];
}

QString nvTypeTitle(MsgDlgType type) {
    return strings()[kMsgDlgButtonCount + static_cast<int>(type)];
}
