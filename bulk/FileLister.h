#pragma once

#include <QList>
#include <QString>

class LanguageFolder;

// One file of a bulk list: the name as listed and the folder it lies in, ending in the separator.
struct ListedFile {
    QString name;
    QString folder;
    QString path() const { return folder + name; }
};

// The files that the sorter and the rules page offer, names in the collation order.
namespace FileLister {

// The language files of the folder, as the folder itself lists them.
QList<ListedFile> languageFiles(const LanguageFolder& folder);

// Every file of the folder whose name ends in its extension, compared without regard to case and
// with no dot required ("info" ends in "nfo"); an empty extension admits every file. An empty
// path or a missing folder lists nothing.
QList<ListedFile> specialFiles(const LanguageFolder& folder);

} // namespace FileLister
