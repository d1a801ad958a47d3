#include "FlagStore.h"
#include "EditorTestFiles.h"
#include "HexBitmap.h"
#include "ScopedWriteFault.h"
#include "TestRegistry.h"

#include <QBuffer>
#include <QtTest>

#include <optional>

using EditorTestFiles::read;
using EditorTestFiles::write;

namespace {

QImage picture(int side, QRgb colour) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(side - 1, 0, qRgb(1, 2, 3)); // a corner that a flipped or scaled copy would move
    return image;
}

QByteArray encoded(const QImage& image, const char* format = "BMP") {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

// Flags from BMP files into the destination language file, checked as bytes on disk.
class FlagStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    // A flag stored twice: the file is "after" with the second flag's value for "%1".
    void storedAsLoaded_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("side");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const char* before, const char* key, int side, const char* after) {
            QTest::newRow(name) << QByteArray(before) << QByteArray(key) << side << QByteArray(after);
        };
        row("missing file is created", "<missing>", "Flag16", 16, "[Images]\r\nFlag16=%1\r\n\r\n");
        row("32 x 32 as the small flag", "<missing>", "Flag16", 32, "[Images]\r\nFlag16=%1\r\n\r\n");
        row("the key keeps its place", "[Images]\r\nFlag16=00\r\nFlag32=11\r\n[S]\r\nK=v\r\n", "Flag16", 16,
            "[Images]\r\nFlag16=%1\r\nFlag32=11\r\n\r\n[S]\r\nK=v\r\n\r\n");
        row("section appended", "[Main]\r\nA=b\r\n", "Flag32", 32,
            "[Main]\r\nA=b\r\n\r\n[Images]\r\nFlag32=%1\r\n\r\n");
    }

    void storedAsLoaded() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, key);
        QFETCH(int, side);
        QFETCH(QByteArray, after);
        const QString language = m_dir->filePath("Dst.lng");
        if (before != "<missing>") {
            write(language, before);
        }
        const QString flag = m_dir->filePath("flag.bmp");
        for (const QRgb colour : {qRgb(200, 0, 0), qRgb(0, 0, 200)}) {
            write(flag, encoded(picture(side, colour)));
            const FlagStore::Result result = FlagStore::storeFlag(flag, language, key);
            QVERIFY2(result.stored && result.error.isEmpty(), qPrintable(result.error));
        }
        const QByteArray bytes = read(language);
        const IniDocument document = iniFromText(bytes);
        const QByteArray value = document.readString("Images", key);
        QCOMPARE(bytes, after.replace("%1", value));
        QImage stored;
        ReadFlagBitmap(document, "Images", key, stored);
        QCOMPARE(stored.convertToFormat(QImage::Format_RGB32), picture(side, qRgb(0, 0, 200)));
    }

    void failuresWriteNothing_data() {
        QTest::addColumn<QByteArray>("bitmap");
        QTest::addColumn<int>("trouble"); // 1 read-only, 2 byte-order mark, 3 failed flush
        QTest::addColumn<QString>("error");
        const QByteArray bmp = encoded(picture(16, qRgb(9, 9, 9)));
        const auto invalid = [](const char* name, const QByteArray& bitmap) {
            QTest::newRow(name) << bitmap << 0 << QStringLiteral("Bitmap image is not valid");
        };
        invalid("text file", "[Images]\r\nFlag16=424D\r\n");
        invalid("empty file", "");
        invalid("PNG file", encoded(picture(16, qRgb(9, 9, 9)), "PNG"));
        invalid("pixels cut short", bmp.left(bmp.size() - 40));
        invalid("more than a million pixels", encoded(QImage(1025, 1024, QImage::Format_Mono)));
        QTest::newRow("no bitmap file") << QByteArray("<missing>") << 0 << QStringLiteral("Cannot open file");
        QTest::newRow("read-only language file") << bmp << 1 << QStringLiteral("Cannot create file");
        QTest::newRow("language file with a byte-order mark") << bmp << 2 << QStringLiteral("Cannot create file");
        QTest::newRow("flush fails") << bmp << 3 << QStringLiteral("Cannot create file");
    }

    void failuresWriteNothing() {
        QFETCH(QByteArray, bitmap);
        QFETCH(int, trouble);
        QFETCH(QString, error);
        const QString language = m_dir->filePath("Dst.lng");
        const QByteArray before = QByteArray(trouble == 2 ? "\xEF\xBB\xBF" : "") + "[S]\r\nK=v\r\n";
        write(language, before);
        std::optional<ScopedWriteFault> fault;
        if (trouble == 3) {
            fault.emplace(ScopedWriteFault::Flush);
        }
        if (trouble == 1) {
            QVERIFY(QFile::setPermissions(language, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        }
        if (bitmap != "<missing>") {
            write(m_dir->filePath("flag.bmp"), bitmap);
        }
        const FlagStore::Result result = FlagStore::storeFlag(m_dir->filePath("flag.bmp"), language, "Flag16");
        QVERIFY(!result.stored);
        QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
        QCOMPARE(read(language), before);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

TOLVANE_TEST(FlagStoreTest)
#include "FlagStoreTest.moc"
