#include "IniDocument.h"
#include "FileError.h"
#include "IniText.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fixture(const char* name) {
    return TestFiles::fixture(QStringLiteral("langfile/") + QLatin1String(name));
}

} // namespace

class IniDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void loadRules_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("blanks around key and value")
            << QByteArray("[S]\r\n  Key  =  Value  \r\n") << QByteArray("[S]\r\nKey=Value\r\n\r\n");
        QTest::newRow("split at first =") << QByteArray("[S]\nk = a = b\n") << QByteArray("[S]\r\nk=a = b\r\n\r\n");
        QTest::newRow("line without = kept")
            << QByteArray("[S]\nJust text\n") << QByteArray("[S]\r\nJust text\r\n\r\n");
        QTest::newRow("comments and blank lines dropped")
            << QByteArray("[S]\n;c\n  ;d\n\n\t\nk=v\n") << QByteArray("[S]\r\nk=v\r\n\r\n");
        QTest::newRow("lines before first header lost") << QByteArray("a=1\nb\n[S]\n") << QByteArray("[S]\r\n\r\n");
        QTest::newRow("BOM hides the first header")
            << QByteArray("\xEF\xBB\xBF[A]\nx=1\n[B]\ny=2\n") << QByteArray("[B]\r\ny=2\r\n\r\n");
        QTest::newRow("header trimmed inside") << QByteArray("[ \t Name  ]\n") << QByteArray("[Name]\r\n\r\n");
        QTest::newRow("empty header") << QByteArray("[]\nk=v\n") << QByteArray("[]\r\nk=v\r\n\r\n");
        QTest::newRow("unclosed header is a line")
            << QByteArray("[S]\n[open\n[\n") << QByteArray("[S]\r\n[open\r\n[\r\n\r\n");
        QTest::newRow("CR, LF and CR LF end lines")
            << QByteArray("[S]\ra=1\nb=2\r\nc=3\n\rd=4") << QByteArray("[S]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n\r\n");
        QTest::newRow("NUL ends the text") << QByteArray("[S]\na=1\0\nb=2\n", 13) << QByteArray("[S]\r\na=1\r\n\r\n");
        QTest::newRow("control bytes count as blanks")
            << QByteArray("[S]\n\x01k\x1f=\x1fv\x7f\n") << QByteArray("[S]\r\nk=v\x7f\r\n\r\n");
        QTest::newRow("high bytes are not blanks")
            << QByteArray("[S]\n\xA0k=\xFF\n") << QByteArray("[S]\r\n\xA0k=\xFF\r\n\r\n");
        QTest::newRow("empty text") << QByteArray() << QByteArray();
        QTest::newRow("empty section kept")
            << QByteArray("[A]\n[B]\nk=v") << QByteArray("[A]\r\n\r\n[B]\r\nk=v\r\n\r\n");
    }

    void loadRules() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, written);
        QCOMPARE(iniFromText(text).toText(), written);
    }

    void setFromLinesAppliesLoadRules() {
        IniDocument document;
        document.setFromText("[Old]\nx=1\n");
        document.setFromLines({"ignored", " [ S ] ", " k = v ", "; c", "raw\nline", "[T]"});
        QCOMPARE(document.toText(), QByteArray("[S]\r\nk=v\r\nraw\nline\r\n\r\n[T]\r\n\r\n"));
        QVERIFY(!document.hasSection("Old"));
    }

    void fixtureRoundTrip_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("messy file") << fixture("messy.lng") << fixture("messy.expected");
        QTest::newRow("clean file unchanged") << fixture("clean.lng") << fixture("clean.lng");
    }

    void fixtureRoundTrip() {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, expected);
        QVERIFY(!source.isEmpty());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lang.lng"));
        TestFiles::write(path, source);
        {
            IniDocument document(path);
            document.writeBack();
        }
        const QByteArray bytes = TestFiles::read(path);
        QCOMPARE(bytes, expected);
        // The write-back form is a fixed point.
        QCOMPARE(iniFromText(bytes).toText(), bytes);
    }

    void messyFixtureReads() {
        const IniDocument document = iniFromText(fixture("messy.lng"));
        QCOMPARE(document.sections(), QList<QByteArray>({"Main", "Texts", "texts", "Empty", "Last"}));
        QCOMPARE(document.keys("Main"), QList<QByteArray>({"LanguageName", "FontCharset", ""}));
        QCOMPARE(document.readString("TEXTS", "a"), QByteArray("2"));
        QVERIFY(!document.hasKey("Texts", "B")); // the second [texts] hides the first
        QCOMPARE(document.readString("Last", "k"), QByteArray("v"));
        QVERIFY(!document.hasSection("Ignored"));
        QVERIFY(!document.hasSection("Lost"));
    }

    void duplicatesAndCase() {
        IniDocument document = iniFromText("[Texts]\nA=1\na=2\nB=x\n[texts]\nA=3\n[\xE9t\xE9]\nK=e\n");
        QCOMPARE(document.readString("TEXTS", "a"), QByteArray("3"));
        QCOMPARE(document.keys("Texts"), QList<QByteArray>({"A"}));
        QCOMPARE(document.readString("\xC9T\xC9", "k"), QByteArray("e")); // Windows-1252 upper-casing
        document.eraseSection("texts");
        QCOMPARE(document.readString("Texts", "A"), QByteArray("2"));
        QCOMPARE(document.readString("Texts", "b"), QByteArray("x"));
        document.writeString("TEXTS", "A", "new");
        QCOMPARE(document.lines("texts"), QList<QByteArray>({"A=1", "A=new", "B=x"}));
        document.deleteKey("texts", "a");
        QCOMPARE(document.readString("Texts", "a"), QByteArray("1"));
        document.deleteKey("texts", "a");
        QVERIFY(!document.hasKey("Texts", "A"));
        QCOMPARE(document.readString("Texts", "B"), QByteArray("x"));
        document.deleteKey("Missing", "B");
        document.eraseSection("Missing");
        QCOMPARE(document.sections(), QList<QByteArray>({"Texts", "\xE9t\xE9"}));
    }

    void writeStringPlacesLines() {
        IniDocument document = iniFromText("[A]\nx=1\ny=2\n[B]\n");
        document.writeString("a", "X", "9");
        document.writeString("A", "z", "3");
        document.writeString("New", "k", " v ");
        QCOMPARE(document.toText(), QByteArray("[A]\r\nX=9\r\ny=2\r\nz=3\r\n\r\n[B]\r\n\r\n[New]\r\nk= v \r\n\r\n"));
        // A line without "=" is no key, not even the empty one.
        document.setFromText("[S]\nraw\n");
        QVERIFY(!document.hasKey("S", ""));
        document.writeString("S", "", "v");
        QCOMPARE(document.lines("S"), QList<QByteArray>({"raw", "=v"}));
        QCOMPARE(document.keys("S"), QList<QByteArray>({"", ""}));
    }

    void manyWritesKeepValues() {
        // Enough rewrites to make the document reclaim the space of replaced values.
        IniDocument document = iniFromText("[S]\nkeep=first\n");
        const QByteArray big(4096, 'v');
        for (int i = 0; i < 2000; ++i) {
            document.writeString("S", "k" + QByteArray::number(i % 7), big + QByteArray::number(i));
        }
        QCOMPARE(document.readString("S", "keep"), QByteArray("first"));
        QCOMPARE(document.readString("S", "K4"), big + "1999");
        QCOMPARE(document.keys("S").size(), 8);
    }

    void clearEmpties() {
        IniDocument document = iniFromText("[A]\nx=1\n");
        document.clear();
        QVERIFY(document.sections().isEmpty());
        QVERIFY(!document.hasSection("A"));
        document.writeString("A", "y", "2");
        QCOMPARE(document.toText(), QByteArray("[A]\r\ny=2\r\n\r\n"));
    }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QByteArray("204") << 204;
        QTest::newRow("negative") << QByteArray("-12") << -12;
        QTest::newRow("plus") << QByteArray("+7") << 7;
        QTest::newRow("0x hex") << QByteArray("0x1F") << 31;
        QTest::newRow("0X hex") << QByteArray("0Xff") << 255;
        QTest::newRow("dollar hex") << QByteArray("$A1") << 161;
        QTest::newRow("0x alone") << QByteArray("0x") << -1;
        QTest::newRow("dollar alone") << QByteArray("$") << -1;
        QTest::newRow("bad hex digit") << QByteArray("0xG") << -1;
        QTest::newRow("text") << QByteArray("eight") << -1;
        QTest::newRow("trailing text") << QByteArray("8pt") << -1;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("sign alone") << QByteArray("-") << -1;
        QTest::newRow("int max") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("int min") << QByteArray("-2147483648") << int(-2147483647 - 1);
        QTest::newRow("overflow") << QByteArray("2147483648") << -1;
        QTest::newRow("hex overflow") << QByteArray("$100000000") << -1;
        QTest::newRow("long overflow") << QByteArray("99999999999999999999999") << -1;
    }

    void readInteger() {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        IniDocument document;
        document.writeString("Main", "FontSize", value);
        QCOMPARE(document.readInteger("MAIN", "fontsize", -1), expected);
        QCOMPARE(document.readInteger("Main", "Missing", 8), 8);
    }

    void fileHandling() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.lng"));
        IniDocument missing(path);
        QVERIFY(missing.sections().isEmpty());
        QCOMPARE(missing.fileName(), path);
        missing.writeString("S", "k", "v");
        missing.writeBack();
        QCOMPARE(IniDocument(path).readString("s", "K"), QByteArray("v"));
        QVERIFY(IniDocument(QString()).sections().isEmpty());

        IniDocument nowhere(dir.filePath(QStringLiteral("no/such/folder/x.lng")));
        nowhere.writeString("S", "k", "v");
        QVERIFY_THROWS_EXCEPTION(FileError, nowhere.writeBack());
        QCOMPARE(nowhere.readString("S", "k"), QByteArray("v"));
        // An existing name that cannot be read is an error, not an empty document.
        QVERIFY_THROWS_EXCEPTION(FileError, IniDocument(dir.path()));
    }

    void readOnlyFileKept() {
        // Refused by its permission bits, so this holds for root too.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.lng"));
        TestFiles::write(path, "[S]\r\nk=v\r\n\r\n");
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        IniDocument readOnly(path);
        readOnly.writeString("S", "k", "changed");
        bool refused = false;
        try {
            readOnly.writeBack();
        } catch (const FileError& error) {
            refused = error.message().startsWith(QStringLiteral("Cannot create file \"") + path + QLatin1Char('"'));
        }
        QVERIFY(refused);
        QCOMPARE(IniDocument(path).readString("S", "k"), QByteArray("v"));
    }
};

TOLVANE_TEST(IniDocumentTest)
#include "IniDocumentTest.moc"
