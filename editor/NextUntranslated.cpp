#include "NextUntranslated.h"

#include "SectionEntries.h"
#include "ValueListBuilder.h"

namespace {

// Whether some key of reference or source is missing from the destination: a cheap look before
// the section's value list is built and sorted.
bool lacksAny(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
              const QByteArray& section) {
    const SectionEntries inDestination(destination, section);
    for (const IniDocument* document : {&reference, &source}) {
        const SectionEntries entries(*document, section);
        for (const QByteArrayView key : entries.keys()) {
            if (!inDestination.contains(key)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

namespace NextUntranslated {

std::optional<Place> find(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                          const QList<QByteArray>& sections, Place from, const QList<int>& codePages) {
    const int count = int(sections.size());
    if (count == 0) {
        return std::nullopt;
    }
    const int start = from.section >= 0 && from.section < count ? from.section : 0;
    const int after = from.section == start ? from.row : -1;
    // The starting section is looked at twice: after the entry first, up to it at the end.
    for (int step = 0; step <= count; ++step) {
        const int section = (start + step) % count;
        if (!lacksAny(reference, source, destination, sections.at(section))) {
            continue;
        }
        const std::vector<ValueRow> rows =
            ValueListBuilder::build(reference, source, destination, sections.at(section), codePages);
        const int first = step == 0 ? after + 1 : 0;
        const int last = step == count ? std::min(after, int(rows.size()) - 1) : int(rows.size()) - 1;
        for (int row = first; row <= last; ++row) {
            if (rows[size_t(row)].mark != MarkPresent) {
                return Place{section, row};
            }
        }
    }
    return std::nullopt;
}

} // namespace NextUntranslated
