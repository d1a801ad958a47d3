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

// Beyond this many differences the shortest edit is not looked for: its trace grows with the
// square of the count.
constexpr int MaxDifferences = 2000;

// Empty when the lines are the same. A change with more than maxDifferences differences is
// shown as its changed middle removed and added whole.
QByteArray diff(const QByteArray& before, const QByteArray& after, const QByteArray& name, int context = 3,
                int maxDifferences = MaxDifferences);

} // namespace UnifiedDiff
