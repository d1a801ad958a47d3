#include "TestFiles.h"
#include "TestRegistry.h"

#include "BulkRunner.h"
#include "RulesFile.h"
#include "ScopedWriteFault.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

// Runs over files on disk: every file through the safe write, failures reported, the run going on.
class BulkRunnerTest : public QObject {
    Q_OBJECT
private slots:
    void runs_data();
    void runs();
    void refusedFilesStayWhole_data();
    void refusedFilesStayWhole();
    void eachFileAsIfAlone_data() { runs_data(); }
    void eachFileAsIfAlone();
};

void BulkRunnerTest::runs_data() {
    QTest::addColumn<bool>("sort");
    QTest::newRow("sort") << true;
    QTest::newRow("rules") << false;
}

// A read-only file first, then a missing one, then one that is rewritten.
void BulkRunnerTest::runs() {
    QFETCH(bool, sort);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray text("; note\r\n[B]\r\nb=2\r\n[A]\r\nz=1\r\ny=2\r\n");
    const QStringList paths{dir.filePath(QStringLiteral("locked.lng")), dir.filePath(QStringLiteral("gone.lng")),
                            dir.filePath(QStringLiteral("open.lng"))};
    TestFiles::write(paths.at(0), text);
    TestFiles::write(paths.at(2), text);
    QVERIFY(QFile::setPermissions(paths.at(0), QFileDevice::ReadOwner));
    TestFiles::write(dir.filePath(QStringLiteral("rules.txt")), "MOVEKEY A C\r\n");

    QList<QPair<int, int>> progress;
    const auto report = [&](int done, int total) { progress.append({done, total}); };
    const QList<FileReport> reports =
        sort ? BulkRunner::sortFiles(paths, report, QLocale::c())
             : BulkRunner::applyRules(paths, RulesFile::read(dir.filePath(QStringLiteral("rules.txt"))), report);

    QCOMPARE(progress, (QList<QPair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    QCOMPARE(reports.size(), 3);
    QCOMPARE(reports.at(0).outcome, FileReport::Outcome::Failed);
    QVERIFY2(reports.at(0).reason.startsWith(QStringLiteral("Cannot create file \"") + paths.at(0)),
             qPrintable(reports.at(0).reason));
    QCOMPARE(TestFiles::read(paths.at(0)), text);
    QCOMPARE(reports.at(1).outcome, FileReport::Outcome::Missing);
    QVERIFY(!QFile::exists(paths.at(1)));
    QCOMPARE(reports.at(2).outcome, FileReport::Outcome::Written);
    QCOMPARE(reports.at(2).path, paths.at(2));
    QCOMPARE(TestFiles::read(paths.at(2)), sort ? QByteArray("[A]\r\ny=2\r\nz=1\r\n\r\n[B]\r\nb=2\r\n\r\n")
                                                : QByteArray("[B]\r\nb=2\r\n\r\n[C]\r\nz=1\r\ny=2\r\n\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3); // no temporary file left behind
}

void BulkRunnerTest::refusedFilesStayWhole_data() {
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<int>("faultStep"); // -1: no injected fault
    const QByteArray plain("[B]\r\nb=2\r\n[A]\r\na=1\r\n");
    QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF") + plain << -1;
    QTest::newRow("UTF-16 little endian") << QByteArray("\xFF\xFE[\0B\0]\0", 8) << -1;
    QTest::newRow("NUL before the end") << QByteArray("[B]\r\nb=2\r\n\0[A]\r\na=1\r\n", 22) << -1;
    QTest::newRow("write fails") << plain << int(ScopedWriteFault::Write);
    QTest::newRow("flush fails") << plain << int(ScopedWriteFault::Flush);
    QTest::newRow("rename fails") << plain << int(ScopedWriteFault::Rename);
}

// A file that may not or cannot be rewritten is reported and left whole; the next one is written.
void BulkRunnerTest::refusedFilesStayWhole() {
    QFETCH(QByteArray, first);
    QFETCH(int, faultStep);
    QTemporaryDir dir;
    const QStringList paths{dir.filePath(QStringLiteral("first.lng")), dir.filePath(QStringLiteral("second.lng"))};
    TestFiles::write(paths.at(0), first);
    TestFiles::write(paths.at(1), "[B]\r\nb=2\r\n[A]\r\na=1\r\n");
    std::optional<ScopedWriteFault> fault;
    if (faultStep >= 0) {
        fault.emplace(ScopedWriteFault::Step(faultStep));
    }
    const QList<FileReport> reports = BulkRunner::sortFiles(paths, {}, QLocale::c());
    QCOMPARE(reports.at(0).outcome, FileReport::Outcome::Failed);
    QVERIFY2(reports.at(0).reason.startsWith(QStringLiteral("Cannot create file \"") + paths.at(0)),
             qPrintable(reports.at(0).reason));
    QCOMPARE(TestFiles::read(paths.at(0)), first);
    QCOMPARE(reports.at(1).outcome, FileReport::Outcome::Written);
    QCOMPARE(TestFiles::read(paths.at(1)), QByteArray("[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

// A run reuses one file's memory for the next: large and small files in turn, with repeated
// sections and lines without "=", come out as each would alone.
void BulkRunnerTest::eachFileAsIfAlone() {
    QFETCH(bool, sort);
    QTemporaryDir dir;
    uint32_t random = 7;
    const auto below = [&](uint32_t n) { return ((random = random * 1664525u + 1013904223u) >> 8) % n; };
    QStringList paths;
    for (int file = 0; file < 8; ++file) {
        QByteArray text;
        for (int section = 0, sections = file % 2 ? 2 : 40; section < sections; ++section) {
            text += "[" + QByteArray(1, char('A' + below(6))) + "]\r\n";
            for (int line = 0, lines = int(below(30)); line < lines; ++line) {
                text += below(9) ? "k" + QByteArray::number(below(40)) + "=" + QByteArray(int(below(50)), 'v')
                                 : "bare " + QByteArray::number(below(3));
                text += "\r\n";
            }
        }
        paths.append(dir.filePath(QString::number(file)));
        TestFiles::write(paths.last(), text);
    }
    const BulkRunner::Rewrite rewrite =
        sort ? BulkRunner::sorting(QLocale::c())
             : BulkRunner::applyingRules(
                   RulesFile::parse("MOVEKEY A C\r\nCOPYKEY B D\r\nMOVEVALUE C E k1\r\nCOPYVALUE D A k2\r\n"));
    QList<QByteArray> alone;
    for (const QString& path : paths) {
        alone.append(BulkRunner::rewritten(path, rewrite));
    }
    BulkRunner::run(paths, rewrite);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QCOMPARE(TestFiles::read(paths.at(i)), alone.at(i));
    }
}

TOLVANE_TEST(BulkRunnerTest)
#include "BulkRunnerTest.moc"
