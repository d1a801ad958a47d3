// Escapes and flag values: escaping does what its rule says step by step and unescaping gives the
// text back (a run of "%" comes back as one); a bitmap stored as a flag value reads back the same.
#include "EscapeRules.h"
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "ValueEscapes.h"

#include <QByteArray>
#include <QColor>
#include <QImage>

namespace {

QByteArray withPercentRunsSingle(const QByteArray& text) {
    QByteArray result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i == 0 || text[i - 1] != '%') {
            result += text[i];
        }
    }
    return result;
}

void checkEscapes(const QByteArray& text) {
    QByteArray escaped = text;
    EscapeLanguageValue(escaped);
    FUZZ_CHECK(escaped == EscapeRules::escaped(text));
    QByteArray unescaped = escaped;
    UnescapeLanguageValue(unescaped);
    FUZZ_CHECK(unescaped == withPercentRunsSingle(text));
    QByteArray raw = text;
    UnescapeLanguageValue(raw);
    FUZZ_CHECK(raw == EscapeRules::unescaped(text));
}

void checkHex(const QByteArray& bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        FUZZ_CHECK(HexToByte(ByteToHex(byte)) == byte);
        FUZZ_CHECK(HexToByte(ByteToHex(byte).toLower()) == byte);
    }
}

QImage bitmapFrom(FuzzInput& input) {
    static const QImage::Format Formats[] = {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_Indexed8,
                                             QImage::Format_Mono};
    const int width = 1 + input.pick(40);
    const int height = 1 + input.pick(40);
    QImage image(width, height, Formats[input.pick(4)]);
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono) {
        const int colours = image.format() == QImage::Format_Mono ? 2 : 1 + input.pick(256);
        QList<QRgb> table;
        for (int i = 0; i < colours; ++i) {
            table.append(qRgb(input.byte(), input.byte(), input.byte()));
        }
        image.setColorTable(table);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.setPixel(x, y, uint(input.pick(colours)));
            }
        }
    } else {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.setPixel(x, y, qRgb(input.byte(), input.byte(), input.byte()));
            }
        }
    }
    return image;
}

// Stored into a document, written back, loaded again and read: the same pixels.
void checkFlag(FuzzInput& input) {
    const QImage bitmap = bitmapFrom(input);
    const QByteArray key = input.flag() ? "Flag16" : "Flag32";
    IniDocument document;
    document.setFromText(input.bytes(64));
    WriteFlagBitmap(document, "Images", key, bitmap);
    IniDocument reloaded;
    reloaded.setFromText(document.toText());
    QImage read(3, 3, QImage::Format_RGB32);
    ReadFlagBitmap(reloaded, "Images", key, read);
    FUZZ_CHECK(read.size() == bitmap.size());
    FUZZ_CHECK(read.convertToFormat(QImage::Format_RGB32) == bitmap.convertToFormat(QImage::Format_RGB32));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    switch (input.pick(3)) {
    case 0:
        checkEscapes(input.rest());
        break;
    case 1:
        checkHex(input.rest());
        break;
    default:
        checkFlag(input);
        break;
    }
    return 0;
}
