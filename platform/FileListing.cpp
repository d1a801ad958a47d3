#include "FileListing.h"

#include <QDir>
#include <QRegularExpression>

namespace {

// Only "*" and "?" are wildcards; brackets and every other character stand for themselves,
// so that a typed extension such as "[1]" matches literally.
QRegularExpression wildcardExpression(const QString& pattern) {
    QString expression;
    expression.reserve(pattern.size() * 2 + 2);
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*')) {
            expression += QLatin1String(".*");
        } else if (c == QLatin1Char('?')) {
            expression += QLatin1Char('.');
        } else {
            expression += QRegularExpression::escape(QString(c));
        }
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(expression),
                              QRegularExpression::DotMatchesEverythingOption);
}

} // namespace

namespace FileListing {

QStringList files(const QString& folder, const QString& pattern) {
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (!dir.exists()) {
        return {};
    }
    const QStringList all = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    // "*.*" means every file, with or without a dot, as the callers that list "all files" expect.
    if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
        return all;
    }
    const QRegularExpression matcher = wildcardExpression(pattern);
    QStringList matching;
    for (const QString& name : all) {
        if (matcher.match(name).hasMatch()) {
            matching.append(name);
        }
    }
    return matching;
}

} // namespace FileListing
