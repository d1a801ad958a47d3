#include "ValueListBuilder.h"

#include "NameMerge.h"
#include "SectionEntries.h"

namespace ValueListBuilder {

std::vector<ValueRow> build(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                            const QByteArray& section) {
    std::vector<ValueRow> rows;
    if (section.isEmpty()) {
        return rows;
    }
    const SectionEntries inReference(reference, section);
    const SectionEntries inSource(source, section);
    const SectionEntries inDestination(destination, section);
    const QList<QByteArray> keys =
        NameMerge::distinctSorted({inReference.keys(), inSource.keys(), inDestination.keys()});
    rows.reserve(size_t(keys.size()));
    for (const QByteArray& key : keys) {
        ValueRow row;
        row.key = key;
        row.upperKey = NameMerge::upper(key);
        const QByteArray destinationValue = inDestination.value(row.upperKey);
        const QByteArray sourceValue = inSource.value(row.upperKey);
        if (inDestination.contains(row.upperKey)) {
            row.shown = destinationValue;
            row.image = MarkPresent;
        } else if (inSource.contains(row.upperKey)) {
            row.shown = sourceValue;
            row.image = MarkPartial;
        } else {
            row.shown = inReference.value(row.upperKey);
            row.image = MarkMissing;
        }
        row.changed = !destinationValue.isEmpty() && destinationValue != sourceValue;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace ValueListBuilder
