#include "BmpDecoder.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr qsizetype FileHeaderSize = 14;
constexpr quint32 CoreHeaderSize = 12;
constexpr quint32 BiRgb = 0;
constexpr quint32 BiBitfields = 3;

template <class T> T little(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

int highestIndex(const QImage& image) {
    int highest = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        if (image.format() == QImage::Format_Indexed8) {
            highest = std::max<int>(highest, *std::max_element(line, line + image.width()));
        } else {
            for (int x = 0; x < image.width() && highest == 0; ++x) {
                highest = image.pixelIndex(x, y);
            }
        }
    }
    return highest;
}

void coverEveryIndex(QImage& image) {
    if (image.format() != QImage::Format_Indexed8 && image.format() != QImage::Format_Mono &&
        image.format() != QImage::Format_MonoLSB) {
        return;
    }
    const int known = image.colorCount();
    const int highest = highestIndex(image);
    if (highest < known) {
        return;
    }
    image.setColorCount(highest + 1);
    for (int index = known; index <= highest; ++index) {
        image.setColor(index, qRgb(0, 0, 0));
    }
}

// Whether the bytes reach the end of the pixel rows their headers announce. Compressed rows have
// no size known in advance; the reader judges those.
bool holdsPixelRows(const QByteArray& bmp) {
    if (bmp.size() < FileHeaderSize + qsizetype(CoreHeaderSize) || !bmp.startsWith("BM")) {
        return false;
    }
    const quint32 pixelsAt = little<quint32>(bmp, 10);
    const quint32 headerSize = little<quint32>(bmp, FileHeaderSize);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitCount = 0;
    quint32 compression = BiRgb;
    if (headerSize == CoreHeaderSize) {
        width = little<quint16>(bmp, 18);
        height = little<quint16>(bmp, 20);
        bitCount = little<quint16>(bmp, 24);
    } else {
        if (bmp.size() < FileHeaderSize + 20) {
            return false;
        }
        width = little<qint32>(bmp, 18);
        height = std::llabs(little<qint32>(bmp, 22));
        bitCount = little<quint16>(bmp, 28);
        compression = little<quint32>(bmp, 30);
    }
    if (width <= 0 || height == 0 || width * height > BmpDecoder::MaxPixels) {
        return false;
    }
    if (compression != BiRgb && compression != BiBitfields) {
        return true;
    }
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    // A row longer than the file cannot fit; checked first so the product cannot overflow.
    return rowBytes <= bmp.size() && qint64(pixelsAt) + rowBytes * height <= qint64(bmp.size());
}

} // namespace

namespace BmpDecoder {

std::optional<QImage> decode(const QByteArray& bmp) {
    QImage image;
    if (!holdsPixelRows(bmp) || !image.loadFromData(bmp, "BMP") || image.isNull()) {
        return std::nullopt;
    }
    coverEveryIndex(image);
    return image;
}

} // namespace BmpDecoder
