#include "HexBitmap.h"

#include "BmpDecoder.h"
#include "HexDigit.h"
#include "IniDocument.h"
#include "LanguageKeys.h"

#include <QBuffer>
#include <QImage>

#include <utility>

namespace {

const char HexDigits[] = "0123456789ABCDEF";

QImage blankFlag(const QByteArray& key) {
    const int side = key == LanguageKeys::Flag16 ? 16 : 32;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
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
    if (std::optional<QImage> loaded = BmpDecoder::decode(bmp)) {
        bitmap = std::move(*loaded);
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
