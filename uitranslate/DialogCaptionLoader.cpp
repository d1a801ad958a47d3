#include "DialogCaptionLoader.h"

#include "LanguageTextReader.h"
#include "NvDialogStrings.h"

void LoadDialogCaptions(const LanguageTextReader& texts) {
    for (const QString& key : nvCaptionKeys()) {
        if (const std::optional<QString> caption = texts.plain(QStringLiteral("Dialogs"), key)) {
            nvSetCaption(key, *caption);
        }
    }
}
