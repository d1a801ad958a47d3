#include "TestFiles.h"
#include "TestRegistry.h"

#include "FileLister.h"
#include "LanguageFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// The lists of the sorter and rules pages, from a real folder.
class FileListerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        TestFiles::writeAll(m_dir.path(), {"german.lng", "English.lng", "Adware.German.nfo", "info", "x.NFO", "b.txt"});
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("Sub.lng")));
    }

    void lists_data() {
        QTest::addColumn<bool>("special");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("language files, no folders")
            << false << "lng" << QStringList{QStringLiteral("English.lng"), QStringLiteral("german.lng")};
        QTest::newRow("language extension is case-sensitive") << false << "LNG" << QStringList();
        QTest::newRow("no language extension") << false << "" << QStringList();
        QTest::newRow("special ending, no dot, any case")
            << true << "nfo"
            << QStringList{QStringLiteral("Adware.German.nfo"), QStringLiteral("info"), QStringLiteral("x.NFO")};
        QTest::newRow("no special extension: every file")
            << true << ""
            << QStringList{QStringLiteral("Adware.German.nfo"), QStringLiteral("b.txt"), QStringLiteral("English.lng"),
                           QStringLiteral("german.lng"),        QStringLiteral("info"),  QStringLiteral("x.NFO")};
    }

    // The path is given without its trailing separator, as a project stores it.
    void lists() {
        QFETCH(bool, special);
        QFETCH(QString, extension);
        QFETCH(QStringList, expected);
        const QString path = QDir::toNativeSeparators(m_dir.path());
        const QList<ListedFile> files = special ? FileLister::specialFiles(LanguageFolder(path, extension))
                                                : FileLister::languageFiles(LanguageFolder(path, extension));
        QStringList names;
        for (const ListedFile& file : files) {
            names.append(file.name);
            QCOMPARE(file.folder, path + QDir::separator());
            QVERIFY(QFileInfo(file.path()).isFile());
        }
        QCOMPARE(names, expected);
    }

    void emptyPathListsNothing() { QVERIFY(FileLister::specialFiles(LanguageFolder(QString(), QString())).isEmpty()); }

private:
    QTemporaryDir m_dir;
};

TOLVANE_TEST(FileListerTest)
#include "FileListerTest.moc"
