#include "LanguageDiscovery.h"

#include "FileError.h"
#include "FileListing.h"
#include "FolderPath.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "LanguageKeys.h"

#include <QDir>

#include <algorithm>

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
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

QImage readFlag16(const QString& fileName) {
    QImage flag(16, 16, QImage::Format_RGB32);
    flag.fill(Qt::white);
    try {
        const IniDocument document(fileName);
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
