// The checks and figures over any three files: a text held to itself has no problem; the file
// check lists as missing exactly the reference's entries the destination lacks and as surplus
// exactly the destination's entries the reference lacks; the completion figures count the
// reference's entries, all of them when the reference is its own destination; the next
// untranslated entry is one the destination lacks, the first in list order, and there is none
// only when the destination lacks nothing.
#include "CodePage.h"
#include "Completion.h"
#include "EntryCheck.h"
#include "FileCheck.h"
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "IniDocument.h"
#include "ModelDocument.h"
#include "NextUntranslated.h"
#include "SectionListBuilder.h"
#include "ValueListBuilder.h"

#include <QByteArray>
#include <QList>
#include <QSet>

namespace {

using Entry = QPair<QByteArray, QByteArray>;

// Every entry of the document as its folded section and key, each once.
QSet<Entry> entries(const IniDocument& document) {
    QSet<Entry> all;
    for (const QByteArray& section : document.sections()) {
        for (const QByteArray& key : document.keys(section)) {
            all.insert({folded(section), folded(key)});
        }
    }
    return all;
}

void checkFileCheck(const IniDocument& reference, const IniDocument& source, const IniDocument& destination) {
    QSet<Entry> missing;
    QSet<Entry> surplus;
    for (const FileCheck::Finding& finding : FileCheck::check(reference, source, destination)) {
        const Entry entry{folded(finding.section), folded(finding.key)};
        if (finding.kind == FileCheck::Finding::Missing) {
            FUZZ_CHECK(!missing.contains(entry));
            missing.insert(entry);
        } else if (finding.kind == FileCheck::Finding::Surplus) {
            FUZZ_CHECK(!surplus.contains(entry));
            surplus.insert(entry);
        }
    }
    const QSet<Entry> inReference = entries(reference);
    const QSet<Entry> inDestination = entries(destination);
    FUZZ_CHECK(missing == (QSet<Entry>(inReference) -= inDestination));
    FUZZ_CHECK(surplus == (QSet<Entry>(inDestination) -= inReference));
}

void checkCompletion(const IniDocument& reference, const IniDocument& source, const IniDocument& destination) {
    const Completion figures = Completion::ofFile(reference, source, destination);
    FUZZ_CHECK(figures.total == int(entries(reference).size()));
    FUZZ_CHECK(0 <= figures.equalSource && figures.equalSource <= figures.present && figures.present <= figures.total);
    FUZZ_CHECK(figures.present == int((entries(reference) & entries(destination)).size()));
    const Completion own = Completion::ofFile(reference, source, reference);
    FUZZ_CHECK(own.present == own.total);
}

void checkNextUntranslated(const IniDocument* documents[3], const QList<int>& codePages) {
    const QList<SectionRow> sectionRows =
        SectionListBuilder::build(*documents[0], *documents[1], *documents[2], codePages);
    QList<QByteArray> sections;
    std::optional<NextUntranslated::Place> first;
    for (const SectionRow& row : sectionRows) {
        const std::vector<ValueRow> rows =
            ValueListBuilder::build(*documents[0], *documents[1], *documents[2], row.name, codePages);
        for (size_t index = 0; index < rows.size() && !first; ++index) {
            if (rows[index].mark != MarkPresent) {
                first = NextUntranslated::Place{int(sections.size()), int(index)};
            }
        }
        sections.append(row.name);
    }
    const std::optional<NextUntranslated::Place> found =
        NextUntranslated::find(*documents[0], *documents[1], *documents[2], sections, {-1, -1}, codePages);
    FUZZ_CHECK(found.has_value() == first.has_value());
    if (found) {
        FUZZ_CHECK(found->section == first->section && found->row == first->row);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int CodePages[] = {1252, 1251, 932, 1256};
    FuzzInput input(data, size);
    const QString text = input.text(48);
    FUZZ_CHECK(EntryCheck::problems(text, text).isEmpty());
    const QByteArray stored = input.bytes(48);
    const int codePage = CodePages[input.pick(4)];
    FUZZ_CHECK(EntryCheck::storedProblems(stored, codePage, stored, codePage).isEmpty());

    IniDocument files[3];
    QList<int> codePages;
    for (IniDocument& file : files) {
        file.setFromText(input.bytes(120));
        codePages.append(CodePages[input.pick(4)]);
    }
    const IniDocument* documents[3] = {&files[0], &files[1], &files[2]};
    checkFileCheck(files[0], files[1], files[2]);
    checkCompletion(files[0], files[1], files[2]);
    checkNextUntranslated(documents, codePages);
    return 0;
}
