#include "TestFiles.h"
#include "TestRegistry.h"
#include "TextUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FindFilesTest : public QObject {
    Q_OBJECT

private slots:
    void listsMatchingFilesOnly() {
        QTemporaryDir dir;
        TestFiles::writeAll(dir.path(), {"English.lng", "German.lng", ".Hidden.lng", "notes.txt", "Upper.LNG"});
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Folder.lng")));
        QStringList found = FindFiles(dir.path() + QStringLiteral("/*.lng"));
        found.sort();
        QCOMPARE(found, QStringList({".Hidden.lng", "English.lng", "German.lng"}));
    }

    void missingFolderGivesNothing() {
        QTemporaryDir dir;
        QVERIFY(FindFiles(dir.filePath(QStringLiteral("missing/*.lng"))).isEmpty());
        QVERIFY(FindFiles(dir.path() + QStringLiteral("/*.none")).isEmpty());
    }
};

TOLVANE_TEST(FindFilesTest)
#include "FindFilesTest.moc"
