#include "LanguageCatalogue.h"

#include "CompressedContainer.h"
#include "HexBitmap.h"
#include "ImageList.h"
#include "IniDocument.h"
#include "LanguageFolder.h"
#include "LanguageKeys.h"
#include "LanguageLoadLock.h"
#include "LanguageTextReader.h"
#include "TnvLanguageList.h"

#include <QDir>

#include <exception>
#include <optional>

namespace {

// The image's index in the list when it has the list's width, else -1.
int addFlag(const QImage& flag, ImageList& images) {
    return flag.width() == images.imageSize().width() ? images.addMasked(flag) : -1;
}

} // namespace

namespace LanguageCatalogue {

void describe(TnvLanguage& language, const IniDocument& document, ImageList& images16, ImageList& images32) {
    const LanguageTextReader texts(document);
    language.LanguageRealName = texts.plain(LanguageKeys::Main, LanguageKeys::LanguageName, QString());
    if (language.LanguageRealName.isEmpty()) {
        language.LanguageRealName = language.LanguageName;
    }
    language.LanguageHint = texts.plain(LanguageKeys::Main, LanguageKeys::Use, QString());
    ReadFlagBitmap(document, LanguageKeys::Images, LanguageKeys::Flag16, language.Flag16);
    language.ImageIndex16 = addFlag(language.Flag16, images16);
    ReadFlagBitmap(document, LanguageKeys::Images, LanguageKeys::Flag32, language.Flag32);
    language.ImageIndex32 = addFlag(language.Flag32, images32);
}

bool scan(const QString& folder, const QString& extension, const QByteArray& compressIndicator, bool takeLock,
          const Target& target) {
    const LanguageFolder files(folder, extension);
    if (folder.isEmpty() || !QDir(files.folder()).exists()) {
        return false;
    }
    target.languages.Clear();
    target.images16.clear();
    target.images32.clear();
    for (const QString& name : files.names()) {
        TnvLanguage& language = target.languages.Add();
        language.LanguageName = name;
        language.FileName = files.filePath(name);
        std::optional<LanguageLoadLock> lock;
        if (takeLock) {
            lock.emplace().acquire();
        }
        IniDocument document;
        try {
            LoadLanguageDocument(document, language.FileName, compressIndicator);
        } catch (const std::exception&) {
            // Listed all the same, under its base name and with blank flags.
        }
        describe(language, document, target.images16, target.images32);
    }
    return true;
}

} // namespace LanguageCatalogue
