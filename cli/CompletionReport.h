#pragma once

#include "Completion.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The completion figures of several language files, as a text table or a web page.
namespace CompletionReport {

struct Row {
    QString file;
    Completion completion;
};

// Whole per cent of the reference's entries that the file has; a reference without entries
// leaves nothing to do, which is 100.
int percent(const Completion& completion);

// One line per file under a heading, columns aligned.
QString table(const QList<Row>& rows);
// A page that needs nothing beside it: one completion bar per file, with its figures.
QByteArray html(const QList<Row>& rows, const QString& reference);

} // namespace CompletionReport
