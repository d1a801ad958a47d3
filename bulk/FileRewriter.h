#pragma once

#include "IniDocument.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Loads, changes and writes back one file after another in the same memory: the file's bytes,
// the document and the text written back serve every file, so that a run touches new memory
// only for a file larger than those before it.
class FileRewriter {
public:
    // Changes a loaded document and puts the bytes to write back into text.
    using Rewrite = std::function<void(IniDocument& document, QByteArray& text)>;

    explicit FileRewriter(Rewrite rewrite);

    // What rewriting the file would write, valid until the next call. Throws FileError when the
    // file cannot be read or must not be rewritten (RewriteGuard).
    const QByteArray& rewritten(const QString& path);
    // Writes that to the file through the safe write.
    void rewrite(const QString& path);

private:
    Rewrite m_rewrite;
    QByteArray m_bytes;
    IniDocument m_document;
    QByteArray m_text;
};
