// Any bytes as a language file, a compressed container or a flag value: nothing may crash,
// and a loaded document must survive its own write-back unchanged.
#include "CompressedContainer.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "ValueEscapes.h"

#include <QByteArray>
#include <QImage>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    IniDocument document;
    document.setFromText(bytes);
    const QByteArray written = document.toText();
    IniDocument reloaded;
    reloaded.setFromText(written);
    if (reloaded.toText() != written) {
        std::abort();
    }
    for (const QByteArray& section : document.sections()) {
        for (const QByteArray& key : document.keys(section)) {
            (void)document.readString(section, key);
            (void)document.readInteger(section, key, 0);
        }
    }

    (void)InflateLanguageStream(bytes, 1 << 20);

    QByteArray text = bytes;
    EscapeLanguageValue(text);
    UnescapeLanguageValue(text);

    IniDocument flags;
    flags.writeString("Images", "Flag16", bytes.toHex().toUpper());
    QImage image;
    ReadFlagBitmap(flags, "Images", "Flag16", image);
    flags.writeString("Images", "Flag16", bytes);
    ReadFlagBitmap(flags, "Images", "Flag16", image);
    return 0;
}
