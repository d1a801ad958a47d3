#include "LanguageDiscovery.h"

#include "AnsiCase.h"
#include "FileError.h"
#include "FileListing.h"
#include "FolderPath.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "LanguageKeys.h"
#include "LineScanner.h"
#include "NameCollation.h"
#include "SafeFile.h"

#include <QDir>

#include <algorithm>
#include <cstring>

namespace LanguageDiscovery {

QStringList languageNames(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty()) {
        return {};
    }
    const QString folder = FolderPath::withSeparator(path);
    if (!QDir(folder).exists()) {
        return {};
    }
    QStringList names;
    for (const QString& file : FileListing::files(folder, QStringLiteral("*.") + extension)) {
        names.append(file.left(file.size() - extension.size() - 1));
    }
    NameCollation().sort(names);
    return names;
}

QByteArray imagesSections(const QByteArray& text) {
    const char* begin = text.constData();
    const char* end = begin + text.size();
    if (const void* nul = std::memchr(begin, 0, size_t(text.size()))) {
        end = static_cast<const char*>(nul);
    }
    // Header lines are found from their "[" alone, so the scan runs at memchr speed.
    QByteArray result;
    const char* chunkStart = nullptr; // start of the Images section being copied
    for (const char* p = begin; p < end;) {
        const char* open = static_cast<const char*>(std::memchr(p, '[', size_t(end - p)));
        if (!open) {
            break;
        }
        p = open + 1;
        const char* lineStart = open;
        while (lineStart > begin && isBlank(lineStart[-1]) && lineStart[-1] != '\r' && lineStart[-1] != '\n') {
            --lineStart;
        }
        if (lineStart > begin && lineStart[-1] != '\r' && lineStart[-1] != '\n') {
            continue;
        }
        const char* lineEnd = begin + findLineEnd(begin, size_t(open - begin), size_t(end - begin));
        const char* last = lineEnd;
        while (last > open && isBlank(last[-1])) {
            --last;
        }
        if (last - open < 2 || last[-1] != ']') {
            continue;
        }
        if (chunkStart) {
            result.append(chunkStart, lineStart - chunkStart).append("\r\n");
            chunkStart = nullptr;
        }
        const char* nameStart = open + 1;
        const char* nameEnd = last - 1;
        while (nameStart < nameEnd && isBlank(*nameStart)) {
            ++nameStart;
        }
        while (nameEnd > nameStart && isBlank(nameEnd[-1])) {
            --nameEnd;
        }
        if (AnsiCase::equal(nameStart, size_t(nameEnd - nameStart), LanguageKeys::Images,
                            sizeof LanguageKeys::Images - 1)) {
            chunkStart = lineStart;
        }
        p = lineEnd;
    }
    if (chunkStart) {
        result.append(chunkStart, end - chunkStart);
    }
    return result;
}

QImage readFlag16(const QString& fileName) {
    QImage flag(16, 16, QImage::Format_RGB32);
    flag.fill(Qt::white);
    try {
        // Only the [Images] sections can hold the flag; the rest of the file need not be parsed.
        IniDocument document;
        document.setFromText(imagesSections(SafeFile::readAll(fileName)));
        ReadFlagBitmap(document, LanguageKeys::Images, LanguageKeys::Flag16, flag);
    } catch (const FileError&) {
        // An unreadable file still names a language; it just has no flag to show.
    }
    return flag;
}

QImage masked(const QImage& image) {
    if (image.isNull()) {
        return image;
    }
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = result.pixel(0, 0);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == transparent) {
                line[x] = qRgba(qRed(transparent), qGreen(transparent), qBlue(transparent), 0);
            }
        }
    }
    return result;
}

QList<DiscoveredLanguage> discover(const QString& path, const QString& extension, const Progress& progress) {
    const QStringList names = languageNames(path, extension);
    const QString folder = FolderPath::withSeparator(path);
    if (progress) {
        progress(0, int(names.size()));
    }
    QList<DiscoveredLanguage> languages;
    languages.reserve(names.size());
    for (int i = 0; i < names.size(); ++i) {
        if (progress) {
            progress(i, int(names.size()));
        }
        const QString fileName = folder + names.at(i) + QLatin1Char('.') + extension;
        languages.append({names.at(i), masked(readFlag16(fileName))});
    }
    return languages;
}

int findIgnoringCase(const QStringList& items, const QString& stored) {
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(stored, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace LanguageDiscovery
