#include "SectionListBuilder.h"

#include "IniDocument.h"
#include "NameMerge.h"

namespace SectionListBuilder {

QList<SectionRow> build(const IniDocument& reference, const IniDocument& source, const IniDocument& destination) {
    const QList<QByteArray> names =
        NameMerge::distinctSorted({reference.sections(), source.sections(), destination.sections()});
    QList<SectionRow> rows;
    rows.reserve(names.size());
    for (const QByteArray& name : names) {
        const int referenceCount = NameMerge::distinctCount(reference.keys(name));
        const int destinationCount = NameMerge::distinctCount(destination.keys(name));
        LevelMark mark = MarkPresent;
        if (destinationCount == 0) {
            mark = MarkMissing;
        } else if (destinationCount < referenceCount) {
            mark = MarkPartial;
        }
        rows.append({name, mark});
    }
    return rows;
}

} // namespace SectionListBuilder
