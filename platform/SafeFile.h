#pragma once

#include <QByteArray>
#include <QString>

// The one way a whole file is read or written. Writes go to a temporary file in the
// target's folder that is renamed over the target, so a failed write leaves the old
// file byte-identical.
namespace SafeFile {

// Throws FileError ("Cannot open file") when the file is missing or unreadable.
QByteArray readAll(const QString& fileName);

// Throws FileError ("Cannot create file") when the file cannot be replaced; the old
// file is then untouched.
void writeAll(const QString& fileName, const QByteArray& data);

} // namespace SafeFile
