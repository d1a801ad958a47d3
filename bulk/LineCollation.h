#pragma once

#include "NameCollation.h"

#include <QByteArrayView>
#include <QList>
#include <QLocale>

#include <array>
#include <cstdint>
#include <map>
#include <vector>

// The order in which the sorter puts section names and whole lines of 8-bit text: the name
// collation of the text decoded in the file's code page. Collating every line costs far more
// than reading the file, so plain ASCII is compared byte by byte through a table of the
// collation's own ranks, as long as the collation orders ASCII one character at a time (tried
// on every pair of characters when built); other text falls back to collation keys.
class LineCollation {
public:
    explicit LineCollation(const QLocale& locale = QLocale::system());

    // The indices of texts in ascending order; texts the collation finds equal are put in byte
    // order, then in their given order.
    std::vector<qsizetype> order(const QList<QByteArrayView>& texts, int codePage) const;

private:
    using RankTable = std::array<uint8_t, 256>; // 0: not ranked, compare through the collation
    const RankTable& ranksFor(int codePage) const;

    NameCollation m_collation;
    std::array<uint8_t, 128> m_asciiRanks{};
    mutable std::map<int, RankTable> m_ranksByCodePage;
};
