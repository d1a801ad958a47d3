#include "SpecialCategories.h"
#include "SpecialEntryList.h"
#include "SpecialTestFiles.h"
#include "TestRegistry.h"

#include <QtTest>

// The category list and the three-pass entry list over files on disk.
class SpecialListsTest : public QObject {
    Q_OBJECT
private slots:
    void categories_data();
    void categories();
    void categoriesComeFromTheLister();
    void entries_data();
    void entries();
    void exampleCatalogue();
};

namespace {

QStringList captions(const QList<SpecialEntryRow>& rows) {
    QStringList result;
    for (const SpecialEntryRow& row : rows) {
        result.append(row.caption + QLatin1Char(':') + QString::number(row.mark));
    }
    return result;
}

} // namespace

void SpecialListsTest::categories_data() {
    QTest::addColumn<QString>("specialPath"); // relative to the test folder
    QTest::addColumn<QStringList>("expected");
    // Every row lists the same folder: Includes/ holds the catalogue, its parent a stray file.
    QTest::newRow("folder, language files unfiltered")
        << "Includes/"
        << QStringList{"Adware:2", "Adware.French:0", "Adware.German:0", "dialer:0", "Spyware:1", "Spyware.German:0"};
    QTest::newRow("path without separator is a plain prefix") << "Includes" << QStringList{"Includesx:0"};
    QTest::newRow("empty path is the working folder") << "" << QStringList{"Includesx:0"};
}

void SpecialListsTest::categories() {
    QFETCH(QString, specialPath);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("Includes"));
    TestFiles::writeAll(dir.filePath("Includes"),
                        {"Adware.nfo", "Adware.German.nfo", "Adware.French.nfo", "Spyware.nfo", "Spyware.German.nfo",
                         "dialer.nfo", "Notes.txt", "Upper.NFO"});
    TestFiles::writeAll(dir.path(), {"Includesx.nfo"});
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const SpecialFiles files(specialPath.isEmpty() ? QString() : dir.filePath(specialPath), "nfo",
                             {"English", "German", "French"});
    const QList<SpecialCategory> categories = SpecialCategories::list(files);
    QDir::setCurrent(previous);
    QStringList actual;
    for (const SpecialCategory& category : categories) {
        actual.append(category.name + QLatin1Char(':') + QString::number(category.mark));
    }
    QCOMPARE(actual, expected);
}

void SpecialListsTest::categoriesComeFromTheLister() {
    QStringList asked;
    const auto lister = [&](const QString& folder, const QString& pattern) {
        asked << folder << pattern;
        return QStringList{"zeta.x.nfo", "Alpha.nfo"};
    };
    const QList<SpecialCategory> categories =
        SpecialCategories::list(SpecialFiles("/data/Includes", "nfo", {"E", "G", "F"}), lister);
    QCOMPARE(asked, (QStringList{"/data/", "Includes*.nfo"}));
    QCOMPARE(categories.size(), 2);
    QCOMPARE(categories.at(0).name, QStringLiteral("Alpha"));
    QCOMPARE(categories.at(1).name, QStringLiteral("zeta.x"));
}

void SpecialListsTest::entries_data() {
    QTest::addColumn<QByteArray>("destination"); // a null text: no such file
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("section case differs between destination and source")
        << QByteArray("[Spyware1]\n") << QByteArray("[SPYWARE1]\n[Spyware2]\n") << QByteArray() << QByteArray() << 1252
        << QStringList{"Spyware1:2", "Spyware2:1"};
    QTest::newRow("no source or base file: destination and reference passes still run")
        << QByteArray("[B]\n") << QByteArray() << QByteArray() << QByteArray("[b]\n[A]\n") << 1252
        << QStringList{"A:0", "B:2"};
    QTest::newRow("base stands in for source and reference") << QByteArray() << QByteArray() << QByteArray("[Y]\n[X]\n")
                                                             << QByteArray() << 1252 << QStringList{"X:1", "Y:1"};
    QTest::newRow("source file present: base unused") << QByteArray() << QByteArray("[S]\n") << QByteArray("[Base]\n")
                                                      << QByteArray("[R]\n") << 1252 << QStringList{"R:0", "S:1"};
    QTest::newRow("locale order across passes, lower case first in ties")
        << QByteArray("[Beta]\n[beta]\n") << QByteArray("[delta]\n") << QByteArray() << QByteArray("[Gamma]\n[alpha]\n")
        << 1252 << QStringList{"alpha:0", "beta:2", "Beta:2", "delta:1", "Gamma:0"};
    QTest::newRow("captions in the destination's code page")
        << QByteArray("[\xd7\xe5\xf0\xe2\xfc]\n") << QByteArray() << QByteArray() << QByteArray() << 1251
        << QStringList{QString::fromUtf8("\xd0\xa7\xd0\xb5\xd1\x80\xd0\xb2\xd1\x8c:2")};
    QTest::newRow("no files") << QByteArray() << QByteArray() << QByteArray() << QByteArray() << 1252 << QStringList{};
}

void SpecialListsTest::entries() {
    QFETCH(QByteArray, destination);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, reference);
    QFETCH(int, codePage);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const SpecialFiles files =
        SpecialTestFiles::writeCategory(dir.path(), destination, source, base, reference, codePage);
    QCOMPARE(captions(SpecialEntryList::build(files, "Cat")), expected);
}

void SpecialListsTest::exampleCatalogue() {
    const QString product = QStringLiteral(TOLVANE_TEST_DATA "/../../examples/LumenNotes/");
    QCOMPARE(SpecialFiles::codePageOfLanguageFile(product + "Russian.lnl"), 1251);
    const SpecialFiles files(product + "Catalogue/", "nfo", {"English", "German", "French"},
                             SpecialFiles::codePageOfLanguageFile(product + "French.lnl"));
    QCOMPARE(files.codePage(), 1252);
    QStringList categories;
    for (const SpecialCategory& category : SpecialCategories::list(files)) {
        if (!category.name.contains(QLatin1Char('.'))) {
            categories.append(category.name + QLatin1Char(':') + QString::number(category.mark));
        }
    }
    QCOMPARE(categories, (QStringList{"Adware:0", "Toolbars:1", "Trackers:2"}));
    QCOMPARE(captions(SpecialEntryList::build(files, "Trackers")),
             (QStringList{"ClipBeacon:2", "NoteMiner:0", "PixelTrail:2", "SyncLeech:1"}));
    // A language file listed as a category reads itself as that category's base file.
    QCOMPARE(captions(SpecialEntryList::build(files, "Trackers.German")),
             (QStringList{"ClipBeacon:1", "PixelTrail:1", "SyncLeech:1"}));
}

TOLVANE_TEST(SpecialListsTest)

#include "SpecialListsTest.moc"
