#include "SpecialCategories.h"

#include "FileListing.h"
#include "NameCollation.h"
#include "SpecialFiles.h"

namespace SpecialCategories {

QStringList listFiles(const QString& folder, const QString& pattern) {
    return FileListing::files(folder, pattern);
}

QList<SpecialCategory> list(const SpecialFiles& files, const Lister& lister) {
    const qsizetype suffix = files.extension().size() + 1;
    QStringList names = lister(files.listingFolder(), files.listingPattern());
    for (QString& name : names) {
        name.chop(suffix);
    }
    NameCollation().sort(names);
    QList<SpecialCategory> categories;
    categories.reserve(names.size());
    for (const QString& name : names) {
        RowMark mark = MarkMissing;
        if (SpecialFiles::exists(files.destinationFile(name))) {
            mark = MarkPresent;
        } else if (SpecialFiles::exists(files.sourceFile(name))) {
            mark = MarkPartial;
        }
        categories.append({name, mark});
    }
    return categories;
}

} // namespace SpecialCategories
