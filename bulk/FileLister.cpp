#include "FileLister.h"

#include "FileListing.h"
#include "LanguageFolder.h"
#include "NameCollation.h"

#include <QStringList>

namespace FileLister {

QList<ListedFile> languageFiles(const LanguageFolder& folder) {
    QList<ListedFile> files;
    for (const QString& name : folder.names()) {
        files.append({name + QLatin1Char('.') + folder.extension(), folder.folder()});
    }
    return files;
}

QList<ListedFile> specialFiles(const LanguageFolder& folder) {
    if (folder.folder().isEmpty()) {
        return {};
    }
    QStringList names = FileListing::files(folder.folder(), QStringLiteral("*.*"));
    NameCollation().sort(names);
    QList<ListedFile> files;
    for (const QString& name : names) {
        if (name.endsWith(folder.extension(), Qt::CaseInsensitive)) {
            files.append({name, folder.folder()});
        }
    }
    return files;
}

} // namespace FileLister
