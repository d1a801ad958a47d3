#include "ValueEscapes.h"
#include "EscapeRules.h"
#include "TestRegistry.h"
#include "TextUtils.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

class ValueEscapesTest : public QObject {
    Q_OBJECT

private slots:
    void escape_data() {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("escaped");
        QTest::newRow("percent at end") << QByteArray("100%") << QByteArray("100%");
        QTest::newRow("percent digit") << QByteArray("%3") << QByteArray("%%3");
        QTest::newRow("placeholders") << QByteArray("%s of %d, %1 %2") << QByteArray("%s of %d, %1 %2");
        QTest::newRow("upper-case S is no placeholder") << QByteArray("%S") << QByteArray("%%S");
        QTest::newRow("line break") << QByteArray("a\r\nb") << QByteArray("a%0D%0Ab");
        QTest::newRow("percent before break") << QByteArray("50%\r\nx") << QByteArray("50%%%0D%0Ax");
        QTest::newRow("typed escape") << QByteArray("%0D%0A") << QByteArray("%%0D%%0A");
        QTest::newRow("lone CR and LF") << QByteArray("a\rb\nc\n\r") << QByteArray("a\rb\nc\n\r");
        QTest::newRow("CR CR LF") << QByteArray("\r\r\n") << QByteArray("\r%0D%0A");
        QTest::newRow("run of percents") << QByteArray("%%%x") << QByteArray("%%%%%%x");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void escape() {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, escaped);
        QByteArray text = plain;
        EscapeLanguageValue(text);
        QCOMPARE(text, escaped);
        QCOMPARE(text, EscapeRules::escaped(plain));
    }

    void unescape_data() {
        QTest::addColumn<QByteArray>("escaped");
        QTest::addColumn<QByteArray>("plain");
        QTest::newRow("lower case is not recognised") << QByteArray("%0d%0a") << QByteArray("%0d%0a");
        QTest::newRow("three percents") << QByteArray("%%%") << QByteArray("%");
        QTest::newRow("percent before escape") << QByteArray("50%%%0D%0Ax") << QByteArray("50%\r\nx");
        QTest::newRow("escape inside percents") << QByteArray("%%0D%0A") << QByteArray("%\r\n");
        QTest::newRow("two breaks") << QByteArray("%0D%0A%0D%0A") << QByteArray("\r\n\r\n");
        QTest::newRow("partial") << QByteArray("%0D%0D%0A%0") << QByteArray("%0D\r\n%0");
        QTest::newRow("single percent") << QByteArray("100%") << QByteArray("100%");
    }

    void unescape() {
        QFETCH(QByteArray, escaped);
        QFETCH(QByteArray, plain);
        QByteArray text = escaped;
        UnescapeLanguageValue(text);
        QCOMPARE(text, plain);
        QCOMPARE(text, EscapeRules::unescaped(escaped));
    }

    // Random texts over the interesting characters: the fast code agrees with the literal
    // loops, and texts without runs of "%" survive the round trip.
    void matchesLiteralLoopsAndRoundTrips() {
        const char alphabet[] = {'%', '%', '0', 'D', 'A', 'd', 's', '1', '2', '\r', '\n', 'x'};
        QRandomGenerator random(7);
        for (int round = 0; round < 5000; ++round) {
            QByteArray text;
            const int size = random.bounded(14);
            for (int i = 0; i < size; ++i) {
                text += alphabet[random.bounded(int(sizeof(alphabet)))];
            }
            QByteArray escaped = text;
            EscapeLanguageValue(escaped);
            QCOMPARE(escaped, EscapeRules::escaped(text));
            QByteArray back = escaped;
            UnescapeLanguageValue(back);
            QCOMPARE(back, EscapeRules::unescaped(escaped));
            if (!text.contains("%%")) {
                QCOMPARE(back, text);
            }
        }
    }

    void linearOnLongTexts() {
        QByteArray breaks = QByteArray("a\r\n").repeated(200000);
        QByteArray percents = QByteArray(400000, '%');
        QElapsedTimer timer;
        timer.start();
        EscapeLanguageValue(breaks);
        UnescapeLanguageValue(breaks);
        UnescapeLanguageValue(percents);
        QCOMPARE(breaks, QByteArray("a\r\n").repeated(200000));
        QCOMPARE(percents, QByteArray("%"));
        QVERIFY2(timer.elapsed() < 2000, "escaping must not be quadratic");
    }

    void unescapeLineBreaks_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("doubled percent kept") << QByteArray("a%%0D%0Ab") << QByteArray("a%\r\nb");
        QTest::newRow("lower case kept") << QByteArray("%0d%0a") << QByteArray("%0d%0a");
        QTest::newRow("two breaks") << QByteArray("x%0D%0A%0D%0Ay") << QByteArray("x\r\n\r\ny");
        QTest::newRow("percents untouched") << QByteArray("100%%") << QByteArray("100%%");
    }

    void unescapeLineBreaks() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(UnescapeLineBreaks(text), expected);
        QCOMPARE(UnescapeLineBreaks(QString::fromLatin1(text)), QString::fromLatin1(expected));
    }
};

TOLVANE_TEST(ValueEscapesTest)
#include "ValueEscapesTest.moc"
