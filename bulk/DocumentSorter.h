#pragma once

#include "IniDocument.h"
#include "LineCollation.h"

#include <QByteArray>
#include <QLocale>

// Sorting one language document: sections, and the lines within each, in the line collation,
// whole lines compared (key, "=" and value).
class DocumentSorter {
public:
    explicit DocumentSorter(const QLocale& locale = QLocale::system());

    // The sorted document in the write-back form. It reads as the given one does: the sections
    // of one name become one, and of the lines with one key only the one that look-up finds is
    // kept. A line without "=" is kept as it stands; a section without lines goes.
    QByteArray sortedText(const IniDocument& document) const;
    // The same into text, reusing its memory when it has enough.
    void sortedText(const IniDocument& document, QByteArray& text) const;
    // The same as a document bound to the given one's file name.
    IniDocument sorted(const IniDocument& document) const;

private:
    LineCollation m_collation;
};
