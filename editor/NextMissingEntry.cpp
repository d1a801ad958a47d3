#include "NextMissingEntry.h"

NextMissingEntry NextMissingEntry::find(int selected, int count, const std::function<LevelMark(int)>& imageAt) {
    NextMissingEntry next;
    const int last = count - 1;
    for (int row = selected; row < last;) {
        ++row;
        next.row = row;
        if (imageAt(row) != MarkPresent) {
            next.missing = true;
            return next;
        }
    }
    return next;
}
