#pragma once

#include "ChangeRule.h"
#include "FileReport.h"
#include "FileRewriter.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QStringList>

#include <functional>

// Runs one rewrite over many files: each file is loaded, changed and written back whole through
// the safe write, one after the other. A file that fails is reported and the run goes on.
namespace BulkRunner {

// (0, total) before the first file, then (files done, total) after each.
using Progress = std::function<void(int done, int total)>;
// Changes a loaded document and puts the bytes to write back into text.
using Rewrite = FileRewriter::Rewrite;

// What run would write to path, without writing it. Throws FileError when the file cannot be
// read or must not be rewritten (RewriteGuard), as run reports it.
QByteArray rewritten(const QString& path, const Rewrite& rewrite);
// The rewrites that sortFiles and applyRules run over every file.
Rewrite sorting(const QLocale& locale = QLocale::system());
Rewrite applyingRules(const QList<ChangeRule>& rules);

// One report per path, in the same order.
QList<FileReport> run(const QStringList& paths, const Rewrite& rewrite, const Progress& progress = {});

QList<FileReport> sortFiles(const QStringList& paths, const Progress& progress = {},
                            const QLocale& locale = QLocale::system());
QList<FileReport> applyRules(const QStringList& paths, const QList<ChangeRule>& rules, const Progress& progress = {});

} // namespace BulkRunner
