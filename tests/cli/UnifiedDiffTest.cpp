#include "UnifiedDiff.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

// The diff that a dry run prints: exact hunks for small changes, and for any change one that
// patch applies to give the new bytes.
class UnifiedDiffTest : public QObject {
    Q_OBJECT
private slots:
    void hunks_data();
    void hunks();
    void patchGivesTheNewLines_data();
    void patchGivesTheNewLines();
};

void UnifiedDiffTest::hunks_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QByteArray>("diff");
    QTest::newRow("same") << QByteArray("a\r\nb") << QByteArray("a\r\nb") << QByteArray();
    QTest::newRow("into an empty file") << QByteArray() << QByteArray("a\r\nb\r\n")
                                        << QByteArray("--- f\n+++ f\n@@ -0,0 +1,2 @@\n+a\r\n+b\r\n");
    QTest::newRow("line ends change") << QByteArray("a\nb") << QByteArray("a\r\nb\r\n")
                                      << QByteArray("--- f\n+++ f\n@@ -1,2 +1,2 @@\n-a\n-b\n"
                                                    "\\ No newline at end of file\n+a\r\n+b\r\n");
    QTest::newRow("one line changed in the middle")
        << QByteArray("1\n2\n3\n4\n5\n6\n7\n8\n9\n") << QByteArray("1\n2\n3\n4\nfive\n6\n7\n8\n9\n")
        << QByteArray("--- f\n+++ f\n@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n");
    QTest::newRow("two hunks") << QByteArray("a\n1\n2\n3\n4\n5\n6\n7\nb\n") << QByteArray("1\n2\n3\n4\n5\n6\n7\n")
                               << QByteArray("--- f\n+++ f\n@@ -1,4 +1,3 @@\n-a\n 1\n 2\n 3\n"
                                             "@@ -6,4 +5,3 @@\n 5\n 6\n 7\n-b\n");
    // patch reads up to LF: a lone CR that ended a diff line would join it to the next.
    QTest::newRow("lone CR stays in its line")
        << QByteArray("a\rb\r") << QByteArray("a\rc\r")
        << QByteArray("--- f\n+++ f\n@@ -1,1 +1,1 @@\n-a\rb\r\n\\ No newline at end of file\n"
                      "+a\rc\r\n\\ No newline at end of file\n");
}

void UnifiedDiffTest::hunks() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QByteArray, diff);
    QCOMPARE(UnifiedDiff::diff(before, after, "f"), diff);
}

void UnifiedDiffTest::patchGivesTheNewLines_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("changes");
    QTest::addColumn<QByteArray>("end");
    const QByteArray ends[] = {"\r\n", "\n", "\r"};
    for (int round = 0; round < 9; ++round) {
        QTest::newRow(qPrintable(QStringLiteral("small %1").arg(round))) << 12 + round << 1 + round << ends[round % 3];
    }
    QTest::newRow("shuffled") << 200 << 400 << QByteArray("\r\n");
    // More differences than the shortest edit is looked for: the middle is replaced whole.
    QTest::newRow("beyond the search") << 3000 << 6000 << QByteArray("\r\n");
}

void UnifiedDiffTest::patchGivesTheNewLines() {
    QFETCH(int, lines);
    QFETCH(int, changes);
    QFETCH(QByteArray, end);
    QRandomGenerator random(quint32(lines * 31 + changes));
    QList<QByteArray> before;
    for (int i = 0; i < lines; ++i) {
        before.append("line " + QByteArray::number(random.bounded(lines / 2 + 1)));
    }
    QList<QByteArray> after = before;
    for (int i = 0; i < changes; ++i) {
        const int at = int(random.bounded(after.size() + 1));
        switch (random.bounded(3)) {
        case 0:
            after.insert(at, "new " + QByteArray::number(i));
            break;
        case 1:
            if (at < after.size()) {
                after.removeAt(at);
            }
            break;
        default:
            std::swap(after[random.bounded(after.size())], after[random.bounded(after.size())]);
        }
    }
    const QByteArray oldText = before.join(end) + end;
    const QByteArray newText = after.join(end) + end;
    QTemporaryDir dir;
    TestFiles::write(dir.filePath("f"), oldText);
    TestFiles::write(dir.filePath("d"), UnifiedDiff::diff(oldText, newText, "f"));
    QProcess patch;
    patch.setWorkingDirectory(dir.path());
    patch.start("patch", {"-s", "-p0", "--binary", "-i", "d"});
    QVERIFY(patch.waitForFinished());
    QCOMPARE(patch.exitCode(), 0);
    QCOMPARE(TestFiles::read(dir.filePath("f")), newText);
}

TOLVANE_TEST(UnifiedDiffTest)
#include "UnifiedDiffTest.moc"
