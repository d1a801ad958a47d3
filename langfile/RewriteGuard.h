#pragma once

#include <QByteArray>
#include <QString>

class IniDocument;

// Whether a file may be rewritten as an 8-bit language file. The loader reads a UTF-16 or
// binary file up to its first NUL and takes a byte-order mark as part of the first line, so
// writing such a file back would lose what it could not read. Every writer of language,
// special and rules files asks here before it replaces a file it read.
namespace RewriteGuard {

// Empty when a file of these bytes may be rewritten, else the reason it may not.
QString refusal(const QByteArray& fileBytes);
// The same when the first NUL's position is known (the size when there is none), so that a
// loader reads the bytes once for both.
QString refusal(const QByteArray& fileBytes, qsizetype firstNul);

// Throw FileError "Cannot create file" naming the file, with the refusal, when there is one:
// for a file's bytes, or for a document loaded from its file (IniDocument::rewriteRefusal).
void ensureRewritable(const QString& fileName, const QByteArray& fileBytes);
void ensureRewritable(const IniDocument& document);

} // namespace RewriteGuard
