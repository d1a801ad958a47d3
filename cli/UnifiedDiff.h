#pragma once

#include <QByteArray>
#include <QList>

// The change from one text to another as a unified diff of its lines, with three lines of
// context, as diff -u gives it and patch applies it to the bytes: CR LF, CR and LF each end a
// line and stay part of it, and a last line without an end is marked so.
namespace UnifiedDiff {

// The lines of text, each with its end.
QList<QByteArray> lines(const QByteArray& text);

// Empty when the lines are the same. A change too large to find the shortest edit for in
// reasonable time is shown as its changed middle removed and added whole.
QByteArray diff(const QByteArray& before, const QByteArray& after, const QByteArray& name, int context = 3);

} // namespace UnifiedDiff
