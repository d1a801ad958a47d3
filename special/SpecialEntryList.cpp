#include "SpecialEntryList.h"

#include "AnsiCase.h"
#include "CodePage.h"
#include "IniDocument.h"
#include "NameCollation.h"
#include "SpecialFiles.h"

#include <QCollatorSortKey>
#include <QSet>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

QByteArray upper(const QByteArray& name) {
    const auto& table = CodePage::ansiUpperTable();
    QByteArray folded(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i) {
        folded[i] = char(table[static_cast<unsigned char>(name.at(i))]);
    }
    return folded;
}

// Ties of the collation: code units compared with letter case swapped, so that where two captions
// differ only in case the lower-case one comes first.
QString swappedCase(QString text) {
    for (QChar& c : text) {
        c = c.isLower() ? c.toUpper() : (c.isUpper() ? c.toLower() : c);
    }
    return text;
}

QList<QByteArray> sectionsOf(const QString& fileName) {
    return SpecialFiles::read(fileName).sections();
}

} // namespace

namespace SpecialEntryList {

QList<SpecialEntryRow> merge(const QList<QByteArray>& destination, const QList<QByteArray>& source,
                             const QList<QByteArray>& reference, int codePage) {
    QList<SpecialEntryRow> rows;
    QSet<QByteArray> listed;
    for (const QByteArray& name : destination) {
        rows.append({name, QString(), MarkPresent});
        listed.insert(upper(name));
    }
    auto pass = [&](const QList<QByteArray>& names, RowMark mark) {
        for (const QByteArray& name : names) {
            const QByteArray folded = upper(name);
            if (!listed.contains(folded)) {
                listed.insert(folded);
                rows.append({name, QString(), mark});
            }
        }
    };
    pass(source, MarkPartial);
    pass(reference, MarkMissing);

    const NameCollation collation;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(rows.size()));
    for (SpecialEntryRow& row : rows) {
        row.caption = CodePage::decode(row.name, codePage);
        keys.push_back(collation.sortKey(row.caption));
    }
    std::vector<qsizetype> order(size_t(rows.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byKey = keys[size_t(a)].compare(keys[size_t(b)]);
        if (byKey != 0) {
            return byKey < 0;
        }
        return swappedCase(rows.at(a).caption) < swappedCase(rows.at(b).caption);
    });
    QList<SpecialEntryRow> sorted;
    sorted.reserve(rows.size());
    for (const qsizetype index : order) {
        sorted.append(std::move(rows[index]));
    }
    return sorted;
}

QList<SpecialEntryRow> build(const SpecialFiles& files, const QString& category) {
    return merge(sectionsOf(files.destinationFile(category)), sectionsOf(files.sourceOrBase(category)),
                 sectionsOf(files.referenceOrBase(category)), files.codePage());
}

qsizetype indexOf(const QList<SpecialEntryRow>& rows, QByteArrayView name) {
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QByteArray& rowName = rows.at(i).name;
        if (AnsiCase::equal(rowName.constData(), size_t(rowName.size()), name.data(), size_t(name.size()))) {
            return i;
        }
    }
    return -1;
}

std::optional<qsizetype> nextRow(qsizetype selected, qsizetype count) {
    if (selected < count - 1) {
        return selected + 1;
    }
    return std::nullopt;
}

} // namespace SpecialEntryList
