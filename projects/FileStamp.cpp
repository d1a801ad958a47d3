#include "FileStamp.h"

#include <QFile>

#include <sys/stat.h>

FileStamp FileStamp::of(const QString& fileName) {
    FileStamp stamp;
    struct stat info {};
    if (fileName.isEmpty() || ::stat(QFile::encodeName(fileName).constData(), &info) != 0) {
        return stamp;
    }
    stamp.exists = true;
    stamp.size = qint64(info.st_size);
    stamp.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + qint64(info.st_mtim.tv_nsec);
    stamp.changedNs = qint64(info.st_ctim.tv_sec) * 1000000000 + qint64(info.st_ctim.tv_nsec);
    stamp.inode = quint64(info.st_ino);
    stamp.device = quint64(info.st_dev);
    return stamp;
}

bool FileStamp::operator==(const FileStamp& other) const {
    if (exists != other.exists) {
        return false;
    }
    return !exists || (size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs &&
                       inode == other.inode && device == other.device);
}
