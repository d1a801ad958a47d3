#include "FlagStore.h"

#include "FileError.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "LanguageKeys.h"
#include "RewriteGuard.h"
#include "SafeFile.h"

#include <QtEndian>

#include <cstdlib>

namespace {

constexpr qsizetype FileHeaderSize = 14;
constexpr quint32 CoreHeaderSize = 12;
constexpr quint32 BiRgb = 0;
constexpr quint32 BiBitfields = 3;

template <class T> T little(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

// Whether the file reaches to the end of the pixel rows its headers announce. Compressed
// rows have no size known in advance; the reader judges those.
bool holdsPixelRows(const QByteArray& bytes) {
    if (bytes.size() < FileHeaderSize + qsizetype(CoreHeaderSize) || !bytes.startsWith("BM")) {
        return false;
    }
    const quint32 pixelsAt = little<quint32>(bytes, 10);
    const quint32 headerSize = little<quint32>(bytes, FileHeaderSize);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitCount = 0;
    quint32 compression = BiRgb;
    if (headerSize == CoreHeaderSize) {
        width = little<quint16>(bytes, 18);
        height = little<quint16>(bytes, 20);
        bitCount = little<quint16>(bytes, 24);
    } else {
        if (bytes.size() < FileHeaderSize + 20) {
            return false;
        }
        width = little<qint32>(bytes, 18);
        height = std::llabs(little<qint32>(bytes, 22));
        bitCount = little<quint16>(bytes, 28);
        compression = little<quint32>(bytes, 30);
    }
    if (compression != BiRgb && compression != BiBitfields) {
        return true;
    }
    if (width <= 0 || height == 0) {
        return false;
    }
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    // A row longer than the file cannot fit; checked first so the product cannot overflow.
    return rowBytes <= bytes.size() && qint64(pixelsAt) + rowBytes * height <= qint64(bytes.size());
}

} // namespace

namespace FlagStore {

std::optional<QImage> bitmapFromBmp(const QByteArray& bytes) {
    if (!holdsPixelRows(bytes)) {
        return std::nullopt;
    }
    QImage image;
    if (!image.loadFromData(bytes, "BMP") || image.isNull()) {
        return std::nullopt;
    }
    return image;
}

Result storeFlag(const QString& bitmapFile, const QString& languageFile, const QByteArray& key) {
    Result result;
    try {
        const std::optional<QImage> bitmap = bitmapFromBmp(SafeFile::readAll(bitmapFile));
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
