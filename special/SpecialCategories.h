#pragma once

#include "RowMark.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class SpecialFiles;

struct SpecialCategory {
    QString name;
    RowMark mark = MarkMissing;
};

// The category list of a project's special files.
namespace SpecialCategories {

// Bare names of the files of a folder that match a wildcard pattern.
using Lister = std::function<QStringList(const QString& folder, const QString& pattern)>;

// The host file listing.
QStringList listFiles(const QString& folder, const QString& pattern);

// Every listed file is a category, named without "." and the extension; language files are not
// filtered out, so Adware.German.nfo lists as the category Adware.German. Sorted by the name
// collation; marked 2 when the destination language's file exists, else 1 when the source
// language's file exists, else 0.
QList<SpecialCategory> list(const SpecialFiles& files, const Lister& lister = listFiles);

} // namespace SpecialCategories
