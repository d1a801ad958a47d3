#pragma once

#include <QString>
#include <QStringList>

// The program's own message texts: a key (its name in an interface language's [Messages]
// section) and the English default, addressed by index.
class MessageTable {
public:
    enum Index {
        WarningDestLanguage = 0,
        FileDoesNotExist = 1,
        InputDlgFileExtensionTitle = 2,
        InputDlgFileExtension = 3,
        InputDlgFileExtension2 = 4,
        InputDlgDescriptionTitle = 5,
        InputDlgDescription = 6,
        ConfirmationProjectDelete = 7,
        DialogProjectRenameCaption = 8,
        DialogProjectRenamePrompt = 9,
        CheckPlaceholders = 10,
        CheckLineBreaks = 11,
        CheckAccelerators = 12,
        CheckLeadingBlanks = 13,
        CheckTrailingBlanks = 14,
        CheckEndPunctuation = 15,
        CompletionFile = 16,
        CompletionSection = 17,
        NoUntranslatedEntry = 18,
        CompletionFigures = 19,
    };

    static int count();
    // Empty for an index outside the table.
    static QString key(int index);
    static QString defaultText(int index);
    // text with its "%s" replaced by argument.
    static QString format(const QString& text, const QString& argument);
    // text with each "%s" in turn replaced by the next argument, in one pass, so an argument
    // that holds "%s" is not filled in again.
    static QString format(const QString& text, const QStringList& arguments);
};
