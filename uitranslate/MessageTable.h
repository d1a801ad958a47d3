#pragma once

#include <QString>

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
    };

    static int count();
    // Empty for an index outside the table.
    static QString key(int index);
    static QString defaultText(int index);
    // text with its "%s" replaced by argument.
    static QString format(const QString& text, const QString& argument);
};
