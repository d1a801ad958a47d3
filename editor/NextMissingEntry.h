#pragma once

#include "RowMark.h"

#include <functional>

// Where the selection goes after a save: the next entry the destination lacks, else the last.
struct NextMissingEntry {
    int row = -1;         // the row to select (-1: leave the selection as it is)
    bool missing = false; // the row is a missing entry, to be shown as if clicked

    // selected is -1 when nothing is selected; markAt gives the mark of a row.
    static NextMissingEntry find(int selected, int count, const std::function<RowMark(int)>& markAt);
};
