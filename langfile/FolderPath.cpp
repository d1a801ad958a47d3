#include "FolderPath.h"

#include <QDir>

QString FolderPath::withSeparator(const QString& path) {
    const QChar separator = QDir::separator();
    if (path.isEmpty() || path.endsWith(separator)) {
        return path;
    }
    return path + separator;
}
