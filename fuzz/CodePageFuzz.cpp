// Every code page a language file can name: bytes decoded for showing and encoded again for
// saving come back as they were, so an entry saved unchanged stays the same in the file. The
// one leeway: a character that a multi-byte code page has two codes for (932's rows of IBM
// extensions) is written with the code the code page prefers, or, beside a stray byte, refused.
#include "CodePage.h"
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"

#include <QByteArray>

#include <algorithm>

namespace {

bool isMultiByte(int codePage) {
    return codePage >= 932 && codePage <= 950;
}

// Whether the text holds a character whose code in bytes is not the one encoding gives,
// walking the bytes character by character.
bool holdsOtherCode(const QString& text, const QByteArray& bytes, int codePage) {
    qsizetype at = 0;
    for (const QChar c : text) {
        // A stray byte of a damaged file stands for itself, whatever it would read as alone.
        const std::optional<QByteArray> code = c.unicode() >= 0xDC00 && c.unicode() <= 0xDCFF
                                                   ? QByteArray(1, char(c.unicode() - 0xDC00))
                                                   : CodePage::encode(QString(c), codePage);
        FUZZ_CHECK(code && !code->isEmpty());
        if (bytes.mid(at, code->size()) != *code) {
            return true;
        }
        at += code->size();
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int CodePages[] = {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 874, 932, 936, 949, 950};
    FuzzInput input(data, size);
    const int codePage = CodePages[input.pick(int(std::size(CodePages)))];
    const QByteArray bytes = input.rest();
    const QString text = CodePage::decode(bytes, codePage);
    const std::optional<QByteArray> encoded = CodePage::encode(text, codePage);
    if (encoded == bytes) {
        return 0;
    }
    // The leeway: written with the other code, a stray byte of a damaged file may pair with it
    // into another character, so such a text is refused rather than changed.
    const bool otherCode = isMultiByte(codePage) && holdsOtherCode(text, bytes, codePage);
    const bool strayByte = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLowSurrogate(); });
    if (!otherCode || !(encoded || strayByte)) {
        qWarning("code page %d: %s -> %s", codePage, bytes.toHex(' ').constData(),
                 encoded ? encoded->toHex(' ').constData() : "refused");
        FUZZ_CHECK(encoded == bytes);
    }
    return 0;
}
