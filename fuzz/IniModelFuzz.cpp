// The INI document under any sequence of writes, deletions, erasures, clears and loads answers
// as a plain model does: look-up, listing with duplicates and write-back bytes. Large values
// grow the document past the size at which it rewrites its storage, lowered to a few KiB so
// that each input stays cheap and many reach it.
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "IniDocument.h"
#include "ModelDocument.h"
#include "ScopedCompactThreshold.h"

#include <QByteArray>
#include <QList>

#include <vector>

namespace {

constexpr qsizetype CompactThreshold = 4 * 1024;

// A key as the program writes one: never holding "=", which would end it on the next load.
QByteArray keyName(FuzzInput& input) {
    QByteArray key = input.name();
    key.replace('=', '-');
    return key;
}

void compare(const IniDocument& document, const ModelDocument& model, const QByteArray& section,
             const QByteArray& key) {
    const QByteArray expected = model.read(section, key);
    FUZZ_CHECK(document.hasKey(section, key) == !expected.isNull());
    FUZZ_CHECK(document.readString(section, key, "<none>") == (expected.isNull() ? "<none>" : expected));
    const IniDocument::SectionRef ref = document.findSection(section);
    FUZZ_CHECK(ref.isValid() == (model.section(section) >= 0));
    FUZZ_CHECK(document.hasSection(section) == ref.isValid());
    const QByteArrayView view = document.valueView(ref, key);
    FUZZ_CHECK(view.isNull() == expected.isNull() && view == QByteArrayView(expected));

    const QList<QByteArray> lines = model.lines(section);
    FUZZ_CHECK(document.lines(section) == lines);
    QList<QByteArray> keys;
    for (const QByteArray& line : lines) {
        keys.append(ModelDocument::keyOf(line));
    }
    FUZZ_CHECK(document.keys(section) == keys);
    const QList<IniDocument::LineView> views = document.lineViews(ref);
    FUZZ_CHECK(views.size() == lines.size());
    for (qsizetype i = 0; i < views.size(); ++i) {
        const QByteArray shown = views[i].value.isNull()
                                     ? views[i].bare.toByteArray()
                                     : views[i].key.toByteArray() + '=' + views[i].value.toByteArray();
        FUZZ_CHECK(shown == lines[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScopedCompactThreshold threshold(CompactThreshold);
    FuzzInput input(data, size);
    IniDocument document;
    ModelDocument model;
    int steps = 0;
    while (!input.atEnd() && ++steps < 200) {
        const QByteArray section = input.name();
        const QByteArray key = keyName(input);
        switch (input.pick(10)) {
        case 0:
        case 1: {
            const QByteArray value = input.bytes();
            document.writeString(section, key, value);
            model.write(section, key, value);
            break;
        }
        case 2:
            document.deleteKey(section, key);
            model.deleteKey(section, key);
            break;
        case 3:
            document.eraseSection(section);
            model.erase(section);
            break;
        case 4:
            document.clear();
            model.clear();
            break;
        case 5: {
            const QByteArray text = input.bytes(200);
            document.setFromText(text);
            model.load(text);
            break;
        }
        case 6: {
            const QByteArray text = document.toText();
            FUZZ_CHECK(text == model.text());
            document.setFromText(text);
            model.load(text);
            break;
        }
        case 7: {
            QByteArray bare = input.bytes(8);
            bare.replace('=', '-');
            if (!bare.isEmpty()) {
                document.writeLine(section, {{}, {}, bare});
                model.writeBare(section, bare);
            }
            break;
        }
        case 8: {
            // Enough of these outgrow the storage the document keeps before it compacts.
            const QByteArray value(qsizetype(input.byte() + 1) * CompactThreshold / 256, char('a' + input.pick(26)));
            document.writeString(section, key, value);
            model.write(section, key, value);
            break;
        }
        default:
            compare(document, model, section, key);
            break;
        }
    }
    FUZZ_CHECK(document.sections() == model.sections());
    FUZZ_CHECK(document.toText() == model.text());
    return 0;
}
