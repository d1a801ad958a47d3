#include "LineScanner.h"
#include "TestRegistry.h"

#include <QRandomGenerator>
#include <QTest>

// The one-pass scan against a byte-by-byte reading, on texts where "=", CR and LF fall inside
// and across the sixteen-byte blocks the scan reads.
class LineScannerTest : public QObject {
    Q_OBJECT

private slots:
    void lineStopsMatchPlainReading_data() {
        QTest::addColumn<QByteArray>("alphabet");
        QTest::newRow("breaks and equals") << QByteArray("ab=\r\n ");
        QTest::newRow("rare breaks") << QByteArray("abcdefghijklmnopqrstuvwxyz=\n");
        QTest::newRow("rare equals") << QByteArray("abcdefghijklmnopqrstuvwxyz \r=");
        QTest::newRow("no breaks") << QByteArray("a=b");
    }

    void lineStopsMatchPlainReading() {
        QFETCH(QByteArray, alphabet);
        QRandomGenerator random(7);
        for (int run = 0; run < 2000; ++run) {
            QByteArray text(random.bounded(80), Qt::Uninitialized);
            for (char& c : text) {
                c = alphabet.at(random.bounded(int(alphabet.size())));
            }
            const size_t end = size_t(text.size());
            const size_t pos = end == 0 ? 0 : size_t(random.bounded(int(end)));
            size_t stop = pos;
            while (stop < end && text[qsizetype(stop)] != '\r' && text[qsizetype(stop)] != '\n') {
                ++stop;
            }
            const size_t equals = size_t(text.indexOf('=', qsizetype(pos)));
            const LineStops found = findLineStops(text.constData(), pos, end);
            QCOMPARE(found.end, stop);
            QCOMPARE(found.equals, equals < stop ? equals : stop);
        }
    }
};

TOLVANE_TEST(LineScannerTest)
#include "LineScannerTest.moc"
