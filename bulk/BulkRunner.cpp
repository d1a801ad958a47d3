#include "BulkRunner.h"

#include "DocumentSorter.h"
#include "FileError.h"
#include "RewriteGuard.h"
#include "RuleApplier.h"
#include "SafeFile.h"

#include <QFileInfo>

#include <exception>

namespace {

FileReport rewriteFile(const QString& path, const BulkRunner::Rewrite& rewrite, QByteArray& text) {
    if (!QFileInfo::exists(path)) {
        return {path, FileReport::Outcome::Missing, {}};
    }
    try {
        const QByteArray bytes = SafeFile::readAll(path);
        RewriteGuard::ensureRewritable(path, bytes);
        IniDocument document;
        document.setFileName(path);
        document.setFromText(bytes);
        rewrite(document, text);
        SafeFile::writeAll(path, text);
        return {path, FileReport::Outcome::Written, {}};
    } catch (const FileError& error) {
        return {path, FileReport::Outcome::Failed, error.message()};
    } catch (const std::exception& error) {
        return {path, FileReport::Outcome::Failed, QString::fromLocal8Bit(error.what())};
    }
}

} // namespace

namespace BulkRunner {

QList<FileReport> run(const QStringList& paths, const Rewrite& rewrite, const Progress& progress) {
    const int total = int(paths.size());
    if (progress) {
        progress(0, total);
    }
    QList<FileReport> reports;
    reports.reserve(total);
    QByteArray text;
    for (const QString& path : paths) {
        reports.append(rewriteFile(path, rewrite, text));
        if (progress) {
            progress(int(reports.size()), total);
        }
    }
    return reports;
}

QList<FileReport> sortFiles(const QStringList& paths, const Progress& progress, const QLocale& locale) {
    const DocumentSorter sorter(locale);
    return run(
        paths, [&](IniDocument& document, QByteArray& text) { sorter.sortedText(document, text); }, progress);
}

QList<FileReport> applyRules(const QStringList& paths, const QList<ChangeRule>& rules, const Progress& progress) {
    return run(
        paths,
        [&](IniDocument& document, QByteArray& text) {
            RuleApplier::apply(document, rules);
            document.toText(text);
        },
        progress);
}

} // namespace BulkRunner
