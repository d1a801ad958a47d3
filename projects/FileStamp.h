#pragma once

#include <QString>
#include <QtGlobal>

// What a file looked like on disk: enough to notice that someone else rewrote it (a safe
// write replaces the inode, an in-place edit changes the inode change time even when the
// size stays and the modification time is put back).
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;

    static FileStamp of(const QString& fileName);

    bool operator==(const FileStamp& other) const;
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
