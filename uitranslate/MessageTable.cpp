#include "MessageTable.h"

#include <array>

namespace {

struct Entry {
    const char* key;
    const char* text;
};

constexpr std::array<Entry, 10> entries{{
    {"WarningDestLanguage", "Please select a destination language first!"},
    {"FileDoesNotExist", "File %s does not exist!"},
    {"InputDlgFileExtensionTitle", "File extension"},
    {"InputDlgFileExtension", "Please enter extension of language files:"},
    {"InputDlgFileExtension2", "Please enter extension of special files:"},
    {"InputDlgDescriptionTitle", "Description:"},
    {"InputDlgDescription", "Please enter description:"},
    {"ConfirmationProjectDelete", "Are you sure you want to delete the project %s?"},
    {"DialogProjectRenameCaption", "Rename project"},
    {"DialogProjectRenamePrompt", "Please enter the new project name for %s:"},
}};

bool inRange(int index) {
    return index >= 0 && index < static_cast<int>(entries.size());
}

} // namespace

int MessageTable::count() {
    return static_cast<int>(entries.size());
}

QString MessageTable::key(int index) {
    return inRange(index) ? QString::fromLatin1(entries[index].key) : QString();
}

QString MessageTable::defaultText(int index) {
    return inRange(index) ? QString::fromLatin1(entries[index].text) : QString();
}

QString MessageTable::format(const QString& text, const QString& argument) {
    QString result = text;
    const int at = result.indexOf(QLatin1String("%s"));
    return at < 0 ? result : result.replace(at, 2, argument);
}
