#include "FileError.h"

FileError FileError::cannotOpen(const QString& fileName, const QString& reason) {
    return FileError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
}

FileError FileError::cannotCreate(const QString& fileName, const QString& reason) {
    return FileError(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
}

FileError FileError::tooLarge(const QString& fileName) {
    return cannotOpen(fileName, QStringLiteral("The file is larger than 2 GB."));
}
