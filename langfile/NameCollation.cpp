#include "NameCollation.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// English carries no tailoring: its collation is the root one.
QLocale collationLocale(const QLocale& locale) {
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

} // namespace

NameCollation::NameCollation(const QLocale& locale) : m_collator(collationLocale(locale)) {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setNumericMode(false);
}

QCollatorSortKey NameCollation::sortKey(const QString& name) const {
    // Folded first: in the C locale the collator's keys ignore the case setting.
    return m_collator.sortKey(name.toCaseFolded());
}

void NameCollation::sort(QStringList& names) const {
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(names.size()));
    for (const QString& name : names) {
        keys.push_back(sortKey(name));
    }
    std::vector<qsizetype> order(size_t(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int byKey = keys[size_t(a)].compare(keys[size_t(b)]);
        return byKey != 0 ? byKey < 0 : names.at(a) < names.at(b);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype index : order) {
        sorted.append(names.at(index));
    }
    names = std::move(sorted);
}

int NameCollation::findIgnoringCase(const QStringList& items, const QString& name) {
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}
