#pragma once

#include "SafeFile.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// One scratch folder per fuzzing process (under $TMPDIR; a memory file system keeps it fast).
inline QString fuzzFile(const QString& name) {
    static QTemporaryDir dir;
    return dir.filePath(name);
}

inline QString writeFuzzFile(const QString& name, const QByteArray& bytes) {
    const QString path = fuzzFile(name);
    SafeFile::writeAll(path, bytes);
    return path;
}
