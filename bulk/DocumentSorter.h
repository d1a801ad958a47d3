#pragma once

#include "IniDocument.h"
#include "LineCollation.h"

#include <QLocale>

// Sorting one language document: sections, and the lines within each, in the line collation,
// whole lines compared (key, "=" and value).
class DocumentSorter {
public:
    explicit DocumentSorter(const QLocale& locale = QLocale::system());

    // The sorted document, bound to the same file name. It reads as the given one does: the
    // sections of one name become one, and of the lines with one key only the one that look-up
    // finds is kept. A line without "=" is kept as it stands; a section without lines goes.
    IniDocument sorted(const IniDocument& document) const;

private:
    LineCollation m_collation;
};
