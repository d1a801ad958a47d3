#include "LanguageFileGenerator.h"

#include <QFile>
#include <QTemporaryDir>

#include <zlib.h>

#include <cstdint>
#include <map>
#include <stdexcept>

namespace {

// A small fixed generator, so that every run measures the same bytes.
class Random {
public:
    uint32_t next(uint32_t bound) {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t>(m_state >> 33) % bound;
    }

private:
    uint64_t m_state = 0x5EED;
};

const char* const Words[] = {"Open",    "file",  "Cancel", "language", "Save", "the",      "entry", "Unable",
                             "to",      "find",  "folder", "project",  "text", "Settings", "and",   "window",
                             "Fenêtre", "Größe", "naïve",  "café",     "Æble", "Øre",      "Ñandú", "€uro"};

QByteArray word(Random& random) {
    // Words are UTF-8 here; the file holds their Windows-1252 bytes.
    const QString text = QString::fromUtf8(Words[random.next(sizeof(Words) / sizeof(Words[0]))]);
    QByteArray bytes;
    for (const QChar c : text) {
        bytes += c.unicode() == 0x20AC ? char(0x80) : char(c.unicode());
    }
    return bytes;
}

QByteArray value(Random& random) {
    QByteArray text;
    const uint32_t words = 2 + random.next(8);
    for (uint32_t i = 0; i < words; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += word(random);
    }
    switch (random.next(10)) {
    case 0:
        text += "%0D%0A" + word(random) + " 100%% %s";
        break;
    case 1:
        text += ": %1 of %2%0D%0A%0D%0A" + word(random);
        break;
    default:
        break;
    }
    return text;
}

QString writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = LanguageFileGenerator::folder() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write benchmark file " + path.toStdString());
    }
    return path;
}

QByteArray compress(const QByteArray& text) {
    uLongf size = compressBound(uLong(text.size()));
    QByteArray stream(qsizetype(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(text.constData()),
              uLong(text.size()), 6);
    stream.truncate(qsizetype(size));
    return "TVC1" + stream;
}

} // namespace

QByteArray LanguageFileGenerator::generate(qsizetype targetSize) {
    Random random;
    QByteArray text;
    text.reserve(targetSize + 4096);
    text += "; Generated language file\r\n[Main]\r\nLanguageName=Benchmark\r\nFontCharset=0\r\n\r\n";
    for (int section = 0; text.size() < targetSize; ++section) {
        // Now and then a section name repeats, in another letter case.
        const int number = section % 500 == 499 ? section - 250 : section;
        text += (section % 2 ? "[Form" : "[FORM") + QByteArray::number(number) + "]\r\n";
        if (section % 7 == 0) {
            text += "; comment line\r\n\r\n";
        }
        const uint32_t keys = 20 + random.next(40);
        for (uint32_t key = 0; key < keys; ++key) {
            text += "Control" + QByteArray::number(key) + (key % 3 ? ".Caption" : ".Hint");
            text += key % 11 == 0 ? "  =  " : "=";
            text += value(random) + "\r\n";
        }
        if (section % 100 == 0) {
            text += "control0.HINT=duplicate key\r\n";
        }
        text += "\r\n";
    }
    return text;
}

QByteArray LanguageFileGenerator::generateDense(qsizetype targetSize) {
    Random random;
    static const char* const prefixes[] = {"k", "Btn", "Lbl", "Msg", "T", "Hint"};
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz\xE9\xFC ";
    QByteArray text;
    text.reserve(targetSize + 4096);
    text += "[Main]\r\nLanguageName=Dense\r\n\r\n";
    for (int section = 0; text.size() < targetSize; ++section) {
        text += "[S" + QByteArray::number(section, 36) + "]\r\n";
        const uint32_t keys = 100 + random.next(300);
        for (uint32_t key = 0; key < keys; ++key) {
            const qsizetype start = text.size();
            text += prefixes[random.next(sizeof(prefixes) / sizeof(prefixes[0]))] + QByteArray::number(key, 36) + "=";
            const qsizetype length = 15 + qsizetype(random.next(11)); // with the CR LF
            while (text.size() - start < length - 2) {
                text += letters[random.next(sizeof(letters) - 1)];
            }
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

QString LanguageFileGenerator::folder() {
    static QTemporaryDir dir;
    return dir.path();
}

QString LanguageFileGenerator::plainFile(qsizetype targetSize, Shape shape) {
    static std::map<std::pair<qsizetype, Shape>, QString> files;
    auto& path = files[{targetSize, shape}];
    if (path.isEmpty()) {
        const bool dense = shape == Shape::Dense;
        path = writeFile(QString::number(targetSize) + (dense ? QStringLiteral(".dense.tvl") : QStringLiteral(".tvl")),
                         dense ? generateDense(targetSize) : generate(targetSize));
    }
    return path;
}

QString LanguageFileGenerator::compressedFile(qsizetype targetSize) {
    static std::map<qsizetype, QString> files;
    auto& path = files[targetSize];
    if (path.isEmpty()) {
        path = writeFile(QString::number(targetSize) + QStringLiteral(".tvc"), compress(generate(targetSize)));
    }
    return path;
}
