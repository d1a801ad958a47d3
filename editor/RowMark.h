#pragma once

#include <Qt>

// The mark of a row of the editing lists (images 0, 1 and 2 of the main image list).
enum RowMark {
    MarkMissing = 0, // section: destination has no entries; entry: only the reference has it
    MarkPartial = 1, // section: fewer entries than the reference; entry: taken from the source
    MarkPresent = 2, // section: complete; entry: the destination has it
};

// The model role under which every list gives a row's mark (an int).
constexpr int RowMarkRole = Qt::UserRole + 1;
