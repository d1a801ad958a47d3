#include "NameMerge.h"

#include "CodePage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace NameMerge {

QByteArray upper(QByteArrayView name) {
    const auto& table = CodePage::ansiUpperTable();
    QByteArray result(name.size(), Qt::Uninitialized);
    char* out = result.data();
    for (const char c : name) {
        *out++ = char(table[static_cast<unsigned char>(c)]);
    }
    return result;
}

QList<QByteArrayView> distinctSorted(const QList<QList<QByteArrayView>>& lists) {
    struct Entry {
        qsizetype offset; // of the upper-cased name in folded
        qsizetype size;
        QByteArrayView name;
    };
    qsizetype total = 0;
    qsizetype bytes = 0;
    for (const auto& list : lists) {
        total += list.size();
        for (const QByteArrayView name : list) {
            bytes += name.size();
        }
    }
    // All upper-cased names in one buffer, so that comparing is a memcmp and nothing is
    // allocated per name.
    const auto& table = CodePage::ansiUpperTable();
    QByteArray folded(bytes, Qt::Uninitialized);
    char* out = folded.data();
    std::vector<Entry> entries;
    entries.reserve(size_t(total));
    for (const auto& list : lists) {
        for (const QByteArrayView name : list) {
            entries.push_back({out - folded.constData(), name.size(), name});
            for (const char c : name) {
                *out++ = char(table[static_cast<unsigned char>(c)]);
            }
        }
    }
    const char* base = folded.constData();
    auto compare = [base](const Entry& a, const Entry& b) {
        const size_t common = size_t(std::min(a.size, b.size));
        const int order = common == 0 ? 0 : std::memcmp(base + a.offset, base + b.offset, common);
        return order != 0 ? order : (a.size < b.size ? -1 : (a.size > b.size ? 1 : 0));
    };
    // Stable, so that of equal names the one met first leads its run.
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) { return compare(a, b) < 0; });
    QList<QByteArrayView> result;
    result.reserve(qsizetype(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || compare(entries[i - 1], entries[i]) != 0) {
            result.append(entries[i].name);
        }
    }
    return result;
}

} // namespace NameMerge
