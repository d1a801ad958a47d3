#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class ProgressSink;

struct LanguageFlag {
    QString name;
    // The [Images] "Flag16" bitmap, blank when the file has none or cannot be read.
    QImage flag16;
};

// The language files of a product: the files "<name>.<extension>" of one folder. Everything that
// names or lists language files goes through here.
class LanguageFolder {
public:
    // path may lack the closing separator.
    LanguageFolder(const QString& path, const QString& extension);

    // The folder, ending in the host separator (empty when the path is).
    const QString& folder() const { return m_folder; }
    const QString& extension() const { return m_extension; }
    // Both a path and an extension are given.
    bool isNamed() const { return !m_folder.isEmpty() && !m_extension.isEmpty(); }

    // The file of a language, whether it exists or not.
    QString filePath(const QString& language) const;
    // Language names in the name collation's order; none when unnamed or the folder is missing.
    QStringList names() const;
    // The files of those languages, in the same order.
    QStringList files() const;
    // The languages with their small flags. A file that cannot be read is still listed, with a
    // blank flag. progress, when given, gets (0, count) first and then each language's position
    // as it is read.
    QList<LanguageFlag> flags(ProgressSink* progress = nullptr) const;

    // The [Images] "Flag16" bitmap of a language file, read as plain text.
    static QImage readFlag16(const QString& fileName);

private:
    QString m_folder;
    QString m_extension;
};
