#include "FlagStore.h"

#include "BmpDecoder.h"
#include "FileError.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "LanguageKeys.h"
#include "RewriteGuard.h"
#include "SafeFile.h"

namespace FlagStore {

Result storeFlag(const QString& bitmapFile, const QString& languageFile, const QByteArray& key) {
    Result result;
    try {
        const std::optional<QImage> bitmap = BmpDecoder::decode(SafeFile::readAll(bitmapFile));
        if (!bitmap) {
            result.error = QString::fromLatin1(InvalidBitmap);
            return result;
        }
        IniDocument document(languageFile);
        RewriteGuard::ensureRewritable(document);
        WriteFlagBitmap(document, LanguageKeys::Images, key, *bitmap);
        SafeFile::writeAll(languageFile, document.toText());
    } catch (const FileError& error) {
        result.error = error.message();
        return result;
    }
    result.stored = true;
    return result;
}

} // namespace FlagStore
