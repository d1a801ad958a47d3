#include "LanguageFolder.h"

#include "FileError.h"
#include "FileListing.h"
#include "FolderPath.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "LanguageKeys.h"
#include "NameCollation.h"
#include "ProgressSink.h"
#include "SafeFile.h"

#include <QDir>

LanguageFolder::LanguageFolder(const QString& path, const QString& extension)
    : m_folder(FolderPath::withSeparator(path)), m_extension(extension) {}

QString LanguageFolder::filePath(const QString& language) const {
    return m_folder + language + QLatin1Char('.') + m_extension;
}

QStringList LanguageFolder::names() const {
    if (!isNamed() || !QDir(m_folder).exists()) {
        return {};
    }
    QStringList names;
    for (const QString& file : FileListing::files(m_folder, QStringLiteral("*.") + m_extension)) {
        names.append(file.left(file.size() - m_extension.size() - 1));
    }
    NameCollation().sort(names);
    return names;
}

QStringList LanguageFolder::files() const {
    QStringList files;
    for (const QString& name : names()) {
        files.append(filePath(name));
    }
    return files;
}

QImage LanguageFolder::readFlag16(const QString& fileName) {
    QImage flag(16, 16, QImage::Format_RGB32);
    flag.fill(Qt::white);
    try {
        // Only the [Images] sections can hold the flag; the rest of the file need not be parsed.
        IniDocument document;
        document.setFromText(SafeFile::readAll(fileName), LanguageKeys::Images);
        ReadFlagBitmap(document, LanguageKeys::Images, LanguageKeys::Flag16, flag);
    } catch (const FileError&) {
        // An unreadable file still names a language; it just has no flag to show.
    }
    return flag;
}

QList<LanguageFlag> LanguageFolder::flags(ProgressSink* progress) const {
    const QStringList names = this->names();
    if (progress) {
        progress->progress(0, int(names.size()));
    }
    QList<LanguageFlag> languages;
    languages.reserve(names.size());
    for (int i = 0; i < names.size(); ++i) {
        if (progress) {
            progress->progress(i, int(names.size()));
        }
        languages.append({names.at(i), readFlag16(filePath(names.at(i)))});
    }
    return languages;
}
