#pragma once

#include "RowMark.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

class SpecialFiles;

// One entry of a category: its section name as stored, the name as shown, and its mark.
struct SpecialEntryRow {
    QByteArray name;
    QString caption;
    RowMark mark = MarkMissing;
};

// The entry list of a category, built in three passes over the section names of its files.
namespace SpecialEntryList {

// Every destination section (mark 2), then the source's sections not listed yet (mark 1), then the
// reference's (mark 0); "listed" ignores letter case. Captions are decoded in codePage, and the rows
// follow the locale's order of the captions, letter case deciding only ties, lower case first.
QList<SpecialEntryRow> merge(const QList<QByteArray>& destination, const QList<QByteArray>& source,
                             const QList<QByteArray>& reference, int codePage);

// The passes over the category's destination file, source file (or base file) and reference file
// (or base file) as they are on disk; a missing file adds nothing. Throws FileError for a file
// that exists but cannot be read.
QList<SpecialEntryRow> build(const SpecialFiles& files, const QString& category);

// The first row of that name, ignoring letter case; -1 when there is none.
qsizetype indexOf(const QList<SpecialEntryRow>& rows, QByteArrayView name);

// Where the selection goes after a save: the next row, the first one when none is selected (-1);
// nullopt on the last row and in an empty list, where the selection stays.
std::optional<qsizetype> nextRow(qsizetype selected, qsizetype count);

} // namespace SpecialEntryList
