#include "LanguageFolder.h"
#include "HexBitmap.h"
#include "ImageList.h"
#include "IniDocument.h"
#include "NameCollation.h"
#include "ProgressSink.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include <QtTest>

#include <sys/stat.h>

using TestFiles::write;

namespace {

struct RecordedProgress : ProgressSink {
    QList<QPair<int, int>> steps;
    void progress(int position, int maximum) override { steps.append({position, maximum}); }
};

} // namespace

// A project's languages, their files and their flags, masked as the image list shows them, from
// the files of its folder.
class LanguageFolderTest : public QObject {
    Q_OBJECT
private slots:
    void namesSortedIgnoringCase();
    void noLanguages_data();
    void noLanguages();
    void flagsMaskedByTopLeftColour();
    void unreadableFileStillListed();
    void progressCountsEveryLanguage();
    void storedChoiceFoundIgnoringCase();
};

void LanguageFolderTest::namesSortedIgnoringCase() {
    QTemporaryDir dir;
    for (const char* name : {"English.tvl", "german.tvl", "French.tvl", "Notes.txt", "Old.tvl.bak", "Upper.TVL"}) {
        write(dir.filePath(name), "[Main]\r\n");
    }
    const QStringList expected = {"English", "French", "german"};
    QCOMPARE(LanguageFolder(dir.path(), "tvl").names(), expected);
    const LanguageFolder folder(dir.path() + "/", "tvl");
    QCOMPARE(folder.names(), expected);
    QCOMPARE(folder.files(),
             (QStringList{dir.filePath("English.tvl"), dir.filePath("French.tvl"), dir.filePath("german.tvl")}));
    QCOMPARE(LanguageFolder(dir.path(), "tvl").filePath("Dutch"), dir.filePath("Dutch.tvl"));
}

void LanguageFolderTest::noLanguages_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::newRow("empty path") << QString() << "tvl";
    QTest::newRow("empty extension") << "." << QString();
    QTest::newRow("missing folder") << "/nonexistent/tolvane/folder"
                                    << "tvl";
}

void LanguageFolderTest::noLanguages() {
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QVERIFY(LanguageFolder(path, extension).flags().isEmpty());
}

void LanguageFolderTest::flagsMaskedByTopLeftColour() {
    QTemporaryDir dir;
    QImage flag(16, 16, QImage::Format_RGB32);
    flag.fill(Qt::white);
    flag.setPixel(5, 7, qRgb(200, 0, 0));
    IniDocument withFlag;
    WriteFlagBitmap(withFlag, "Images", "Flag16", flag);
    write(dir.filePath("Flagged.lng"), withFlag.toText());
    write(dir.filePath("Plain.lng"), "[Main]\r\nLanguageName=Plain\r\n");

    const auto languages = LanguageFolder(dir.path(), "lng").flags();
    QCOMPARE(languages.size(), 2);
    const QImage flagged = ImageList::masked(languages.at(0).flag16);
    QCOMPARE(flagged.size(), QSize(16, 16));
    QCOMPARE(qAlpha(flagged.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(flagged.pixel(15, 15)), 0);
    QCOMPARE(flagged.pixel(5, 7), qRgba(200, 0, 0, 255));
    const QImage blank = ImageList::masked(languages.at(1).flag16);
    QCOMPARE(blank.size(), QSize(16, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            QCOMPARE(qAlpha(blank.pixel(x, y)), 0);
        }
    }
}

void LanguageFolderTest::unreadableFileStillListed() {
    QTemporaryDir dir;
    write(dir.filePath("Good.lng"), "[Images]\r\nFlag16=0011\r\n");
    QVERIFY(QDir(dir.path()).mkdir("Broken.lng")); // a folder cannot be read as a file
    write(dir.filePath("Locked.lng"), "[Main]\r\n");
    QFile::setPermissions(dir.filePath("Locked.lng"), QFileDevice::Permissions());
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("Pipe.lng")).constData(), 0600), 0); // would wait for a writer
    const auto languages = LanguageFolder(dir.path(), "lng").flags();
    QStringList names;
    for (const auto& language : languages) {
        names.append(language.name);
        QCOMPARE(language.flag16.size(), QSize(16, 16));
    }
    // Folders are not languages; a damaged flag, an unreadable file or a FIFO still is one.
    QCOMPARE(names, (QStringList{"Good", "Locked", "Pipe"}));
}

void LanguageFolderTest::progressCountsEveryLanguage() {
    QTemporaryDir dir;
    for (const char* name : {"A.lng", "B.lng", "C.lng"}) {
        write(dir.filePath(name), "[Main]\r\n");
    }
    RecordedProgress progress;
    LanguageFolder(dir.path(), "lng").flags(&progress);
    QCOMPARE(progress.steps, (QList<QPair<int, int>>{{0, 3}, {0, 3}, {1, 3}, {2, 3}}));
}

void LanguageFolderTest::storedChoiceFoundIgnoringCase() {
    const QStringList items = {"English", "French", "german"};
    QCOMPARE(NameCollation::findIgnoringCase(items, "GERMAN"), 2);
    QCOMPARE(NameCollation::findIgnoringCase(items, "english"), 0);
    QCOMPARE(NameCollation::findIgnoringCase(items, "Dutch"), -1);
    QCOMPARE(NameCollation::findIgnoringCase(items, QString()), -1);
}

TOLVANE_TEST(LanguageFolderTest)

#include "LanguageFolderTest.moc"
