#include "CodePage.h"
#include "IniDocument.h"
#include "IniText.h"
#include "ModelDocument.h"
#include "ScopedCompactThreshold.h"
#include "TestRegistry.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <optional>
#include <utility>
#include <vector>

namespace {

// The shared plain model, answering in the forms this test compares.
class ReferenceDocument : public ModelDocument {
public:
    int findSection(const QByteArray& name) const { return section(name); }

    QByteArray read(const QByteArray& name, const QByteArray& key) const {
        const QByteArray value = ModelDocument::read(name, key);
        return value.isNull() ? QByteArray("<none>") : value;
    }

    QList<QByteArray> viewedLines(const QByteArray& name) const {
        QList<QByteArray> viewed = lines(name);
        for (QByteArray& line : viewed) {
            if (!line.contains('=')) {
                line = "<no value>";
            }
        }
        return viewed;
    }

    // Keys of every line, a line without "=" giving the empty key, counted once per spelling.
    int distinctKeyCount(const QByteArray& name) const {
        QSet<QByteArray> keys;
        for (const QByteArray& line : lines(name)) {
            keys.insert(folded(keyOf(line)));
        }
        return int(keys.size());
    }
};

// Few names in several spellings, so that duplicates and case collisions are common.
const QByteArray SectionNames[] = {"s", "S", "Texts", "TEXTS", "\xE4", "\xC4", ""};
const QByteArray KeyNames[] = {"a", "A", "b", "key", "KEY", "\xE9", "\xC9", "x.Caption", ""};
// Names only looked up: each begins like a key of the document, but no loaded line has it.
const QByteArray LookupOnlyKeys[] = {"a=v", "a ", " a", "a\tb", "raw1", "key\r\nb", "KEY\n", "x.Caption=v"};
// Breaks inside a line given apart stay in its value.
const QByteArray InnerBreaks[] = {"\r", "\n", QByteArray("\0", 1), "\r\n"};

} // namespace

class IniDocumentModelTest : public QObject {
    Q_OBJECT

private:
    // The lines as their views give them: key "=" value, the key alone when there is no value.
    // "<no value>" for a line without "=", whose key must read as empty.
    static QList<QByteArray> viewedLines(const IniDocument& document, IniDocument::SectionRef section) {
        QList<QByteArray> lines;
        for (const IniDocument::LineView& view : document.lineViews(section)) {
            if (view.value.isNull()) {
                lines.append(view.key.isEmpty() ? QByteArray("<no value>") : "<key without value>");
            } else {
                lines.append(view.key.toByteArray() + '=' + view.value.toByteArray());
            }
        }
        return lines;
    }

    template <size_t N> static const QByteArray& pick(QRandomGenerator& random, const QByteArray (&names)[N]) {
        return names[random.bounded(int(N))];
    }

    // A loadable text in write-back form with duplicate sections and keys and raw lines, loaded
    // as text or, with line breaks and NULs inside values, as lines given apart.
    static void loadRandom(QRandomGenerator& random, IniDocument& document, ReferenceDocument& reference) {
        reference.clear();
        const bool asLines = random.bounded(2) == 0;
        QList<QByteArray> lines;
        QByteArray text;
        const int sections = random.bounded(6);
        for (int s = 0; s < sections; ++s) {
            const QByteArray name = pick(random, SectionNames);
            if (name.isEmpty()) {
                continue; // "[]" is legal, but keep names non-empty in text so the reference stays simple
            }
            text += "[" + name + "]\r\n";
            lines.append("[" + name + "]");
            const int count = random.bounded(8);
            for (int l = 0; l < count; ++l) {
                // "=v=x" has the value "v=x", not "x" under the key "a=v".
                QByteArray line = random.bounded(6) == 0 ? QByteArray("raw") + QByteArray::number(l)
                                  : random.bounded(8) == 0
                                      ? pick(random, KeyNames) + "=v=x"
                                      : pick(random, KeyNames) + "=v" + QByteArray::number(random.bounded(100));
                if (asLines && random.bounded(4) == 0) {
                    line += pick(random, InnerBreaks) + "x";
                }
                text += line + "\r\n";
                lines.append(line);
            }
            text += "\r\n";
            lines.append(QByteArray());
        }
        if (asLines) {
            document.setFromLines(lines);
            reference.loadLines(lines);
        } else {
            document.setFromText(text);
            reference.load(text);
        }
    }

private slots:
    void randomOperationsMatchReference_data() {
        QTest::addColumn<quint32>("run");
        QTest::addColumn<int>("valueSize"); // large values make the written text move now and then
        for (quint32 run = 1; run <= 40; ++run) {
            QTest::newRow(QByteArray::number(run).constData()) << run << 0;
        }
        for (quint32 run = 41; run <= 44; ++run) {
            QTest::addRow("%u, large values", run) << run << 20000;
        }
    }

    void randomOperationsMatchReference() {
        QFETCH(quint32, run);
        QFETCH(int, valueSize);
        QRandomGenerator random(run);
        // Every other run compacts the storage of written values early and often.
        std::optional<ScopedCompactThreshold> compactEarly;
        if (run % 2 == 0) {
            compactEarly.emplace(256);
        }
        IniDocument document;
        ReferenceDocument reference;
        // A handle kept across steps: writes and key deletions must leave it answering, the
        // structural changes must leave it finding nothing until it is looked up again.
        const QByteArray heldName = pick(random, SectionNames);
        IniDocument::SectionRef held;
        for (int step = 0; step < 600; ++step) {
            const QByteArray& section = pick(random, SectionNames);
            const QByteArray& key = pick(random, KeyNames);
            const int operation = random.bounded(100);
            if (!held.isValid()) {
                held = document.findSection(heldName);
            }
            if (operation >= 55 && operation < 68) {
                const bool erasing = operation < 65;
                // Erasing a missing section changes nothing, so the handle stays good.
                const bool structural = !erasing || reference.findSection(section) >= 0;
                const IniDocument::SectionRef before = held;
                if (erasing) {
                    document.eraseSection(section);
                    reference.erase(section);
                } else if (operation < 67) {
                    loadRandom(random, document, reference);
                } else {
                    document.clear();
                    reference.clear();
                }
                if (structural) {
                    for (const QByteArray& name : KeyNames) {
                        QVERIFY(document.valueView(before, name).isNull());
                    }
                    held = document.findSection(heldName);
                }
            } else if (operation < 35) {
                const QByteArray value = "w" + QByteArray::number(step) + QByteArray(valueSize, char('a' + step % 26));
                document.writeString(section, key, value);
                reference.write(section, key, value);
            } else if (operation < 55) {
                document.deleteKey(section, key);
                reference.deleteKey(section, key);
            } else {
                const QByteArray expected = reference.read(section, key);
                QCOMPARE(document.readString(section, key, "<none>"), expected);
                QCOMPARE(document.hasKey(section, key), expected != "<none>");
                const IniDocument::SectionRef ref = document.findSection(section);
                QCOMPARE(ref.isValid(), reference.findSection(section) >= 0);
                QCOMPARE(document.readString(ref, key, "<none>"), expected);
                QCOMPARE(document.containsKey(ref, key), expected != "<none>");
                const QByteArrayView view = document.valueView(ref, key);
                QCOMPARE(view.isNull() ? QByteArray("<none>") : view.toByteArray(), expected);
                QCOMPARE(document.readString(held, key, "<none>"), reference.read(heldName, key));
                QCOMPARE(document.hasSection(section), reference.findSection(section) >= 0);
                QCOMPARE(document.lines(section), reference.lines(section));
                QCOMPARE(document.distinctKeyCount(ref), reference.distinctKeyCount(section));
                QCOMPARE(viewedLines(document, ref), reference.viewedLines(section));
                const QByteArray& lookupOnly = pick(random, LookupOnlyKeys);
                QCOMPARE(document.readString(ref, lookupOnly, "<none>"), reference.read(section, lookupOnly));
                // In the order the section holds its keys, as callers mostly look them up, with
                // names no line has in between.
                for (const IniDocument::LineView& line : document.lineViews(ref)) {
                    const QByteArray lineKey = line.key.toByteArray();
                    QCOMPARE(document.readString(ref, lineKey, "<none>"), reference.read(section, lineKey));
                    const QByteArray& other = pick(random, LookupOnlyKeys);
                    QCOMPARE(document.readString(ref, other, "<none>"), reference.read(section, other));
                }
            }
        }
        QCOMPARE(document.sections(), reference.sections());
        QCOMPARE(document.toText(), reference.text());
        // The last steps may have made the section after the handle was last looked up.
        if (!held.isValid()) {
            held = document.findSection(heldName);
        }
        QCOMPARE(document.distinctKeyCount(held), reference.distinctKeyCount(heldName));
        QCOMPARE(viewedLines(document, held), reference.viewedLines(heldName));
        // Every name, in every spelling, answers as the reference does.
        for (const QByteArray& section : SectionNames) {
            for (const QByteArray& key : KeyNames) {
                QCOMPARE(document.readString(section, key, "<none>"), reference.read(section, key));
            }
        }
    }

    // Right after a load, before any look-up needs a section's key index: every line's key in
    // the section's order, then backwards, where a repeated key must give its last line.
    void lookUpsRightAfterLoadMatchReference() {
        for (quint32 run = 1; run <= 300; ++run) {
            QRandomGenerator random(run);
            IniDocument document;
            ReferenceDocument reference;
            loadRandom(random, document, reference);
            for (const IniDocument::SectionRef ref : document.sectionRefs()) {
                const QByteArray section = document.sectionName(ref).toByteArray();
                if (!(document.findSection(section) == ref)) {
                    continue; // an earlier section of the name, which the reference does not answer for
                }
                QList<QByteArray> keys;
                for (const IniDocument::LineView& line : document.lineViews(ref)) {
                    keys.append(line.key.toByteArray());
                }
                for (int i = 0; i < 2 * keys.size(); ++i) {
                    const QByteArray& key = keys.at(i < keys.size() ? i : 2 * keys.size() - 1 - i);
                    const QByteArrayView view = document.valueView(ref, key);
                    QCOMPARE(view.isNull() ? QByteArray("<none>") : view.toByteArray(), reference.read(section, key));
                }
            }
        }
    }
};

TOLVANE_TEST(IniDocumentModelTest)
#include "IniDocumentModelTest.moc"
