#pragma once

#include <QByteArrayView>
#include <QList>

// Case-insensitive name lists over bytes: names are the same when their ANSI upper-cased bytes
// are, so merging and de-duplicating is one sort, never a pairwise scan. The distinct names are
// then shown in the locale's order (NameCollation).
namespace NameMerge {

// Distinct names (the first spelling met wins), in the name collation's order; names it finds
// equal follow their upper-cased bytes. Several lists are taken in the order given, so the first
// list's spelling is kept for names they share. codePages[i] decodes the names of lists[i] for
// collating (the ANSI code page where missing). The result views the names given.
QList<QByteArrayView> distinctSorted(const QList<QList<QByteArrayView>>& lists, const QList<int>& codePages = {});

} // namespace NameMerge
