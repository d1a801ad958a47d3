#include "MessageTable.h"

#include <array>

namespace {

struct Entry {
    const char* key;
    const char* text;
};

constexpr std::array<Entry, 20> entries{{
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
    {"CheckPlaceholders", "The placeholders differ from the source text"},
    {"CheckLineBreaks", "The number of line breaks differs from the source text"},
    {"CheckAccelerators", "The number of & accelerators differs from the source text"},
    {"CheckLeadingBlanks", "The leading blanks differ from the source text"},
    {"CheckTrailingBlanks", "The trailing blanks differ from the source text"},
    {"CheckEndPunctuation", "The ending punctuation differs from the source text"},
    {"CompletionFile", "File: %s"},
    {"CompletionSection", "Section %s: %s"},
    {"NoUntranslatedEntry", "No untranslated entry is left."},
    {"CompletionFigures", "%s of %s entries translated, %s equal to the source"},
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

QString MessageTable::format(const QString& text, const QStringList& arguments) {
    QString result;
    result.reserve(text.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('%') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('s') &&
            next < arguments.size()) {
            result += arguments.at(next++);
            ++i;
        } else {
            result += text.at(i);
        }
    }
    return result;
}
