#pragma once

// The three marks of the editing lists (images 0, 1 and 2 of the main image list).
enum LevelMark {
    MarkMissing = 0, // section: destination has no entries; entry: only the reference has it
    MarkPartial = 1, // section: fewer entries than the reference; entry: taken from the source
    MarkPresent = 2, // section: complete; entry: the destination has it
};
