#pragma once

#include "SpecialEntryFields.h"
#include "SpecialEntryList.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class SpecialFiles;

// Saving the shown entry into the category's destination-language file (the F3 action).
namespace SpecialEntrySaver {

struct Result {
    bool saved = false;
    QString error; // why nothing was saved; empty when there was nothing to save
};

// What F3 leads to: the save, the row that now carries mark 2 (-1 for none) and the row to select
// and show next (nullopt: the selection stays).
struct Step {
    Result result;
    qsizetype markedRow = -1;
    std::optional<qsizetype> nextRow;
};

// Values are stored unescaped, one line each: every line break (CR LF, a lone CR or LF, the
// Unicode line and paragraph separators) and NUL, which would end the file's text, become one space.
QString flattenLineBreaks(const QString& text);

// Writes all twelve keys, in the key table's order, into the entry's section of the destination
// file and rewrites it (creating it when missing). Nothing is saved without a category and an
// entry. Text the code page cannot hold and a failed read or write save nothing and leave the
// file byte-identical.
Result save(const SpecialFiles& files, const QString& category, const QByteArray& entry,
            const SpecialEntryFields& fields);

// save(), then, unless it failed, the saved entry's row is marked and the selection moves on
// from selectedRow (-1: none) through rows (SpecialEntryList::nextRow).
Step saveAndMove(const SpecialFiles& files, const QString& category, const QByteArray& entry,
                 const SpecialEntryFields& fields, const QList<SpecialEntryRow>& rows, qsizetype selectedRow);

} // namespace SpecialEntrySaver
