#include "NameMerge.h"

#include "AnsiCase.h"
#include "CodePage.h"

#include <QSet>

#include <algorithm>
#include <utility>
#include <vector>

namespace NameMerge {

QByteArray upper(const QByteArray& name) {
    const auto& table = CodePage::ansiUpperTable();
    QByteArray result(name.size(), Qt::Uninitialized);
    char* out = result.data();
    for (const char c : name) {
        *out++ = char(table[static_cast<unsigned char>(c)]);
    }
    return result;
}

QList<QByteArray> distinctSorted(const QList<QList<QByteArray>>& lists) {
    qsizetype total = 0;
    for (const auto& list : lists) {
        total += list.size();
    }
    QSet<QByteArray> seen;
    seen.reserve(total);
    std::vector<std::pair<QByteArray, QByteArray>> keyed; // upper-cased, spelling
    keyed.reserve(size_t(total));
    for (const auto& list : lists) {
        for (const QByteArray& name : list) {
            QByteArray key = upper(name);
            if (!seen.contains(key)) {
                seen.insert(key);
                keyed.emplace_back(std::move(key), name);
            }
        }
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<QByteArray> result;
    result.reserve(qsizetype(keyed.size()));
    for (auto& entry : keyed) {
        result.append(std::move(entry.second));
    }
    return result;
}

int distinctCount(const QList<QByteArray>& names) {
    // Hashes sorted, then only names of equal hash compared: no copies, no per-name allocation.
    std::vector<std::pair<uint32_t, qsizetype>> hashed;
    hashed.reserve(size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        hashed.emplace_back(AnsiCase::hash(names.at(i).constData(), size_t(names.at(i).size())), i);
    }
    std::sort(hashed.begin(), hashed.end());
    int count = 0;
    for (size_t run = 0; run < hashed.size();) {
        size_t end = run + 1;
        while (end < hashed.size() && hashed[end].first == hashed[run].first) {
            ++end;
        }
        for (size_t i = run; i < end; ++i) {
            const QByteArray& name = names.at(hashed[i].second);
            bool seenBefore = false;
            for (size_t j = run; j < i && !seenBefore; ++j) {
                const QByteArray& other = names.at(hashed[j].second);
                seenBefore =
                    AnsiCase::equal(name.constData(), size_t(name.size()), other.constData(), size_t(other.size()));
            }
            count += seenBefore ? 0 : 1;
        }
        run = end;
    }
    return count;
}

} // namespace NameMerge
