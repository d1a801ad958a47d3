#pragma once

#include "BulkRunner.h"

#include <QString>
#include <QStringList>

class QIODevice;

// The commands of tolvane-cli over the editor's own operations: the same bytes on disk as the
// window's sorter and rules page, the same search, checks and completion figures.
class CliCommands {
public:
    enum Status {
        Success = 0,
        Found = 1,   // check: something was found; search: nothing was
        Failure = 2, // wrong arguments, or a file that could not be read or written
    };

    CliCommands(QIODevice& out, QIODevice& err);

    // arguments without the program's name.
    int run(const QStringList& arguments);

    static QString usage();
    // A missing file, said as the window says it.
    static QString missingText(const QString& path);

private:
    int sort(const QStringList& arguments);
    int applyRules(const QStringList& arguments);
    int search(const QStringList& arguments);
    int check(const QStringList& arguments);
    int stats(const QStringList& arguments);

    // Rewrites files as the window's bulk pages do, or with dryRun prints what would change.
    int rewrite(const QStringList& paths, const BulkRunner::Rewrite& rewrite, bool dryRun);
    void print(const QString& text);
    // "tolvane-cli: " and the message on stderr; gives Failure.
    int fail(const QString& message);

    QIODevice& m_out;
    QIODevice& m_err;
};
