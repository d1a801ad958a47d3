// Whole language files, plain or in the compressed container: loading never crashes, a plain
// file reads as its text does, a container as the text its stream holds (as far as the stream
// goes), a loaded document survives its own write-back, and the flag reader of discovery, which
// parses only the [Images] sections, finds the flag that reading the whole file finds.
#include "CompressedContainer.h"
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "LanguageFolder.h"
#include "LanguageKeys.h"

#include <QByteArray>
#include <QImage>

#include <zlib.h>

namespace {

const QByteArray Indicator = "TVC";

QByteArray deflated(const QByteArray& text) {
    uLongf size = compressBound(uLong(text.size()));
    QByteArray stream(qsizetype(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(text.constData()),
              uLong(text.size()), Z_BEST_SPEED);
    stream.truncate(qsizetype(size));
    return stream;
}

QByteArray textOf(const QByteArray& text) {
    IniDocument document;
    document.setFromText(text);
    return document.toText();
}

QByteArray loaded(const QByteArray& file) {
    IniDocument document;
    LoadLanguageDocument(document, writeFuzzFile(QStringLiteral("file.lng"), file), Indicator);
    const QByteArray text = document.toText();
    FUZZ_CHECK(textOf(text) == text);
    return text;
}

void checkPlain(const QByteArray& file) {
    const bool container = file.size() >= 5 && file.startsWith(Indicator + '1');
    if (!container) {
        FUZZ_CHECK(loaded(file) == textOf(file));
    } else {
        FUZZ_CHECK(loaded(file) == textOf(InflateLanguageStream(file.mid(4))));
    }
}

// A stream cut short or damaged gives the beginning of the text, never more than the cap.
void checkContainer(FuzzInput& input) {
    const int cut = input.byte();
    const int cap = 1 + input.byte() * 16;
    const QByteArray text = input.rest();
    const QByteArray stream = deflated(text);
    FUZZ_CHECK(loaded(Indicator + '1' + stream) == textOf(text));
    const QByteArray shortened = stream.left(stream.size() - cut);
    const QByteArray inflated = InflateLanguageStream(shortened, cap);
    FUZZ_CHECK(inflated.size() <= cap && text.startsWith(inflated));
    FUZZ_CHECK(loaded(Indicator + '1' + shortened) == textOf(InflateLanguageStream(shortened)));
}

void checkFlagReader(const QByteArray& file) {
    const QString path = writeFuzzFile(QStringLiteral("flag.lng"), file);
    IniDocument whole;
    whole.setFromText(file);
    QImage expected(16, 16, QImage::Format_RGB32);
    ReadFlagBitmap(whole, LanguageKeys::Images, LanguageKeys::Flag16, expected);
    // Read twice, a damaged value gives the same image: nothing comes from undefined memory.
    QImage again(16, 16, QImage::Format_RGB32);
    ReadFlagBitmap(whole, LanguageKeys::Images, LanguageKeys::Flag16, again);
    FUZZ_CHECK(again == expected);
    FUZZ_CHECK(LanguageFolder::readFlag16(path) == expected);

    IniDocument only;
    only.setFromText(file, LanguageKeys::Images);
    FUZZ_CHECK(only.lines(LanguageKeys::Images) == whole.lines(LanguageKeys::Images));
}

} // namespace

// The real cap holds for a stream that inflates to more: checked once, it takes a while.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const QByteArray header = "[Main]\r\nLanguageName=Big\r\n;";
    const qsizetype cap = 64 * 1024 * 1024;
    const QByteArray text = header + QByteArray(cap, 'x');
    FUZZ_CHECK(InflateLanguageStream(deflated(text)).size() == cap);
    FUZZ_CHECK(loaded(Indicator + '1' + deflated(text)) == "[Main]\r\nLanguageName=Big\r\n\r\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    switch (input.pick(3)) {
    case 0:
        checkPlain(input.rest());
        break;
    case 1:
        checkContainer(input);
        break;
    default:
        checkFlagReader(input.rest());
        break;
    }
    return 0;
}
