#include "BulkRunner.h"

#include "DocumentSorter.h"
#include "FileError.h"
#include "RuleApplier.h"

#include <QFileInfo>

#include <exception>
#include <memory>

namespace {

FileReport rewriteFile(const QString& path, FileRewriter& rewriter) {
    if (!QFileInfo::exists(path)) {
        return {path, FileReport::Outcome::Missing, {}};
    }
    try {
        rewriter.rewrite(path);
        return {path, FileReport::Outcome::Written, {}};
    } catch (const FileError& error) {
        return {path, FileReport::Outcome::Failed, error.message()};
    } catch (const std::exception& error) {
        return {path, FileReport::Outcome::Failed, QString::fromLocal8Bit(error.what())};
    }
}

} // namespace

namespace BulkRunner {

QByteArray rewritten(const QString& path, const Rewrite& rewrite) {
    FileRewriter rewriter(rewrite);
    return rewriter.rewritten(path);
}

Rewrite sorting(const QLocale& locale) {
    const auto sorter = std::make_shared<const DocumentSorter>(locale);
    return [sorter](IniDocument& document, QByteArray& text) { sorter->sortedText(document, text); };
}

Rewrite applyingRules(const QList<ChangeRule>& rules) {
    return [rules](IniDocument& document, QByteArray& text) {
        RuleApplier::apply(document, rules);
        document.toText(text);
    };
}

QList<FileReport> run(const QStringList& paths, const Rewrite& rewrite, const Progress& progress) {
    const int total = int(paths.size());
    if (progress) {
        progress(0, total);
    }
    QList<FileReport> reports;
    reports.reserve(total);
    FileRewriter rewriter(rewrite);
    for (const QString& path : paths) {
        reports.append(rewriteFile(path, rewriter));
        if (progress) {
            progress(int(reports.size()), total);
        }
    }
    return reports;
}

QList<FileReport> sortFiles(const QStringList& paths, const Progress& progress, const QLocale& locale) {
    return run(paths, sorting(locale), progress);
}

QList<FileReport> applyRules(const QStringList& paths, const QList<ChangeRule>& rules, const Progress& progress) {
    return run(paths, applyingRules(rules), progress);
}

} // namespace BulkRunner
