#include "CodePage.h"

#include "AnsiUpper.h"

#include <QHash>
#include <QMutex>

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>

namespace {

bool isSingleByte(int codePage) {
    return codePage == 874 || (codePage >= 1250 && codePage <= 1258);
}

// A byte that a multi-byte code page cannot decode stands for itself as one of the low
// surrogates U+DC00..U+DCFF, which no valid sequence gives.
constexpr char16_t ByteEscape = 0xDC00;

QByteArray iconvName(int codePage) {
    return "CP" + QByteArray::number(codePage);
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) {
            iconv_close(m_cd);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

// A single-byte code page as two tables built once from iconv; undefined bytes map to
// the character of the same number so that every byte round-trips.
struct SingleByteTable {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, unsigned char> fromUnicode;
};

const SingleByteTable& singleByteTable(int codePage) {
    static QMutex mutex;
    static std::map<int, std::unique_ptr<SingleByteTable>> tables;
    QMutexLocker lock(&mutex);
    auto& slot = tables[codePage];
    if (slot) {
        return *slot;
    }
    slot = std::make_unique<SingleByteTable>();
    Iconv cd("UTF-16LE", iconvName(codePage).constData());
    for (int b = 0; b < 256; ++b) {
        char16_t ch = char16_t(b);
        if (cd.valid()) {
            char in = char(b);
            char16_t out[2] = {0, 0};
            char* inp = &in;
            size_t inLeft = 1;
            char* outp = reinterpret_cast<char*>(out);
            size_t outLeft = sizeof(out);
            iconv(cd.handle(), nullptr, nullptr, nullptr, nullptr);
            // 1255 and 1258 hold a letter back in case a combining mark follows; the flush
            // (null input) releases it.
            if (iconv(cd.handle(), &inp, &inLeft, &outp, &outLeft) != size_t(-1) &&
                iconv(cd.handle(), nullptr, nullptr, &outp, &outLeft) != size_t(-1) && outLeft == sizeof(out) - 2) {
                ch = out[0];
            }
        }
        slot->toUnicode[size_t(b)] = ch;
    }
    // Defined characters first, so an undefined byte never shadows a real mapping.
    for (int b = 0; b < 256; ++b) {
        const char16_t ch = slot->toUnicode[size_t(b)];
        if (ch != char16_t(b) || !slot->fromUnicode.contains(ch)) {
            slot->fromUnicode.insert(ch, static_cast<unsigned char>(b));
        }
    }
    return *slot;
}

// The characters one sequence of length bytes at in decodes to; empty when it is not one
// whole valid character.
QString decodeSequence(Iconv& cd, const char* in, size_t length) {
    char16_t buf[4];
    char* inp = const_cast<char*>(in);
    size_t inLeft = length;
    char* outp = reinterpret_cast<char*>(buf);
    size_t outLeft = sizeof(buf);
    iconv(cd.handle(), nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd.handle(), &inp, &inLeft, &outp, &outLeft) == size_t(-1) || inLeft != 0) {
        return QString();
    }
    return QString(reinterpret_cast<const QChar*>(buf), qsizetype((sizeof(buf) - outLeft) / 2));
}

// Character by character (one or two bytes each): where iconv reports a damaged sequence is
// not always where it begins, so it is never asked about more than one character at a time.
QString decodeMultiByte(const QByteArray& bytes, int codePage) {
    Iconv cd("UTF-16LE", iconvName(codePage).constData());
    if (!cd.valid()) {
        return QString::fromLatin1(bytes);
    }
    QString result;
    result.reserve(bytes.size());
    const char* in = bytes.constData();
    const char* const end = in + bytes.size();
    while (in < end) {
        if (static_cast<unsigned char>(*in) < 0x80) {
            result.append(QLatin1Char(*in++));
            continue;
        }
        QString character = decodeSequence(cd, in, 1);
        size_t length = 1;
        if (character.isEmpty() && end - in >= 2) {
            character = decodeSequence(cd, in, 2);
            length = 2;
        }
        if (character.isEmpty()) {
            // A byte outside any valid sequence becomes a character that no valid one decodes
            // to, so that encoding gives the byte back.
            character = QChar(char16_t(ByteEscape + static_cast<unsigned char>(*in)));
            length = 1;
        }
        result.append(character);
        in += length;
    }
    return result;
}

bool isByteEscape(QChar ch) {
    return ch.unicode() >= ByteEscape && ch.unicode() <= ByteEscape + 0xFF;
}

bool encodeRun(Iconv& cd, const QChar* text, qsizetype size, QByteArray& result) {
    const char* in = reinterpret_cast<const char*>(text);
    size_t inLeft = size_t(size) * 2;
    char buf[1024];
    while (inLeft > 0) {
        char* outp = buf;
        size_t outLeft = sizeof(buf);
        char* inp = const_cast<char*>(in);
        const size_t rc = iconv(cd.handle(), &inp, &inLeft, &outp, &outLeft);
        result.append(buf, int(sizeof(buf) - outLeft));
        in = inp;
        if (rc == size_t(-1) && errno != E2BIG) {
            return false;
        }
    }
    char* outp = buf;
    size_t outLeft = sizeof(buf);
    iconv(cd.handle(), nullptr, nullptr, &outp, &outLeft);
    result.append(buf, int(sizeof(buf) - outLeft));
    return true;
}

std::optional<QByteArray> encodeMultiByte(const QString& text, int codePage) {
    Iconv cd(iconvName(codePage).constData(), "UTF-16LE");
    if (!cd.valid()) {
        return std::nullopt;
    }
    QByteArray result;
    bool escaped = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isByteEscape(text.at(i))) {
            continue;
        }
        if (!encodeRun(cd, text.constData() + start, i - start, result)) {
            return std::nullopt;
        }
        if (i < text.size()) {
            result.append(char(text.at(i).unicode() - ByteEscape));
            escaped = true;
        }
        start = i + 1;
    }
    // A stray byte put back may pair with the byte after it into another character.
    if (escaped && decodeMultiByte(result, codePage) != text) {
        return std::nullopt;
    }
    return result;
}

} // namespace

namespace CodePage {

int forCharset(int fontCharset) {
    switch (fontCharset & 0xFF) {
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 238:
        return 1250;
    case 222:
        return 874;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    default:
        return Ansi;
    }
}

QString decode(const QByteArray& bytes, int codePage) {
    if (!isSingleByte(codePage)) {
        return decodeMultiByte(bytes, codePage);
    }
    const auto& table = singleByteTable(codePage).toUnicode;
    QString result(bytes.size(), Qt::Uninitialized);
    QChar* out = result.data();
    for (const char c : bytes) {
        *out++ = QChar(table[static_cast<unsigned char>(c)]);
    }
    return result;
}

std::optional<QByteArray> encode(const QString& text, int codePage) {
    if (!isSingleByte(codePage)) {
        return encodeMultiByte(text, codePage);
    }
    const auto& table = singleByteTable(codePage).fromUnicode;
    QByteArray result(text.size(), Qt::Uninitialized);
    char* out = result.data();
    for (const QChar ch : text) {
        const auto it = table.constFind(ch.unicode());
        if (it == table.constEnd()) {
            return std::nullopt;
        }
        *out++ = char(it.value());
    }
    return result;
}

const std::array<unsigned char, 256>& ansiUpperTable() {
    return AnsiUpper::Table;
}

} // namespace CodePage
