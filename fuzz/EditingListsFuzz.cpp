// The editing page over any three files: the section list holds every section once with the mark
// its key counts give, the value list every key of the section once with the text and mark of
// the document it comes from, the next missing entry is the one the walk down the list finds,
// the search over raw lines finds exactly the lines whose data holds the term, and a catalogue
// entry shows each text from the innermost file that has it.
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "IniDocument.h"
#include "LanguageSearch.h"
#include "ModelDocument.h"
#include "NextMissingEntry.h"
#include "SectionListBuilder.h"
#include "SpecialEntryLayers.h"
#include "ValueListBuilder.h"

#include <QByteArray>
#include <QList>
#include <QSet>

#include <vector>

namespace {

QSet<QByteArray> foldedSet(const QList<QByteArray>& names) {
    QSet<QByteArray> set;
    for (const QByteArray& name : names) {
        set.insert(folded(name));
    }
    return set;
}

void checkSections(const IniDocument* documents[3], const QList<int>& codePages) {
    const QList<SectionRow> rows = SectionListBuilder::build(*documents[0], *documents[1], *documents[2], codePages);
    QList<QByteArray> names;
    for (const SectionRow& row : rows) {
        names.append(row.name);
        const int destination = int(foldedSet(documents[2]->keys(row.name)).size());
        const int reference = int(foldedSet(documents[0]->keys(row.name)).size());
        FUZZ_CHECK(row.mark == (destination == 0 ? MarkMissing : destination < reference ? MarkPartial : MarkPresent));
    }
    const QSet<QByteArray> shown = foldedSet(names);
    FUZZ_CHECK(shown.size() == names.size());
    FUZZ_CHECK(shown == foldedSet(documents[0]->sections() + documents[1]->sections() + documents[2]->sections()));
}

bool holdsKey(const IniDocument& document, const QByteArray& section, const QByteArray& key) {
    return foldedSet(document.keys(section)).contains(folded(key));
}

void checkValues(const IniDocument* documents[3], const QByteArray& section, const QList<int>& codePages) {
    const std::vector<ValueRow> rows =
        ValueListBuilder::build(*documents[0], *documents[1], *documents[2], section, codePages);
    if (section.isEmpty()) {
        FUZZ_CHECK(rows.empty());
        return;
    }
    QList<QByteArray> keys;
    for (const ValueRow& row : rows) {
        keys.append(row.key);
        const RowMark mark = holdsKey(*documents[2], section, row.key)   ? MarkPresent
                             : holdsKey(*documents[1], section, row.key) ? MarkPartial
                                                                         : MarkMissing;
        FUZZ_CHECK(row.mark == mark);
        FUZZ_CHECK(row.shown == documents[int(mark)]->readString(section, row.key));
        const QByteArray destination = documents[2]->readString(section, row.key);
        FUZZ_CHECK(row.changed ==
                   (!destination.isEmpty() && destination != documents[1]->readString(section, row.key)));
    }
    const QSet<QByteArray> shown = foldedSet(keys);
    FUZZ_CHECK(shown.size() == keys.size());
    FUZZ_CHECK(shown ==
               foldedSet(documents[0]->keys(section) + documents[1]->keys(section) + documents[2]->keys(section)));
}

void checkNextMissing(FuzzInput& input) {
    QList<RowMark> marks;
    const int count = input.pick(12);
    for (int i = 0; i < count; ++i) {
        marks.append(RowMark(input.pick(3)));
    }
    const int selected = input.pick(count + 2) - 1;
    const NextMissingEntry next = NextMissingEntry::find(selected, count, [&](int row) { return marks.at(row); });
    NextMissingEntry walked;
    for (int row = selected; row < count - 1;) {
        walked.row = ++row;
        if (marks[row] != MarkPresent) {
            walked.missing = true;
            break;
        }
    }
    FUZZ_CHECK(next.row == walked.row && next.missing == walked.missing);
}

void checkSearch(const QByteArray& text, const QByteArray& term) {
    const QList<LanguageSearch::Hit> hits = LanguageSearch::searchText(text, term);
    const auto upper = [](QByteArray bytes) {
        for (char& c : bytes) {
            c = c >= 'a' && c <= 'z' ? char(c - 32) : c;
        }
        return bytes;
    };
    QByteArray lines = text.left(text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0'));
    lines.replace("\r\n", "\n");
    lines.replace('\r', '\n');
    QByteArray section;
    qsizetype found = 0;
    for (const QByteArray& line : lines.split('\n')) {
        if (line.startsWith('[')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        const QByteArray data = line.mid(equals + 1);
        if (term.isEmpty() || !upper(data).contains(upper(term))) {
            continue;
        }
        FUZZ_CHECK(found < hits.size());
        const LanguageSearch::Hit& hit = hits[found++];
        FUZZ_CHECK(hit.section == section && hit.data == data &&
                   hit.key == (equals < 0 ? QByteArray() : line.left(equals)));
    }
    FUZZ_CHECK(found == hits.size());
}

// Each field of a catalogue entry comes from the last layer whose entry section holds its key.
void checkSpecialLayers(const IniDocument* documents[3], const QByteArray& entry, int codePage) {
    const SpecialEntryFields fields =
        SpecialEntryLayers::layer(*documents[0], *documents[1], *documents[2], entry, codePage);
    for (int field = 0; field < SpecialKeys::FieldCount; ++field) {
        const QByteArray key = SpecialKeys::names[size_t(field)];
        QString expected;
        for (int layer = 0; layer < 3; ++layer) {
            if (documents[layer]->hasKey(entry, key)) {
                expected = CodePage::decode(documents[layer]->readString(entry, key), codePage);
            }
        }
        FUZZ_CHECK(fields.texts[size_t(field)] == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int CodePages[] = {1252, 1251, 932, 949};
    FuzzInput input(data, size);
    IniDocument files[3];
    QList<int> codePages;
    QByteArray texts[3];
    for (int i = 0; i < 3; ++i) {
        texts[i] = input.bytes(120);
        files[i].setFromText(texts[i]);
        codePages.append(CodePages[input.pick(4)]);
    }
    const IniDocument* documents[3] = {&files[0], &files[1], &files[2]};
    checkSections(documents, codePages);
    QList<QByteArray> sections = files[0].sections() + files[1].sections() + files[2].sections();
    sections.append(input.name());
    for (const QByteArray& section : sections) {
        checkValues(documents, section, codePages);
        checkSpecialLayers(documents, section, codePages[2]);
    }
    checkNextMissing(input);
    checkSearch(texts[input.pick(3)], input.bytes(4));
    return 0;
}
