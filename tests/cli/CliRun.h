#pragma once

#include "TestFiles.h"

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QStringList>

// The built tolvane-cli run as a build pipeline runs it, and what it left.
struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;

    static CliRun of(const QStringList& arguments, const QString& folder = QString()) {
        QProcess process;
        process.setWorkingDirectory(folder);
        process.start(QStringLiteral(TOLVANE_CLI), arguments);
        CliRun run;
        if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
            run.status = process.exitCode();
        }
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }
};

// The fixture files copied into a folder: the editor's project (English, French, German .tvl)
// and the example product (English, French, German, Russian .lnl).
inline void copyFixtures(const QString& folder) {
    const QList<QPair<QString, QString>> sources = {
        {QStringLiteral(TOLVANE_TEST_DATA "/editor/project"), "*.tvl"},
        {QStringLiteral(TOLVANE_TEST_DATA "/../../examples/LumenNotes"), "*.lnl"}};
    for (const auto& [path, pattern] : sources) {
        const QDir dir(path);
        for (const QString& name : dir.entryList({pattern}, QDir::Files)) {
            TestFiles::write(QDir(folder).filePath(name), TestFiles::read(dir.filePath(name)));
        }
    }
}
