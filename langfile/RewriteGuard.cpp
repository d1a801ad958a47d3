#include "RewriteGuard.h"

#include "FileError.h"
#include "IniDocument.h"

#include <cstring>

namespace {

void refuse(const QString& fileName, const QString& reason) {
    if (!reason.isEmpty()) {
        throw FileError::cannotCreate(fileName, reason);
    }
}

} // namespace

namespace RewriteGuard {

QString refusal(const QByteArray& fileBytes) {
    const void* nul = std::memchr(fileBytes.constData(), '\0', size_t(fileBytes.size()));
    return refusal(fileBytes, nul ? static_cast<const char*>(nul) - fileBytes.constData() : fileBytes.size());
}

QString refusal(const QByteArray& fileBytes, qsizetype firstNul) {
    const QString lost =
        QStringLiteral(" It is not an 8-bit language file; writing it back would lose data, so it is left as it is.");
    if (fileBytes.startsWith("\xEF\xBB\xBF")) {
        return QStringLiteral("The file starts with a UTF-8 byte-order mark (EF BB BF).") + lost;
    }
    if (fileBytes.startsWith("\xFF\xFE") || fileBytes.startsWith("\xFE\xFF")) {
        return QStringLiteral("The file starts with a UTF-16 byte-order mark (%1).")
                   .arg(QString::fromLatin1(fileBytes.left(2).toHex(' ').toUpper())) +
               lost;
    }
    // NULs only at the very end hide nothing: the loader stops there with all the text read.
    for (qsizetype i = firstNul; i < fileBytes.size(); ++i) {
        if (fileBytes.at(i) != '\0') {
            return QStringLiteral("The file holds a NUL byte before its end (at byte %1).").arg(firstNul) + lost;
        }
    }
    return QString();
}

void ensureRewritable(const QString& fileName, const QByteArray& fileBytes) {
    refuse(fileName, refusal(fileBytes));
}

void ensureRewritable(const IniDocument& document) {
    refuse(document.fileName(), document.rewriteRefusal());
}

} // namespace RewriteGuard
