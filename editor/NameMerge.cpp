#include "NameMerge.h"

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
    QSet<QByteArray> seen;
    seen.reserve(names.size());
    for (const QByteArray& name : names) {
        seen.insert(upper(name));
    }
    return int(seen.size());
}

} // namespace NameMerge
