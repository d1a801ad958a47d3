#include "AnsiCase.h"
#include "IniDocument.h"
#include "TestRegistry.h"

#include <QtTest>

// Loading only the sections of one name, as the discovery of flags reads [Images]: they come out
// exactly as the whole text gives them, and nothing else is kept.
class IniDocumentOnlySectionTest : public QObject {
    Q_OBJECT
private slots:
    void onlySectionReadAsTheWholeText_data();
    void onlySectionReadAsTheWholeText();
};

void IniDocumentOnlySectionTest::onlySectionReadAsTheWholeText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("plain") << QByteArray("[Main]\r\nA=1\r\n[Images]\r\nFlag16=AB\r\n[Texts]\r\nB=2\r\n");
    QTest::newRow("last section of the name wins")
        << QByteArray("[Images]\nFlag16=11\n[X]\n[ images ]\nFlag16=22\nFlag16=33\n[Y]\nFlag16=44\n");
    QTest::newRow("blanks and tabs around the header") << QByteArray("[A]\r\n \t[Images]\t \r\nFlag16 = 55 \r\n");
    QTest::newRow("brackets inside values and open headers")
        << QByteArray("[A]\nK=[Images]\n[Images\nFlag16=66\n[Images]x\nFlag16=77\n[Images]\nFlag32=1\n");
    QTest::newRow("bracketed text inside values")
        << QByteArray("[Images]\r\nComment=see [Other]\r\nFlag16=AB\r\n[Texts]\r\nNote=x [Images]\r\nFlag16=CD\r\n");
    QTest::newRow("a bracket after another on one line") << QByteArray("[A]\nx[ [Images]\nFlag16=12\n");
    QTest::newRow("lone CR line ends, last line unterminated") << QByteArray("[A]\rX=1\r[Images]\rFlag16=88");
    QTest::newRow("a NUL ends the text") << QByteArray("[Images]\nFlag16=99\n\0[Images]\nFlag16=00\n", 40);
    QTest::newRow("byte-order mark hides the first header")
        << QByteArray("\xef\xbb\xbf[Images]\nFlag16=AA\n[Images]\nFlag32=BB\n");
    QTest::newRow("empty header") << QByteArray("[Images]\nFlag16=CC\n[]\nFlag16=DD\n");
}

void IniDocumentOnlySectionTest::onlySectionReadAsTheWholeText() {
    QFETCH(QByteArray, text);
    IniDocument whole;
    whole.setFromText(text);
    IniDocument part;
    part.setFromText(text, "Images");
    QCOMPARE(part.lines("Images"), whole.lines("Images"));
    QCOMPARE(part.readString("Images", "Flag16", "-"), whole.readString("Images", "Flag16", "-"));
    for (const QByteArray& section : part.sections()) {
        QVERIFY2(AnsiCase::equal(section.constData(), size_t(section.size()), "IMAGES", 6), section.constData());
    }
}

TOLVANE_TEST(IniDocumentOnlySectionTest)
#include "IniDocumentOnlySectionTest.moc"
