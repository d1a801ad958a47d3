#pragma once

#include "RowMark.h"

#include <QByteArray>
#include <QString>

class EditingState;

// What the page shows for one chosen entry, unescaped and decoded with the code page of the
// file each text comes from.
struct EntryTexts {
    QString edit;        // the edit field: the entry's current text
    QString hint;        // the edit field's hint: current, source and reference texts
    QString sourceLabel; // the source text, or the reference text when the source has none

    // shown is the stored text of the list item; mark says which document it came from.
    static EntryTexts of(const EditingState& state, const QByteArray& key, const QByteArray& shown, RowMark mark);

    // Unescapes a stored value and decodes it with a code page.
    static QString displayText(const QByteArray& stored, int codePage);
};
