// Any bytes as the BMP file picked for a flag: reading never crashes or reads past the bytes, and a
// picture that is accepted is stored as a flag value that reads back with the same pixels.
#include "BmpDecoder.h"
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "HexBitmap.h"
#include "IniDocument.h"

#include <QImage>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QImage> bitmap = BmpDecoder::decode(bytes);
    if (!bitmap) {
        return 0;
    }
    IniDocument document;
    WriteFlagBitmap(document, "Images", "Flag32", *bitmap);
    IniDocument reloaded;
    reloaded.setFromText(document.toText());
    QImage read;
    ReadFlagBitmap(reloaded, "Images", "Flag32", read);
    FUZZ_CHECK(read.size() == bitmap->size());
    FUZZ_CHECK(read.convertToFormat(QImage::Format_RGB32) == bitmap->convertToFormat(QImage::Format_RGB32));
    return 0;
}
