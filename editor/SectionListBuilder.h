#pragma once

#include "Completion.h"
#include "RowMark.h"

#include <QByteArray>
#include <QList>

class IniDocument;

struct SectionRow {
    QByteArray name;
    RowMark mark = MarkMissing;
    Completion completion;
};

// The merged section list of the three documents with its completion marks.
namespace SectionListBuilder {

// Sections of all three documents, distinct and sorted, the reference's spelling first. The
// mark compares the numbers of distinct keys of the destination and the reference. codePages, in
// the same order as the documents, decode the names for collating (NameMerge). Each row
// carries its section's completion figures.
QList<SectionRow> build(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                        const QList<int>& codePages = {});

} // namespace SectionListBuilder
