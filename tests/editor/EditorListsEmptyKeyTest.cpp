#include "EditorTestFiles.h"
#include "SectionListBuilder.h"
#include "TestRegistry.h"
#include "ValueListBuilder.h"

#include <QtTest>

using EditorTestFiles::document;

// Lines without "=" and lines with an empty key in the merged lists: both are the empty key.
class EditorListsEmptyKeyTest : public QObject {
    Q_OBJECT
private slots:
    void emptyKeyEntry_data();
    void emptyKeyEntry();
    void emptyKeyCountedOnceInSectionMark();
};

void EditorListsEmptyKeyTest::emptyKeyEntry_data() {
    QTest::addColumn<QByteArray>("destination");
    QTest::addColumn<QByteArray>("shown");
    QTest::addColumn<int>("mark");
    QTest::newRow("line without =") << QByteArray("[S]\nJust text\n") << QByteArray() << 2;
    QTest::newRow("empty key with a value") << QByteArray("[S]\n=dst\n") << QByteArray("dst") << 2;
    // The raw line adds no value of its own: the list agrees with a click on the entry.
    QTest::newRow("empty key, then a raw line") << QByteArray("[S]\n=dst\nJust text\n") << QByteArray("dst") << 2;
    QTest::newRow("from the source") << QByteArray("[S]\nA=1\n") << QByteArray("src") << 1;
}

void EditorListsEmptyKeyTest::emptyKeyEntry() {
    QFETCH(QByteArray, destination);
    QFETCH(QByteArray, shown);
    QFETCH(int, mark);
    const auto reference = document("[S]\nA=ref\nRaw reference line\n");
    const auto source = document("[S]\n=src\n");
    const auto rows = ValueListBuilder::build(*reference, *source, *document(destination), "S");
    QCOMPARE(rows.size(), size_t(2));
    QCOMPARE(rows.front().key, QByteArray());
    QCOMPARE(rows.front().shown, shown);
    QCOMPARE(int(rows.front().mark), mark);
    QCOMPARE(rows.back().key, QByteArray("A"));
}

void EditorListsEmptyKeyTest::emptyKeyCountedOnceInSectionMark() {
    // Reference: A, B and the empty key; the destination's "=x" and raw lines are one key.
    const auto reference = document("[S]\nA=1\nB=2\n=e\n");
    const auto rows =
        SectionListBuilder::build(*reference, *document(""), *document("[S]\nA=1\n=x\nRaw line\nOther raw line\n"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(int(rows.first().mark), int(MarkPartial));
}

TOLVANE_TEST(EditorListsEmptyKeyTest)

#include "EditorListsEmptyKeyTest.moc"
