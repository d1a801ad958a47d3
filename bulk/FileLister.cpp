#include "FileLister.h"

#include "FileListing.h"
#include "FolderPath.h"
#include "NameCollation.h"

#include <QStringList>

namespace FileLister {

QList<ListedFile> matching(const QString& path, const QString& pattern) {
    if (path.isEmpty()) {
        return {};
    }
    const QString folder = FolderPath::withSeparator(path);
    QStringList names = FileListing::files(folder, pattern);
    NameCollation().sort(names);
    QList<ListedFile> files;
    files.reserve(names.size());
    for (const QString& name : names) {
        files.append({name, folder});
    }
    return files;
}

QList<ListedFile> languageFiles(const QString& path, const QString& extension) {
    if (extension.isEmpty()) {
        return {};
    }
    return matching(path, QStringLiteral("*.") + extension);
}

QList<ListedFile> specialFiles(const QString& path, const QString& extension) {
    QList<ListedFile> files = matching(path, QStringLiteral("*.*"));
    files.removeIf([&](const ListedFile& file) { return !file.name.endsWith(extension, Qt::CaseInsensitive); });
    return files;
}

} // namespace FileLister
