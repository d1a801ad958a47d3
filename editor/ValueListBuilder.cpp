#include "ValueListBuilder.h"

#include "NameMerge.h"
#include "SectionEntries.h"

namespace ValueListBuilder {

std::vector<ValueRow> build(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                            const QByteArray& section, const QList<int>& codePages) {
    std::vector<ValueRow> rows;
    if (section.isEmpty()) {
        return rows;
    }
    const SectionEntries inReference(reference, section);
    const SectionEntries inSource(source, section);
    const SectionEntries inDestination(destination, section);
    const QList<QByteArrayView> keys =
        NameMerge::distinctSorted({inReference.keys(), inSource.keys(), inDestination.keys()}, codePages);
    rows.reserve(size_t(keys.size()));
    for (const QByteArrayView key : keys) {
        ValueRow row;
        row.key = key.toByteArray();
        const QByteArrayView destinationValue = inDestination.value(key);
        const QByteArrayView sourceValue = inSource.value(key);
        if (inDestination.contains(key)) {
            row.shown = destinationValue.toByteArray();
            row.mark = MarkPresent;
            const bool fromSource = !sourceValue.isEmpty();
            row.original = (fromSource ? sourceValue : inReference.value(key)).toByteArray();
            row.originalRole = fromSource ? 1 : 0;
        } else if (inSource.contains(key)) {
            row.shown = sourceValue.toByteArray();
            row.mark = MarkPartial;
        } else {
            row.shown = inReference.value(key).toByteArray();
            row.mark = MarkMissing;
        }
        row.changed = !destinationValue.isEmpty() && destinationValue != sourceValue;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace ValueListBuilder
