#include "TestFiles.h"
#include "TestRegistry.h"

#include "FileListing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class FileListingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        TestFiles::writeAll(m_dir.path(), {"English.tvl", "Deutsch.tvl", ".hidden.tvl", "upper.TVL", "notes.tvl.bak",
                                           "info", "a[1].tvl", "b1.tvl"});
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Folder.tvl")));
    }

    void files_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("extension, case-sensitive, no folders")
            << "*.tvl"
            << QStringList{QStringLiteral(".hidden.tvl"), QStringLiteral("Deutsch.tvl"), QStringLiteral("English.tvl"),
                           QStringLiteral("a[1].tvl"), QStringLiteral("b1.tvl")};
        QTest::newRow("question mark") << "?????.TVL" << QStringList{QStringLiteral("upper.TVL")};
        QTest::newRow("brackets are literal") << "a[1].*" << QStringList{QStringLiteral("a[1].tvl")};
        QTest::newRow("all files") << "*.*"
                                   << QStringList{QStringLiteral(".hidden.tvl"),   QStringLiteral("Deutsch.tvl"),
                                                  QStringLiteral("English.tvl"),   QStringLiteral("a[1].tvl"),
                                                  QStringLiteral("b1.tvl"),        QStringLiteral("info"),
                                                  QStringLiteral("notes.tvl.bak"), QStringLiteral("upper.TVL")};
        QTest::newRow("nothing matches") << "*.xyz" << QStringList();
    }

    void files() {
        QFETCH(QString, pattern);
        QFETCH(QStringList, expected);
        QStringList listed = FileListing::files(m_dir.path(), pattern);
        listed.sort();
        QCOMPARE(listed, expected);
    }

    void missingFolderGivesNothing() {
        QVERIFY(FileListing::files(m_dir.filePath(QStringLiteral("absent")), QStringLiteral("*.tvl")).isEmpty());
    }

private:
    QTemporaryDir m_dir;
};

TOLVANE_TEST(FileListingTest)
#include "FileListingTest.moc"
