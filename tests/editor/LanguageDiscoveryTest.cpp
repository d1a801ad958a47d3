#include "LanguageDiscovery.h"
#include "EditorTestFiles.h"
#include "HexBitmap.h"
#include "TestRegistry.h"

#include <QtTest>

#include <sys/stat.h>

using EditorTestFiles::write;

// Discovering a project's languages and their masked flags from the files of its folder.
class LanguageDiscoveryTest : public QObject {
    Q_OBJECT
private slots:
    void namesSortedIgnoringCase();
    void noLanguages_data();
    void noLanguages();
    void flagsMaskedByTopLeftColour();
    void imagesSectionsReadAsTheWholeFile_data();
    void imagesSectionsReadAsTheWholeFile();
    void unreadableFileStillListed();
    void progressCountsEveryLanguage();
    void storedChoiceFoundIgnoringCase();
};

void LanguageDiscoveryTest::namesSortedIgnoringCase() {
    QTemporaryDir dir;
    for (const char* name : {"English.tvl", "german.tvl", "French.tvl", "Notes.txt", "Old.tvl.bak", "Upper.TVL"}) {
        write(dir.filePath(name), "[Main]\r\n");
    }
    const QStringList expected = {"English", "French", "german"};
    QCOMPARE(LanguageDiscovery::languageNames(dir.path(), "tvl"), expected);
    QCOMPARE(LanguageDiscovery::languageNames(dir.path() + "/", "tvl"), expected);
}

void LanguageDiscoveryTest::noLanguages_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::newRow("empty path") << QString() << "tvl";
    QTest::newRow("empty extension") << "." << QString();
    QTest::newRow("missing folder") << "/nonexistent/tolvane/folder"
                                    << "tvl";
}

void LanguageDiscoveryTest::noLanguages() {
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QVERIFY(LanguageDiscovery::discover(path, extension).isEmpty());
}

void LanguageDiscoveryTest::flagsMaskedByTopLeftColour() {
    QTemporaryDir dir;
    QImage flag(16, 16, QImage::Format_RGB32);
    flag.fill(Qt::white);
    flag.setPixel(5, 7, qRgb(200, 0, 0));
    IniDocument withFlag;
    WriteFlagBitmap(withFlag, "Images", "Flag16", flag);
    write(dir.filePath("Flagged.lng"), withFlag.toText());
    write(dir.filePath("Plain.lng"), "[Main]\r\nLanguageName=Plain\r\n");

    const auto languages = LanguageDiscovery::discover(dir.path(), "lng");
    QCOMPARE(languages.size(), 2);
    const QImage& flagged = languages.at(0).flag16Masked;
    QCOMPARE(flagged.size(), QSize(16, 16));
    QCOMPARE(qAlpha(flagged.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(flagged.pixel(15, 15)), 0);
    QCOMPARE(flagged.pixel(5, 7), qRgba(200, 0, 0, 255));
    const QImage& blank = languages.at(1).flag16Masked;
    QCOMPARE(blank.size(), QSize(16, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            QCOMPARE(qAlpha(blank.pixel(x, y)), 0);
        }
    }
}

void LanguageDiscoveryTest::imagesSectionsReadAsTheWholeFile_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("plain") << QByteArray("[Main]\r\nA=1\r\n[Images]\r\nFlag16=AB\r\n[Texts]\r\nB=2\r\n");
    QTest::newRow("last section of the name wins")
        << QByteArray("[Images]\nFlag16=11\n[X]\n[ images ]\nFlag16=22\nFlag16=33\n[Y]\nFlag16=44\n");
    QTest::newRow("blanks and tabs around the header") << QByteArray("[A]\r\n \t[Images]\t \r\nFlag16 = 55 \r\n");
    QTest::newRow("brackets inside values and open headers")
        << QByteArray("[A]\nK=[Images]\n[Images\nFlag16=66\n[Images]x\nFlag16=77\n[Images]\nFlag32=1\n");
    QTest::newRow("bracketed text inside values")
        << QByteArray("[Images]\r\nComment=see [Other]\r\nFlag16=AB\r\n[Texts]\r\nNote=x [Images]\r\nFlag16=CD\r\n");
    QTest::newRow("lone CR line ends, last line unterminated") << QByteArray("[A]\rX=1\r[Images]\rFlag16=88");
    QTest::newRow("a NUL ends the text") << QByteArray("[Images]\nFlag16=99\n\0[Images]\nFlag16=00\n", 40);
    QTest::newRow("byte-order mark hides the first header")
        << QByteArray("\xef\xbb\xbf[Images]\nFlag16=AA\n[Images]\nFlag32=BB\n");
    QTest::newRow("empty header") << QByteArray("[Images]\nFlag16=CC\n[]\nFlag16=DD\n");
}

void LanguageDiscoveryTest::imagesSectionsReadAsTheWholeFile() {
    QFETCH(QByteArray, text);
    IniDocument whole;
    whole.setFromText(text);
    IniDocument part;
    part.setFromText(LanguageDiscovery::imagesSections(text));
    QCOMPARE(part.lines("Images"), whole.lines("Images"));
    QCOMPARE(part.readString("Images", "Flag16", "-"), whole.readString("Images", "Flag16", "-"));
}

void LanguageDiscoveryTest::unreadableFileStillListed() {
    QTemporaryDir dir;
    write(dir.filePath("Good.lng"), "[Images]\r\nFlag16=0011\r\n");
    QVERIFY(QDir(dir.path()).mkdir("Broken.lng")); // a folder cannot be read as a file
    write(dir.filePath("Locked.lng"), "[Main]\r\n");
    QFile::setPermissions(dir.filePath("Locked.lng"), QFileDevice::Permissions());
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("Pipe.lng")).constData(), 0600), 0); // would wait for a writer
    const auto languages = LanguageDiscovery::discover(dir.path(), "lng");
    QStringList names;
    for (const auto& language : languages) {
        names.append(language.name);
        QCOMPARE(language.flag16Masked.size(), QSize(16, 16));
    }
    // Folders are not languages; a damaged flag, an unreadable file or a FIFO still is one.
    QCOMPARE(names, (QStringList{"Good", "Locked", "Pipe"}));
}

void LanguageDiscoveryTest::progressCountsEveryLanguage() {
    QTemporaryDir dir;
    for (const char* name : {"A.lng", "B.lng", "C.lng"}) {
        write(dir.filePath(name), "[Main]\r\n");
    }
    QList<QPair<int, int>> steps;
    LanguageDiscovery::discover(dir.path(), "lng", [&](int position, int maximum) {
        steps.append({position, maximum});
    });
    QCOMPARE(steps, (QList<QPair<int, int>>{{0, 3}, {0, 3}, {1, 3}, {2, 3}}));
}

void LanguageDiscoveryTest::storedChoiceFoundIgnoringCase() {
    const QStringList items = {"English", "French", "german"};
    QCOMPARE(LanguageDiscovery::findIgnoringCase(items, "GERMAN"), 2);
    QCOMPARE(LanguageDiscovery::findIgnoringCase(items, "english"), 0);
    QCOMPARE(LanguageDiscovery::findIgnoringCase(items, "Dutch"), -1);
    QCOMPARE(LanguageDiscovery::findIgnoringCase(items, QString()), -1);
}

TOLVANE_TEST(LanguageDiscoveryTest)

#include "LanguageDiscoveryTest.moc"
