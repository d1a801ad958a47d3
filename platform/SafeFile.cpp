#include "SafeFile.h"

#include "FileError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace {

QString systemReason(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

} // namespace

namespace SafeFile {

QByteArray readAll(const QString& fileName) {
    QFile file(fileName);
    if (QFileInfo(fileName).isDir()) {
        throw FileError::cannotOpen(fileName, systemReason(EISDIR));
    }
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError::cannotOpen(fileName, errno ? systemReason(errno) : file.errorString());
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FileError::cannotOpen(fileName, file.errorString());
    }
    return data;
}

void writeAll(const QString& fileName, const QByteArray& data) {
    const QFileInfo target(fileName);
    if (target.isDir()) {
        throw FileError::cannotCreate(fileName, systemReason(EISDIR));
    }
    // QSaveFile would happily replace a read-only file by renaming over it; the user
    // marked it read-only, so refuse as an in-place write would. The owner's write bit
    // counts too, because for root every file is writable.
    if (target.exists() && (!target.isWritable() || !(target.permissions() & QFileDevice::WriteOwner))) {
        throw FileError::cannotCreate(fileName, systemReason(EACCES));
    }
    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        throw FileError::cannotCreate(fileName, errno ? systemReason(errno) : file.errorString());
    }
    if (file.write(data) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError::cannotCreate(fileName, reason);
    }
    errno = 0;
    if (!file.commit()) {
        throw FileError::cannotCreate(fileName, errno ? systemReason(errno) : file.errorString());
    }
}

} // namespace SafeFile
