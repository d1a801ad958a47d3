#include "HexBitmap.h"

#include "HexDigit.h"
#include "IniDocument.h"
#include "LanguageKeys.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>

namespace {

const char HexDigits[] = "0123456789ABCDEF";

QImage blankFlag(const QByteArray& key) {
    const int side = key == LanguageKeys::Flag16 ? 16 : 32;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

quint32 readLittleEndian(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// False for an uncompressed BMP whose pixel rows end before the image does: the reader would
// leave the missing rows as whatever the memory held.
bool holdsAllPixels(const QByteArray& bmp) {
    constexpr qsizetype InfoHeader = 14;
    if (bmp.size() < InfoHeader + 16) {
        return true; // too short for any header: the reader refuses it
    }
    const quint32 headerSize = readLittleEndian(bmp, InfoHeader, 4);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bitCount = 0;
    if (headerSize == 12) {
        width = readLittleEndian(bmp, 18, 2);
        height = readLittleEndian(bmp, 20, 2);
        bitCount = readLittleEndian(bmp, 24, 2);
    } else {
        if (bmp.size() < InfoHeader + 20) {
            return true;
        }
        const quint32 compression = readLittleEndian(bmp, 30, 4);
        if (compression != 0 && compression != 3) {
            return true; // run-length rows have no fixed size
        }
        width = qint32(readLittleEndian(bmp, 18, 4));
        height = qAbs(qint64(qint32(readLittleEndian(bmp, 22, 4))));
        bitCount = readLittleEndian(bmp, 28, 2);
    }
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    const qint64 pixelBytes = bmp.size() - qint64(readLittleEndian(bmp, 10, 4));
    return width <= 0 || height <= 0 || rowBytes == 0 || (pixelBytes >= 0 && pixelBytes / rowBytes >= height);
}

// A pixel whose index lies past the colour table has no defined colour: it reads as black.
void coverEveryIndex(QImage& image) {
    if (image.format() != QImage::Format_Indexed8) {
        return;
    }
    int highest = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            highest = std::max<int>(highest, line[x]);
        }
    }
    const int known = image.colorCount();
    if (highest < known) {
        return;
    }
    image.setColorCount(highest + 1);
    for (int index = known; index <= highest; ++index) {
        image.setColor(index, qRgb(0, 0, 0));
    }
}

} // namespace

QByteArray ByteToHex(unsigned char byte) {
    const char digits[2] = {HexDigits[byte >> 4], HexDigits[byte & 0x0F]};
    return QByteArray(digits, 2);
}

unsigned char HexToByte(const QByteArray& text) {
    if (text.size() != 2) {
        return 0;
    }
    return static_cast<unsigned char>(hexDigitValue(text[0], 0) * 16 + hexDigitValue(text[1], 0));
}

void ReadFlagBitmap(const IniDocument& document, const QByteArray& section, const QByteArray& key, QImage& bitmap) {
    if (!bitmap.isNull()) {
        bitmap.fill(Qt::white);
    }
    const QByteArray value = document.readString(section, key);
    if (value.isEmpty()) {
        bitmap = blankFlag(key);
        return;
    }
    QByteArray bmp((value.size() + 1) / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < bmp.size(); ++i) {
        bmp[i] = static_cast<char>(HexToByte(value.mid(2 * i, 2)));
    }
    QImage loaded;
    if (holdsAllPixels(bmp) && loaded.loadFromData(bmp, "BMP")) {
        coverEveryIndex(loaded);
        bitmap = loaded;
    } else if (bitmap.isNull()) {
        // A damaged value leaves a given bitmap cleared at its own size; with none given,
        // the caller still gets a flag of the intended size rather than a null image.
        bitmap = blankFlag(key);
    }
}

void WriteFlagBitmap(IniDocument& document, const QByteArray& section, const QByteArray& key, const QImage& bitmap) {
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    bitmap.save(&buffer, "BMP");
    QByteArray hex;
    hex.reserve(bmp.size() * 2);
    for (const char byte : bmp) {
        hex += ByteToHex(static_cast<unsigned char>(byte));
    }
    document.writeString(section, key, hex);
}
