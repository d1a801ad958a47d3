#include "NameMerge.h"

#include "CodePage.h"
#include "NameCollation.h"

#include <QString>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

struct Entry {
    qsizetype offset; // of the upper-cased name in the folded buffer
    qsizetype size;
    QByteArrayView name;
    qsizetype list;
};

// The names of one code page decoded in one go: multi-byte code pages go through iconv, which
// is too slow to set up once per name. No name holds a line break, so one can join them.
QList<QString> decodeAll(const std::vector<QByteArrayView>& names, int codePage) {
    if (names.empty()) {
        return {};
    }
    QByteArray joined;
    for (const QByteArrayView name : names) {
        joined.append(name.data(), name.size()).append('\n');
    }
    joined.chop(1);
    QList<QString> texts = CodePage::decode(joined, codePage).split(QLatin1Char('\n'));
    if (size_t(texts.size()) != names.size()) {
        texts.clear();
        for (const QByteArrayView name : names) {
            texts.append(CodePage::decode(name.toByteArray(), codePage));
        }
    }
    return texts;
}

} // namespace

namespace NameMerge {

QList<QByteArrayView> distinctSorted(const QList<QList<QByteArrayView>>& lists, const QList<int>& codePages) {
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
    for (qsizetype list = 0; list < lists.size(); ++list) {
        for (const QByteArrayView name : lists.at(list)) {
            entries.push_back({out - folded.constData(), name.size(), name, list});
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
    std::vector<const Entry*> distinct;
    distinct.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || compare(entries[i - 1], entries[i]) != 0) {
            distinct.push_back(&entries[i]);
        }
    }

    // One collation key per distinct name, from the text its own document shows.
    std::vector<std::vector<size_t>> byList(size_t(lists.size()));
    for (size_t i = 0; i < distinct.size(); ++i) {
        byList[size_t(distinct[i]->list)].push_back(i);
    }
    std::vector<QString> texts(distinct.size());
    for (size_t list = 0; list < byList.size(); ++list) {
        std::vector<QByteArrayView> names;
        names.reserve(byList[list].size());
        for (const size_t index : byList[list]) {
            names.push_back(distinct[index]->name);
        }
        const int codePage = qsizetype(list) < codePages.size() ? codePages.at(qsizetype(list)) : CodePage::Ansi;
        const QList<QString> decoded = decodeAll(names, codePage);
        for (size_t i = 0; i < names.size(); ++i) {
            texts[byList[list][i]] = decoded.at(qsizetype(i));
        }
    }
    const NameCollation collation;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(distinct.size());
    for (const QString& text : texts) {
        keys.push_back(collation.sortKey(text));
    }
    // distinct is in upper-cased byte order already, so its index breaks ties.
    std::vector<size_t> order(distinct.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int byKey = keys[a].compare(keys[b]);
        return byKey != 0 ? byKey < 0 : a < b;
    });
    QList<QByteArrayView> result;
    result.reserve(qsizetype(order.size()));
    for (const size_t index : order) {
        result.append(distinct[index]->name);
    }
    return result;
}

} // namespace NameMerge
