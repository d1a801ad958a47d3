#pragma once

#include "RowMark.h"

#include <QByteArray>
#include <QList>
#include <vector>

class IniDocument;

struct ValueRow {
    QByteArray key;             // the caption, first spelling met
    QByteArray shown;           // the stored, escaped text the entry shows
    RowMark mark = MarkMissing; // also names the document the shown text comes from
    bool changed = false;       // destination text non-empty and different from the source's
    // What the destination's text is checked against: the source's stored text, else the
    // reference's (originalRole says which, 1 or 0). Empty for an entry the destination lacks.
    QByteArray original;
    int originalRole = 0;
};

// The merged entry list of one section: the destination's text, else the source's, else
// the reference's, with the mark saying which.
namespace ValueListBuilder {

// codePages, in the same order as the documents, decode the keys for collating (NameMerge).
std::vector<ValueRow> build(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                            const QByteArray& section, const QList<int>& codePages = {});

} // namespace ValueListBuilder
