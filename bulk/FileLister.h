#pragma once

#include <QList>
#include <QString>

// One file of a bulk list: the name as listed and the folder it lies in, ending in the separator.
struct ListedFile {
    QString name;
    QString folder;
    QString path() const { return folder + name; }
};

// The files that the sorter and the rules page offer, names in the collation order.
namespace FileLister {

// The files of path matching pattern ("*.lng"); path gets the separator when it lacks one.
// An empty path or a missing folder lists nothing.
QList<ListedFile> matching(const QString& path, const QString& pattern);

// The language files "*." + extension; an empty extension lists nothing.
QList<ListedFile> languageFiles(const QString& path, const QString& extension);

// Every file of path whose name ends in extension, compared without regard to case and with no
// dot required ("info" ends in "nfo"); an empty extension admits every file.
QList<ListedFile> specialFiles(const QString& path, const QString& extension);

} // namespace FileLister
