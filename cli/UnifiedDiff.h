#pragma once

#include <QByteArray>
#include <QList>

// The change from one text to another as a unified diff of its lines, with three lines of
// context, as diff -u gives it and patch applies it to the bytes. Lines end at LF, as patch reads
// them: a CR stays inside its line (a lone CR cannot end a line of the diff, which patch would
// join to the next), and a last line without LF is marked so.
namespace UnifiedDiff {

// The lines of text, each with its LF.
QList<QByteArray> lines(const QByteArray& text);

// Empty when the lines are the same. A change too large to find the shortest edit for in
// reasonable time is shown as its changed middle removed and added whole.
QByteArray diff(const QByteArray& before, const QByteArray& after, const QByteArray& name, int context = 3);

} // namespace UnifiedDiff
