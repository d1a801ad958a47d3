#include "NextMissingEntry.h"

NextMissingEntry NextMissingEntry::find(int selected, int count, const std::function<RowMark(int)>& markAt) {
    NextMissingEntry next;
    const int last = count - 1;
    for (int row = selected; row < last;) {
        ++row;
        next.row = row;
        if (markAt(row) != MarkPresent) {
            next.missing = true;
            return next;
        }
    }
    return next;
}
