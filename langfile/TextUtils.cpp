#include "TextUtils.h"

#include "FileListing.h"

#include <QDir>

QByteArray UnescapeLineBreaks(const QByteArray& text) {
    // A replacement never forms a new "%0D%0A", so one pass equals repeated first-occurrence search.
    return QByteArray(text).replace("%0D%0A", "\r\n");
}

QString UnescapeLineBreaks(const QString& text) {
    return QString(text).replace(QLatin1String("%0D%0A"), QLatin1String("\r\n"));
}

QStringList FindFiles(const QString& mask) {
    const QString normalized = QDir::fromNativeSeparators(mask);
    const qsizetype slash = normalized.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash >= 0 ? normalized.left(slash + 1) : QString();
    const QString pattern = normalized.mid(slash + 1);
    return FileListing::files(folder, pattern);
}
