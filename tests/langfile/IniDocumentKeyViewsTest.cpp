#include "IniDocument.h"
#include "IniText.h"
#include "TestRegistry.h"

#include <QTest>

namespace {

// "key=value" per line, "key" alone for a null value.
QList<QByteArray> described(const QList<IniDocument::LineView>& views) {
    QList<QByteArray> lines;
    for (const IniDocument::LineView& view : views) {
        lines.append(view.value.isNull() ? view.key.toByteArray()
                                         : view.key.toByteArray() + '=' + view.value.toByteArray());
    }
    return lines;
}

} // namespace

// Distinct key counts and line views: what the editing lists read without copying.
class IniDocumentKeyViewsTest : public QObject {
    Q_OBJECT

private slots:
    void distinctKeyCount_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("distinct keys") << QByteArray("[S]\nA=1\nB=2\nC=\n") << 3;
        QTest::newRow("duplicates in mixed case") << QByteArray("[S]\nA=1\na=2\nB=3\nb=4\nA=5\n") << 2;
        QTest::newRow("Windows-1252 letters fold") << QByteArray("[S]\n\xE9t\xE9=1\n\xC9T\xC9=2\n\xC9t=3\n") << 2;
        QTest::newRow("lines without = are one empty key") << QByteArray("[S]\nA=1\nJust text\nMore text\n") << 2;
        QTest::newRow("empty key and a line without =") << QByteArray("[S]\n=x\nJust text\n= y\n") << 1;
        QTest::newRow("empty key only") << QByteArray("[S]\n=x\nA=1\n") << 2;
        QTest::newRow("section without lines") << QByteArray("[S]\n[T]\nA=1\n") << 0;
        QTest::newRow("last of repeated sections") << QByteArray("[S]\nA=1\nB=2\n[s]\nC=3\n") << 1;
        QTest::newRow("missing section") << QByteArray("[T]\nA=1\n") << 0;
    }

    void distinctKeyCount() {
        QFETCH(QByteArray, text);
        QFETCH(int, count);
        const IniDocument document = iniFromText(text);
        QCOMPARE(document.distinctKeyCount(document.findSection("S")), count);
    }

    void countFollowsWritesAndDeletions() {
        IniDocument document = iniFromText("[S]\nA=1\na=2\nRaw line\n");
        const IniDocument::SectionRef ref = document.findSection("S");
        QCOMPARE(document.distinctKeyCount(ref), 2);
        document.writeString("S", "B", "new");
        document.writeString("S", "b", "again");
        QCOMPARE(document.distinctKeyCount(ref), 3);
        // The earlier "A=1" takes over the look-up, so the key is still there.
        document.deleteKey("S", "A");
        QCOMPARE(document.distinctKeyCount(ref), 3);
        document.deleteKey("S", "A");
        QCOMPARE(document.distinctKeyCount(ref), 2);
        // An empty key written beside the line without "=" is the same key.
        document.writeString("S", "", "e");
        QCOMPARE(document.distinctKeyCount(ref), 2);
        document.eraseSection("S");
        QCOMPARE(document.distinctKeyCount(ref), 0);
        QCOMPARE(document.distinctKeyCount(document.findSection("S")), 0);
    }

    void lineViews_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("every line in order, duplicates too")
            << QByteArray("[S]\nA=1\nB = 2 \na=3\n") << QList<QByteArray>{"A=1", "B=2", "a=3"};
        QTest::newRow("line without = has an empty key and no value")
            << QByteArray("[S]\nA=1\nJust text\n=x\nC=\n") << QList<QByteArray>{"A=1", "", "=x", "C="};
        QTest::newRow("the last section of that name")
            << QByteArray("[S]\nA=1\n[s]\nB=2\n") << QList<QByteArray>{"B=2"};
        QTest::newRow("missing section") << QByteArray("[T]\nA=1\n") << QList<QByteArray>{};
    }

    void lineViews() {
        QFETCH(QByteArray, text);
        QFETCH(QList<QByteArray>, lines);
        const IniDocument document = iniFromText(text);
        const QList<IniDocument::LineView> views = document.lineViews(document.findSection("S"));
        // An empty value ("C=") is still a value; only the line without "=" has none.
        QCOMPARE(described(views), lines);
    }

    void lineViewsSeeWrittenValues() {
        IniDocument document = iniFromText("[S]\nA=old\nB=kept\n");
        document.writeString("s", "a", "new");
        document.writeString("S", "C", "");
        const QList<IniDocument::LineView> views = document.lineViews(document.findSection("S"));
        QCOMPARE(described(views), (QList<QByteArray>{"a=new", "B=kept", "C="}));
        QVERIFY(!views.last().value.isNull());
    }
};

TOLVANE_TEST(IniDocumentKeyViewsTest)
#include "IniDocumentKeyViewsTest.moc"
