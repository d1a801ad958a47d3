#include "TestRegistry.h"

#include "CodePage.h"

#include <QtTest>

class CodePageTest : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips_data() {
        QTest::addColumn<int>("codePage");
        for (const int cp : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
            QTest::addRow("%d", cp) << cp;
        }
    }

    void everyByteRoundTrips() {
        QFETCH(int, codePage);
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b) {
            all[b] = char(b);
        }
        const QString text = CodePage::decode(all, codePage);
        QCOMPARE(text.size(), 256);
        QCOMPARE(CodePage::encode(text, codePage), std::optional<QByteArray>(all));
    }

    // Bytes outside any valid sequence of a multi-byte code page (a lead byte cut off at the end,
    // one followed by a byte that cannot trail it) still come back when the text is saved.
    void damagedMultiByteTextRoundTrips_data() {
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("932 lead byte at the end") << 932 << QByteArray("abc\x81");
        QTest::newRow("932 lead byte before a blank") << 932 << QByteArray("\x81 a\x93\xfa");
        QTest::newRow("949 lead byte at the end") << 949 << QByteArray("\xaf");
        QTest::newRow("950 lead byte before a line break") << 950 << QByteArray("\xa2\r\n");
        QTest::newRow("936 byte that leads nothing") << 936
                                                     << QByteArray("\xff"
                                                                   "a");
        // iconv reports this pair as damaged only after it has stepped past it.
        QTest::newRow("949 damaged pair") << 949
                                          << QByteArray("x\xa2\xe8"
                                                        "A");
        QTest::newRow("Latin-1 lookalike in 949") << 949 << QByteArray("\xa1\x20\xe9");
    }

    void damagedMultiByteTextRoundTrips() {
        QFETCH(int, codePage);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CodePage::encode(CodePage::decode(bytes, codePage), codePage), std::optional<QByteArray>(bytes));
    }

    void knownCharacters_data() {
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("1251 A") << 1251 << QByteArray("\xC0") << QStringLiteral("\u0410");
        QTest::newRow("1252 euro") << 1252 << QByteArray("\x80") << QStringLiteral("\u20AC");
        QTest::newRow("1253 omega") << 1253 << QByteArray("\xF9") << QStringLiteral("\u03C9");
        QTest::newRow("1255 alef") << 1255 << QByteArray("\xE0\xFA") << QStringLiteral("\u05D0\u05EA");
        QTest::newRow("1258 A breve") << 1258 << QByteArray("\xC3") << QStringLiteral("\u0102");
        QTest::newRow("874 ko kai") << 874 << QByteArray("\xA1") << QStringLiteral("\u0E01");
        QTest::newRow("1250 c caron") << 1250 << QByteArray("\xE8") << QStringLiteral("\u010D");
        // Bytes that Windows-1252 leaves undefined stand for themselves.
        QTest::newRow("1252 undefined") << 1252 << QByteArray("\x81\x8D\x8F\x90\x9D")
                                        << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
        QTest::newRow("932 Japanese") << 932 << QByteArray("\x93\xFA\x96\x7B\x8C\xEA\x82\xA0")
                                      << QStringLiteral("\u65E5\u672C\u8A9E\u3042");
    }

    void knownCharacters() {
        QFETCH(int, codePage);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(CodePage::decode(bytes, codePage), text);
        QCOMPARE(CodePage::encode(text, codePage), std::optional<QByteArray>(bytes));
    }

    void textTheCodePageCannotHoldIsRefused_data() {
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("text");
        QTest::newRow("Cyrillic in 1252") << 1252 << QStringLiteral("abc \u0416");
        QTest::newRow("A umlaut in 1251") << 1251 << QStringLiteral("\u00C4");
        QTest::newRow("Greek in 932") << 932 << QStringLiteral("\u65E5 \u20AC");
        // A stray byte kept from a damaged file would pair with "]" into a kanji.
        QTest::newRow("stray 932 lead byte before a trail byte") << 932 << QString(QChar(0xDCE4)) + QLatin1Char(']');
    }

    void textTheCodePageCannotHoldIsRefused() {
        QFETCH(int, codePage);
        QFETCH(QString, text);
        QCOMPARE(CodePage::encode(text, codePage), std::nullopt);
    }

    void forCharset_data() {
        QTest::addColumn<int>("charset");
        QTest::addColumn<int>("codePage");
        const int rows[][2] = {{0, 1252},   {1, 1252},   {161, 1253}, {162, 1254}, {177, 1255},
                               {178, 1256}, {186, 1257}, {204, 1251}, {238, 1250}, {222, 874},
                               {128, 932},  {129, 949},  {134, 936},  {136, 950},  {0x1CC, 1251}};
        for (const auto& row : rows) {
            QTest::addRow("%d", row[0]) << row[0] << row[1];
        }
    }

    void forCharset() {
        QFETCH(int, charset);
        QFETCH(int, codePage);
        QCOMPARE(CodePage::forCharset(charset), codePage);
    }

    // The fixed table holds what the code page's own characters say, byte by byte: a letter
    // goes to its capital when the code page has that capital as one byte.
    void ansiUpperTableFollowsTheCodePage() {
        const auto& upper = CodePage::ansiUpperTable();
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, char(b));
            const QString capital = CodePage::decode(byte, CodePage::Ansi).toUpper();
            const std::optional<QByteArray> encoded = CodePage::encode(capital, CodePage::Ansi);
            const int expected = capital.size() == 1 && encoded ? static_cast<unsigned char>(encoded->at(0)) : b;
            QVERIFY2(upper[size_t(b)] == expected, qPrintable(QStringLiteral("byte %1").arg(b, 2, 16)));
        }
    }

    void ansiUpperTable() {
        const auto& upper = CodePage::ansiUpperTable();
        for (int c = 'a'; c <= 'z'; ++c) {
            QCOMPARE(int(upper[size_t(c)]), c - 32);
        }
        QCOMPARE(int(upper[0xE0]), 0xC0);
        QCOMPARE(int(upper[0xFF]), 0x9F);
        QCOMPARE(int(upper[0x9A]), 0x8A);
        QCOMPARE(int(upper[0xF7]), 0xF7);
        QCOMPARE(int(upper[0xB5]), 0xB5);
        QCOMPARE(int(upper['A']), int('A'));
        QCOMPARE(int(upper['[']), int('['));
    }
};

TOLVANE_TEST(CodePageTest)
#include "CodePageTest.moc"
