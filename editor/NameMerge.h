#pragma once

#include <QByteArray>
#include <QList>

// Case-insensitive name lists over bytes: names compare by their ANSI upper-cased bytes, so
// merging and de-duplicating is a sort plus a hash set, never a pairwise scan.
namespace NameMerge {

QByteArray upper(const QByteArray& name);

// Distinct names (the first spelling met wins), sorted case-insensitively. Several lists are
// taken in the order given, so the first list's spelling is kept for names they share.
QList<QByteArray> distinctSorted(const QList<QList<QByteArray>>& lists);

// Number of names that differ other than in letter case.
int distinctCount(const QList<QByteArray>& names);

} // namespace NameMerge
