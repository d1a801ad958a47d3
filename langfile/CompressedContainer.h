#pragma once

#include <QByteArray>
#include <QString>

class IniDocument;

// Inflated bytes of a zlib stream, capped at maxOutput. A damaged or truncated stream gives
// what was inflated up to the damage; bytes after the stream's end are ignored.
QByteArray InflateLanguageStream(const QByteArray& zlibStream, qsizetype maxOutput = 64 * 1024 * 1024);

// Fills document from a file that is plain text or compressed: indicator + "1" + zlib stream.
// Throws FileError "Cannot open file" when the file is missing or unreadable.
void LoadLanguageDocument(IniDocument& document, const QString& fileName, const QByteArray& compressIndicator);
