#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct DiscoveredLanguage {
    QString name;
    // The 16 x 16 flag, transparent wherever it has the colour of its top-left pixel.
    QImage flag16Masked;
};

// The languages of a project: the files "<name>.<extension>" of its language folder, each
// with the small flag stored in it.
namespace LanguageDiscovery {

using Progress = std::function<void(int position, int maximum)>;

// Language names in the folder, in the name collation's order. An empty path or extension, or
// a missing folder, gives none.
QStringList languageNames(const QString& path, const QString& extension);

// The names with their flags. A file that cannot be read is still listed, with a blank flag.
// progress, when given, gets (0, count) first and then each language's position as it is read.
QList<DiscoveredLanguage> discover(const QString& path, const QString& extension, const Progress& progress = {});

// The [Images] "Flag16" bitmap of a language file, read as plain text.
QImage readFlag16(const QString& fileName);

// The header and lines of every [Images] section of a language file's text, which is all a
// document needs to find the flags exactly as the whole file would give them.
QByteArray imagesSections(const QByteArray& text);

// A copy in which every pixel of the top-left pixel's colour is fully transparent.
QImage masked(const QImage& image);

// The first item equal to stored without regard to case, or -1 (restoring a stored choice).
int findIgnoringCase(const QStringList& items, const QString& stored);

} // namespace LanguageDiscovery
