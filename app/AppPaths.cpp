#include "AppPaths.h"

#include "FolderPath.h"

#include <QCoreApplication>
#include <QDir>

QString AppPaths::executableFolder() {
    return FolderPath::withSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}
