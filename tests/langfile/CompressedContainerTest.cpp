#include "CompressedContainer.h"
#include "FileError.h"
#include "IniDocument.h"
#include "IniText.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

namespace {

QByteArray deflate(const QByteArray& text) {
    uLongf size = compressBound(uLong(text.size()));
    QByteArray stream(qsizetype(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(text.constData()),
              uLong(text.size()), 9);
    stream.truncate(qsizetype(size));
    return stream;
}

const QByteArray Text = "[Main]\r\nLanguageName=Fran\xE7"
                        "ais\r\n\r\n[Forms]\r\nformMain.Caption=Tolvane\r\n\r\n";

} // namespace

class CompressedContainerTest : public QObject {
    Q_OBJECT

private slots:
    void inflate_data() {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray good = deflate(Text);
        QTest::newRow("whole stream") << good << Text;
        QTest::newRow("bytes after the end ignored") << good + "trailing junk" << Text;
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("not zlib") << QByteArray("plain text") << QByteArray();
        QTest::newRow("bad checksum keeps the text") << good.left(good.size() - 1) + char(good.back() ^ 1) << Text;
    }

    void inflate() {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArray, expected);
        QCOMPARE(InflateLanguageStream(stream), expected);
    }

    void truncatedGivesPrefix() {
        const QByteArray big = Text.repeated(2000);
        const QByteArray stream = deflate(big);
        const QByteArray partial = InflateLanguageStream(stream.left(stream.size() / 2));
        QVERIFY(!partial.isEmpty());
        QVERIFY(partial.size() < big.size());
        QVERIFY(big.startsWith(partial));
    }

    void bombStopsAtCap() {
        const QByteArray bomb = deflate(QByteArray(200 * 1024 * 1024, '\0')); // about 200 KB
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(InflateLanguageStream(bomb, 1000000).size(), qsizetype(1000000));
        const QByteArray capped = InflateLanguageStream(bomb);
        QCOMPARE(capped.size(), qsizetype(64 * 1024 * 1024));
        QVERIFY2(timer.elapsed() < 5000, "inflating must stop at the cap");
    }

    void loadDocument_data() {
        QTest::addColumn<QByteArray>("indicator");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<QByteArray>>("sections");
        const QList<QByteArray> both{"Main", "Forms"};
        const QByteArray tvc("TVC");
        // Read as plain text, a file opening with this indicator and "1" holds a section "".
        const QByteArray header("[]\n");
        QTest::newRow("plain") << tvc << Text << both;
        QTest::newRow("compressed") << tvc << "TVC1" + deflate(Text) << both;
        QTest::newRow("indicator is case-sensitive") << tvc << "tvc1" + deflate(Text) << QList<QByteArray>();
        QTest::newRow("four bytes only are plain") << header << QByteArray("[]\n1") << QList<QByteArray>{""};
        QTest::newRow("five bytes are compressed") << header << QByteArray("[]\n1\n") << QList<QByteArray>();
        QTest::newRow("broken stream gives empty")
            << tvc << QByteArray("TVC1\r\n[Main]\r\nk=v\r\n") << QList<QByteArray>();
        QTest::newRow("NUL cuts the prefix") << QByteArray("TV") << QByteArray("TV1\0", 4) + deflate(Text) << both;
        QTest::newRow("plain file starting like the indicator")
            << tvc << QByteArray("TVC2\r\n[Main]\r\nk=v\r\n") << QList<QByteArray>{"Main"};
    }

    void loadDocument() {
        QFETCH(QByteArray, indicator);
        QFETCH(QByteArray, file);
        QFETCH(QList<QByteArray>, sections);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("French.tvl"));
        TestFiles::write(path, file);
        IniDocument document = iniFromText("[Old]\r\n");
        LoadLanguageDocument(document, path, indicator);
        QCOMPARE(document.sections(), sections);
        if (!sections.isEmpty() && sections.first() == "Main" && file.contains("Fran")) {
            QCOMPARE(document.readString("main", "languagename"), QByteArray("Fran\xE7"
                                                                             "ais"));
        }
    }

    void missingFileRaises() {
        QTemporaryDir dir;
        IniDocument document;
        QVERIFY_THROWS_EXCEPTION(FileError, LoadLanguageDocument(document, dir.filePath("none.tvl"), "TVC"));
    }
};

TOLVANE_TEST(CompressedContainerTest)
#include "CompressedContainerTest.moc"
