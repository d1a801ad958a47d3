#include "CompressedContainer.h"

#include "FileError.h"
#include "IniDocument.h"
#include "SafeFile.h"

#include <zlib.h>

#include <climits>

namespace {

constexpr qsizetype BlockSize = 4096;
constexpr qsizetype HeaderSize = 4;

} // namespace

QByteArray InflateLanguageStream(const QByteArray& zlibStream, qsizetype maxOutput) {
    QByteArray output;
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return output;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zlibStream.constData()));
    stream.avail_in = static_cast<uInt>(qMin<qsizetype>(zlibStream.size(), UINT_MAX));
    while (output.size() < maxOutput) {
        const qsizetype before = output.size();
        const qsizetype block = qMin(BlockSize, maxOutput - before);
        output.resize(before + block);
        stream.next_out = reinterpret_cast<Bytef*>(output.data() + before);
        stream.avail_out = static_cast<uInt>(block);
        const int result = inflate(&stream, Z_NO_FLUSH);
        output.resize(before + block - qsizetype(stream.avail_out));
        // Stream end, damage, or input used up without progress: keep what came out so far.
        if (result != Z_OK) {
            break;
        }
    }
    inflateEnd(&stream);
    return output;
}

void LoadLanguageDocument(IniDocument& document, const QString& fileName, const QByteArray& compressIndicator) {
    const QByteArray content = SafeFile::readAll(fileName);
    if (content.size() > HeaderSize) {
        QByteArray prefix = content.left(HeaderSize);
        const qsizetype nul = prefix.indexOf('\0');
        if (nul >= 0) {
            prefix.truncate(nul);
        }
        if (prefix == compressIndicator + '1') {
            document.setFromText(InflateLanguageStream(content.mid(HeaderSize)));
            return;
        }
    }
    try {
        document.setFromText(content);
    } catch (const FileError&) {
        // The document may be meant for another file: name the one that was read.
        throw FileError::tooLarge(fileName);
    }
}
