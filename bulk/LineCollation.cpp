#include "LineCollation.h"

#include "CodePage.h"

#include <QCollatorSortKey>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <optional>

namespace {

constexpr char16_t FirstRanked = 0x20;
constexpr char16_t LastRanked = 0x7E;

int byteOrder(QByteArrayView a, QByteArrayView b) {
    const int common = std::memcmp(a.data(), b.data(), size_t(std::min(a.size(), b.size())));
    return common != 0 ? common : (a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0));
}

} // namespace

LineCollation::LineCollation(const QLocale& locale) : m_collation(locale) {
    QStringList characters;
    for (char16_t c = FirstRanked; c <= LastRanked; ++c) {
        characters.append(QString(QChar(c)));
    }
    m_collation.sort(characters);
    uint8_t rank = 0;
    QCollatorSortKey previous = m_collation.sortKey(QString());
    for (const QString& character : characters) {
        const QCollatorSortKey key = m_collation.sortKey(character);
        if (rank == 0 || key.compare(previous) != 0) {
            ++rank;
        }
        m_asciiRanks[character.at(0).unicode()] = rank;
        previous = key;
    }
    // The ranks hold only if every pair of characters sorts as the ranks say, which rules out
    // ignored characters and contractions such as a locale's "ch".
    std::vector<QString> pairs;
    std::vector<QCollatorSortKey> keys;
    for (const QString& first : characters) {
        for (const QString& second : characters) {
            pairs.push_back(first + second);
            keys.push_back(m_collation.sortKey(pairs.back()));
        }
    }
    std::vector<size_t> sorted(pairs.size());
    std::iota(sorted.begin(), sorted.end(), size_t(0));
    std::sort(sorted.begin(), sorted.end(), [&](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });
    auto rankPair = [&](size_t index) {
        return m_asciiRanks[pairs[index].at(0).unicode()] * 256 + m_asciiRanks[pairs[index].at(1).unicode()];
    };
    for (size_t i = 1; i < sorted.size(); ++i) {
        const int byKey = keys[sorted[i - 1]].compare(keys[sorted[i]]);
        const int byRank = rankPair(sorted[i - 1]) - rankPair(sorted[i]);
        if ((byKey == 0) != (byRank == 0) || byRank > 0) {
            m_asciiRanks.fill(0);
            break;
        }
    }
}

const LineCollation::RankTable& LineCollation::ranksFor(int codePage) const {
    auto found = m_ranksByCodePage.find(codePage);
    if (found != m_ranksByCodePage.end()) {
        return found->second;
    }
    RankTable ranks{};
    for (int byte = FirstRanked; byte <= LastRanked; ++byte) {
        // A byte ranks only where the code page reads it as that very ASCII character.
        const QString decoded = CodePage::decode(QByteArray(1, char(byte)), codePage);
        if (decoded.size() == 1 && decoded.at(0).unicode() == byte) {
            ranks[size_t(byte)] = m_asciiRanks[size_t(byte)];
        }
    }
    return m_ranksByCodePage.emplace(codePage, ranks).first->second;
}

std::vector<qsizetype> LineCollation::order(const QList<QByteArrayView>& texts, int codePage) const {
    const RankTable& ranks = ranksFor(codePage);
    std::vector<std::optional<QCollatorSortKey>> keys(size_t(texts.size()));
    auto keyOf = [&](qsizetype index) -> const QCollatorSortKey& {
        auto& key = keys[size_t(index)];
        if (!key) {
            const QByteArrayView text = texts.at(index);
            key = m_collation.sortKey(CodePage::decode(QByteArray::fromRawData(text.data(), text.size()), codePage));
        }
        return *key;
    };
    // -1, 0 or 1 by the collation alone.
    auto collate = [&](qsizetype a, qsizetype b) {
        const QByteArrayView x = texts.at(a);
        const QByteArrayView y = texts.at(b);
        const qsizetype common = std::min(x.size(), y.size());
        for (qsizetype i = 0; i < common; ++i) {
            const uint8_t rx = ranks[static_cast<unsigned char>(x[i])];
            const uint8_t ry = ranks[static_cast<unsigned char>(y[i])];
            if (rx == 0 || ry == 0) {
                return keyOf(a).compare(keyOf(b));
            }
            if (rx != ry) {
                return rx < ry ? -1 : 1;
            }
        }
        if (x.size() == y.size()) {
            return 0;
        }
        // The shorter text leads unless what follows in the longer one could be ignored.
        const QByteArrayView longer = x.size() > y.size() ? x : y;
        if (ranks[static_cast<unsigned char>(longer[common])] == 0) {
            return keyOf(a).compare(keyOf(b));
        }
        return x.size() < y.size() ? -1 : 1;
    };
    std::vector<qsizetype> indices(size_t(texts.size()));
    std::iota(indices.begin(), indices.end(), qsizetype(0));
    std::stable_sort(indices.begin(), indices.end(), [&](qsizetype a, qsizetype b) {
        const int byCollation = collate(a, b);
        return byCollation != 0 ? byCollation < 0 : byteOrder(texts.at(a), texts.at(b)) < 0;
    });
    return indices;
}
