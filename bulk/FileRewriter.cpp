#include "FileRewriter.h"

#include "RewriteGuard.h"
#include "SafeFile.h"

#include <utility>

FileRewriter::FileRewriter(Rewrite rewrite) : m_rewrite(std::move(rewrite)) {}

const QByteArray& FileRewriter::rewritten(const QString& path) {
    // The document lets go of the last file's bytes, so that the next are read over them.
    m_document.clear();
    SafeFile::readAll(path, m_bytes);
    RewriteGuard::ensureRewritable(path, m_bytes);
    m_document.setFileName(path);
    m_document.setFromText(m_bytes);
    m_rewrite(m_document, m_text);
    return m_text;
}

void FileRewriter::rewrite(const QString& path) {
    SafeFile::writeAll(path, rewritten(path));
}
