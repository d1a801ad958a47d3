#pragma once

#include "RowMark.h"

#include <QIcon>
#include <QImage>

// The three 16 x 16 level marks: a blank sheet, a sheet torn across with its lower part grey,
// a sheet covered with lines of text.
namespace MarkIcons {

QImage image(RowMark mark);
// Drawn once, shared by every list.
const QIcon& icon(RowMark mark);
// The diskette beside "F2" and "F3" on the flat save buttons.
QIcon saveGlyph();

} // namespace MarkIcons
