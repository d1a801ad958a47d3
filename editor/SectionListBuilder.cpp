#include "SectionListBuilder.h"

#include "IniDocument.h"
#include "NameMerge.h"

namespace SectionListBuilder {

QList<SectionRow> build(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                        const QList<int>& codePages) {
    const QList<QByteArray> sectionLists[] = {reference.sections(), source.sections(), destination.sections()};
    QList<QList<QByteArrayView>> lists;
    for (const QList<QByteArray>& sections : sectionLists) {
        lists.append(QList<QByteArrayView>(sections.begin(), sections.end()));
    }
    const QList<QByteArrayView> names = NameMerge::distinctSorted(lists, codePages);
    QList<SectionRow> rows;
    rows.reserve(names.size());
    for (const QByteArrayView name : names) {
        const int referenceCount = reference.distinctKeyCount(reference.findSection(name));
        const int destinationCount = destination.distinctKeyCount(destination.findSection(name));
        RowMark mark = MarkPresent;
        if (destinationCount == 0) {
            mark = MarkMissing;
        } else if (destinationCount < referenceCount) {
            mark = MarkPartial;
        }
        rows.append({name.toByteArray(), mark, Completion::ofSection(reference, source, destination, name)});
    }
    return rows;
}

} // namespace SectionListBuilder
