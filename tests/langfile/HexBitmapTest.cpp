#include "HexBitmap.h"
#include "IniDocument.h"
#include "TestRegistry.h"

#include <QImage>
#include <QTest>

namespace {

bool isBlank(const QImage& image, int width, int height) {
    if (image.width() != width || image.height() != height) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class HexBitmapTest : public QObject {
    Q_OBJECT

private slots:
    void hexToByte_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("byte");
        QTest::newRow("lower case") << QByteArray("ff") << 255;
        QTest::newRow("upper case") << QByteArray("A0") << 160;
        QTest::newRow("bad digit counts 0") << QByteArray("G1") << 1;
        QTest::newRow("one digit") << QByteArray("7") << 0;
        QTest::newRow("three digits") << QByteArray("123") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }

    void hexToByte() {
        QFETCH(QByteArray, text);
        QFETCH(int, byte);
        QCOMPARE(int(HexToByte(text)), byte);
    }

    void byteToHexRoundTrips() {
        QCOMPARE(ByteToHex(0x0F), QByteArray("0F"));
        QCOMPARE(ByteToHex(0xA5), QByteArray("A5"));
        for (int byte = 0; byte < 256; ++byte) {
            QCOMPARE(int(HexToByte(ByteToHex(static_cast<unsigned char>(byte)))), byte);
        }
    }

    void flagRoundTrip() {
        QImage flag(16, 16, QImage::Format_RGB32);
        flag.fill(qRgb(0, 0, 200));
        for (int x = 0; x < 16; ++x) {
            flag.setPixel(x, 7, qRgb(250, 210, 0));
        }
        IniDocument document;
        WriteFlagBitmap(document, "Images", "Flag16", flag);
        const QByteArray value = document.readString("Images", "Flag16");
        QVERIFY(value.startsWith("424D")); // "BM"
        QCOMPARE(value, value.toUpper());
        QVERIFY(value.size() > 1500);

        IniDocument reloaded;
        reloaded.setFromText(document.toText());
        QImage read;
        ReadFlagBitmap(reloaded, "IMAGES", "flag16", read);
        QCOMPARE(read.size(), QSize(16, 16));
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32), flag);
    }

    void lostLastDigitReadsAsZero() {
        QImage flag(16, 16, QImage::Format_RGB32);
        flag.fill(qRgb(10, 20, 30));
        IniDocument document;
        WriteFlagBitmap(document, "Images", "Flag16", flag);
        QByteArray value = document.readString("Images", "Flag16");
        QByteArray bmp = QByteArray::fromHex(value);
        bmp[bmp.size() - 1] = 0;
        value.chop(1);
        document.writeString("Images", "Flag16", value);
        QImage read;
        ReadFlagBitmap(document, "Images", "Flag16", read);
        QVERIFY(read.pixel(15, 0) != flag.pixel(15, 0));
        QCOMPARE(read.convertToFormat(QImage::Format_RGB32),
                 QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32));
    }

    // A 2 x 1 bitmap of 8 bits with one colour (blue) and the pixels 0 and 5.
    // A 2 x 1 bitmap with one colour (blue) whose second pixel indexes past it.
    void indexPastColourTableReadsBlack_data() {
        QTest::addColumn<QByteArray>("value");
        const QByteArray head = "424D3E000000000000003A00000028000000020000000100000001000";
        QTest::newRow("8-bit") << head + "800000000000400000000000000000000000100000000000000FF00000000050000";
        QTest::newRow("1-bit") << head + "100000000000400000000000000000000000100000000000000FF00000040000000";
    }

    void indexPastColourTableReadsBlack() {
        QFETCH(QByteArray, value);
        IniDocument document;
        document.writeString("Images", "Flag16", value);
        for (int read = 0; read < 2; ++read) {
            QImage image;
            ReadFlagBitmap(document, "Images", "Flag16", image);
            QCOMPARE(image.size(), QSize(2, 1));
            // Converters look indexes up without a bound: each must have its colour.
            if (image.colorCount() > 0) {
                QVERIFY(image.pixelIndex(1, 0) < image.colorCount());
            }
            const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
            QCOMPARE(pixels.pixel(0, 0), qRgb(0, 0, 255));
            QCOMPARE(pixels.pixel(1, 0), qRgb(0, 0, 0));
        }
    }

    void blankFlags_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("side");
        QTest::newRow("missing Flag32") << QByteArray() << QByteArray("Flag32") << 32;
        QTest::newRow("empty Flag16") << QByteArray("Flag16") << QByteArray("Flag16") << 16;
        QTest::newRow("lower-case key asks 32") << QByteArray("Flag16") << QByteArray("flag16") << 32;
        QTest::newRow("other key") << QByteArray("Other") << QByteArray("Other") << 32;
    }

    void blankFlags() {
        QFETCH(QByteArray, stored);
        QFETCH(QByteArray, key);
        QFETCH(int, side);
        IniDocument document;
        if (!stored.isEmpty()) {
            document.writeString("Images", stored, "");
        }
        QImage image(5, 5, QImage::Format_RGB32);
        image.fill(Qt::black);
        ReadFlagBitmap(document, "Images", key, image);
        QVERIFY(isBlank(image, side, side));
    }

    void damagedValues_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QSize>("given");
        QTest::addColumn<QSize>("expected");
        const QSize none;
        const QSize flag(16, 16);
        const QSize own(5, 7);
        QTest::newRow("not hex") << QByteArray("zzzz") << none << flag;
        QTest::newRow("odd digit count") << QByteArray("424D0") << none << flag;
        QTest::newRow("header only") << QByteArray("424D3600000000000000") << none << flag;
        QTest::newRow("huge claimed size")
            << QByteArray("424DFFFFFFFF0000000036000000280000007F7F7F7F7F7F7F7F0100180000") << none << flag;
        // A 2 x 64 bitmap of 24 bits with one row of pixels: the rest would be left undefined.
        const QByteArray header = "424D00000000000000003600000028000000020000";
        const QByteArray info = "01001800000000000000000000000000000000000000000000000000";
        QTest::newRow("pixel rows cut short") << header + "0040000000" + info + "FFFFFFFFFFFF0000" << none << flag;
        QTest::newRow("top-down pixel rows cut short")
            << header + "00C0FFFFFF" + info + "FFFFFFFFFFFF0000" << none << flag;
        QTest::newRow("given bitmap is cleared, keeps its size") << QByteArray("zzzz") << own << own;
        QTest::newRow("given bitmap, header only") << QByteArray("424D3600000000000000") << own << own;
    }

    void damagedValues() {
        QFETCH(QByteArray, value);
        QFETCH(QSize, given);
        QFETCH(QSize, expected);
        IniDocument document;
        document.writeString("Images", "Flag16", value);
        QImage image;
        if (given.isValid()) {
            image = QImage(given, QImage::Format_RGB32);
            image.fill(Qt::black);
        }
        ReadFlagBitmap(document, "Images", "Flag16", image);
        QCOMPARE(image.size(), expected);
        QVERIFY(isBlank(image, image.width(), image.height()));
    }
};

TOLVANE_TEST(HexBitmapTest)
#include "HexBitmapTest.moc"
