#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <initializer_list>

// Byte files for the tests of every folder: what a test writes must land whole, and a file that
// cannot be read shows as "<missing>" rather than as an empty file.
namespace TestFiles {

inline void write(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write test file %s", qPrintable(fileName));
    }
}

inline QByteArray read(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Files named in folder, each holding bytes.
inline void writeAll(const QString& folder, std::initializer_list<const char*> names, const QByteArray& bytes = {}) {
    for (const char* name : names) {
        write(QDir(folder).filePath(QLatin1String(name)), bytes);
    }
}

// A file under tests/data, or nothing when it is not there.
inline QByteArray fixture(const QString& relative) {
    QFile file(QStringLiteral(TOLVANE_TEST_DATA "/") + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace TestFiles
