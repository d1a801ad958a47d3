#include "EditorTestFiles.h"
#include "NextMissingEntry.h"
#include "SectionListBuilder.h"
#include "TestRegistry.h"
#include "ValueListBuilder.h"

#include <QtTest>

using EditorTestFiles::document;

// The merged section and entry lists with their marks, over documents in memory.
class EditorListsTest : public QObject {
    Q_OBJECT
private slots:
    void sectionMarks_data();
    void sectionMarks();
    void sectionNamesMergeReferenceSpellingFirst();
    void namesInCollationOrder_data();
    void namesInCollationOrder();
    void namesCollateInTheirOwnCodePage();
    void valueRows_data();
    void valueRows();
    void sameSourceAndDestinationNeverChanged();
    void nextMissingEntry_data();
    void nextMissingEntry();
};

void EditorListsTest::sectionMarks_data() {
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("destination");
    QTest::addColumn<int>("mark");
    QTest::newRow("destination lacks the section") << QByteArray("[S]\nA=1\n") << QByteArray() << QByteArray() << 0;
    QTest::newRow("section only in the source") << QByteArray() << QByteArray("[S]\nA=1\n") << QByteArray() << 0;
    QTest::newRow("destination has fewer keys")
        << QByteArray("[S]\nA=1\nB=2\n") << QByteArray() << QByteArray("[S]\nA=x\n") << 1;
    QTest::newRow("equal counts, different keys")
        << QByteArray("[S]\nA=1\nB=2\n") << QByteArray() << QByteArray("[S]\nX=1\nY=2\n") << 2;
    QTest::newRow("duplicate keys counted once")
        << QByteArray("[S]\nA=1\nB=2\n") << QByteArray() << QByteArray("[S]\nA=1\na=2\n") << 1;
    QTest::newRow("line without = is the empty key")
        << QByteArray("[S]\nA=1\n") << QByteArray() << QByteArray("[S]\nJust text\n") << 2;
    QTest::newRow("empty destination values count")
        << QByteArray("[S]\nA=1\n") << QByteArray() << QByteArray("[S]\nA=\n") << 2;
}

void EditorListsTest::sectionMarks() {
    QFETCH(QByteArray, reference);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, destination);
    QFETCH(int, mark);
    const auto rows = SectionListBuilder::build(*document(reference), *document(source), *document(destination));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().name, QByteArray("S"));
    QCOMPARE(int(rows.first().mark), mark);
}

void EditorListsTest::sectionNamesMergeReferenceSpellingFirst() {
    const auto rows =
        SectionListBuilder::build(*document("[Texts]\nA=1\n[alpha]\n[texts]\n"), *document("[ALPHA]\n[Zeta]\n[Beta]\n"),
                                  *document("[TEXTS]\nA=2\n[beta]\n"));
    QList<QByteArray> names;
    for (const SectionRow& row : rows) {
        names.append(row.name);
    }
    QCOMPARE(names, (QList<QByteArray>{"alpha", "Beta", "Texts", "Zeta"}));
}

void EditorListsTest::namesInCollationOrder_data() {
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<QByteArray>("destination");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::newRow("underscore before letters")
        << QByteArray("[S]\nITEMA=1\nITEM_1=2\n") << QByteArray() << QList<QByteArray>{"ITEM_1", "ITEMA"};
    QTest::newRow("digits as characters") << QByteArray("[S]\nItem2=1\nitem10=2\nItemB=3\n") << QByteArray()
                                          << QList<QByteArray>{"item10", "Item2", "ItemB"};
    QTest::newRow("case ignored, first spelling kept")
        << QByteArray("[S]\nb=1\nA=2\n") << QByteArray("[S]\na=1\nB=2\n") << QList<QByteArray>{"A", "b"};
    QTest::newRow("ANSI upper-casing decides duplicates")
        << QByteArray("[S]\n\xE4rger=1\n") << QByteArray("[S]\n\xC4RGER=2\n") << QList<QByteArray>{"\xE4rger"};
}

void EditorListsTest::namesInCollationOrder() {
    QFETCH(QByteArray, reference);
    QFETCH(QByteArray, destination);
    QFETCH(QList<QByteArray>, expected);
    const auto empty = document("");
    QList<QByteArray> keys;
    for (const ValueRow& row : ValueListBuilder::build(*document(reference), *empty, *document(destination), "S")) {
        keys.append(row.key);
    }
    QCOMPARE(keys, expected);
}

void EditorListsTest::namesCollateInTheirOwnCodePage() {
    // Byte C0 is a Cyrillic letter in code page 1251 (after every Latin letter) but a Latin A
    // with grave in the ANSI code page (before y with diaeresis, byte FF).
    const auto rows =
        SectionListBuilder::build(*document("[\xFF]\n"), *document(""), *document("[\xC0]\n"), {1252, 1252, 1251});
    QList<QByteArray> names;
    for (const SectionRow& row : rows) {
        names.append(row.name);
    }
    QCOMPARE(names, (QList<QByteArray>{"\xFF", "\xC0"}));
}

void EditorListsTest::valueRows_data() {
    QTest::addColumn<QByteArray>("destination");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<int>("mark");
    QTest::addColumn<bool>("changed");
    // Reference: Caption=Ref, Only=Ref only, Pct=5%; source: Caption=Src, Pct=5%%.
    QTest::newRow("key differing in case is one entry")
        << QByteArray("[S]\ncaption=Dst\n") << QByteArray("Caption") << QByteArray("Dst") << 2 << true;
    QTest::newRow("destination equal to source is plain")
        << QByteArray("[S]\nCaption=Src\n") << QByteArray("Caption") << QByteArray("Src") << 2 << false;
    QTest::newRow("empty destination value is present")
        << QByteArray("[S]\nCaption=\n") << QByteArray("Caption") << QByteArray() << 2 << false;
    QTest::newRow("taken from the source")
        << QByteArray("[S]\n") << QByteArray("Caption") << QByteArray("Src") << 1 << false;
    QTest::newRow("taken from the reference")
        << QByteArray("[S]\n") << QByteArray("Only") << QByteArray("Ref only") << 0 << false;
    QTest::newRow("last duplicate wins, stored text unescaped")
        << QByteArray("[S]\nCaption=a%0D%0Ab\nCAPTION=c%0D%0Ad\n") << QByteArray("Caption") << QByteArray("c%0D%0Ad")
        << 2 << true;
    QTest::newRow("percent texts compare exactly")
        << QByteArray("[S]\nPct=5%\n") << QByteArray("Pct") << QByteArray("5%") << 2 << true;
}

void EditorListsTest::valueRows() {
    QFETCH(QByteArray, destination);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, shown);
    QFETCH(int, mark);
    QFETCH(bool, changed);
    const auto reference = document("[S]\nCaption=Ref\nOnly=Ref only\nPct=5%\n");
    const auto source = document("[s]\nCaption=Src\nPct=5%%\n");
    const auto rows = ValueListBuilder::build(*reference, *source, *document(destination), "s");
    QStringList keys;
    for (const ValueRow& row : rows) {
        keys.append(QString::fromLatin1(row.key));
    }
    QCOMPARE(keys, (QStringList{"Caption", "Only", "Pct"}));
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const ValueRow& row) { return row.key == key; });
    QVERIFY(it != rows.end());
    QCOMPARE(it->shown, shown);
    QCOMPARE(int(it->mark), mark);
    QCOMPARE(it->changed, changed);
}

void EditorListsTest::sameSourceAndDestinationNeverChanged() {
    const auto reference = document("[S]\nA=1\nB=2\nC=3\n");
    const auto same = document("[S]\nA=eins\nB=\nc=drei\n");
    for (const ValueRow& row : ValueListBuilder::build(*reference, *same, *same, "S")) {
        QVERIFY2(!row.changed, row.key.constData());
        QCOMPARE(int(row.mark), 2);
    }
}

void EditorListsTest::nextMissingEntry_data() {
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("missing");
    QTest::newRow("next missing after the selection") << "2201" << 0 << 2 << true;
    QTest::newRow("nothing selected starts at the first") << "0222" << -1 << 0 << true;
    QTest::newRow("none left: the last stays selected") << "0222" << 0 << 3 << false;
    QTest::newRow("already on the last item") << "0220" << 3 << -1 << false;
    QTest::newRow("empty list") << "" << -1 << -1 << false;
    QTest::newRow("source-taken entries count as missing") << "2212" << 1 << 2 << true;
}

void EditorListsTest::nextMissingEntry() {
    QFETCH(QString, marks);
    QFETCH(int, selected);
    QFETCH(int, row);
    QFETCH(bool, missing);
    const NextMissingEntry next =
        NextMissingEntry::find(selected, int(marks.size()), [&](int i) { return RowMark(marks.at(i).digitValue()); });
    QCOMPARE(next.row, row);
    QCOMPARE(next.missing, missing);
}

TOLVANE_TEST(EditorListsTest)

#include "EditorListsTest.moc"
