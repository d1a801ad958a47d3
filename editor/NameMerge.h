#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Case-insensitive name lists over bytes: names compare by their ANSI upper-cased bytes, so
// merging and de-duplicating is one sort, never a pairwise scan.
namespace NameMerge {

QByteArray upper(QByteArrayView name);

// Distinct names (the first spelling met wins), sorted case-insensitively. Several lists are
// taken in the order given, so the first list's spelling is kept for names they share. The
// result views the names given.
QList<QByteArrayView> distinctSorted(const QList<QList<QByteArrayView>>& lists);

} // namespace NameMerge
