#include "EditorBenchFiles.h"

#include "HexBitmap.h"
#include "IniDocument.h"
#include "SafeFile.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>

namespace {

// A small linear congruential generator: the same files on every run and machine.
class Random {
public:
    explicit Random(uint32_t start) : m_state(start) {}
    uint32_t next() {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    int below(int n) { return int(next() % uint32_t(n)); }

private:
    uint32_t m_state;
};

QByteArray words(Random& random, int count) {
    static const char* const vocabulary[] = {"file",    "open", "the",     "save",  "language", "%s",   "window",
                                             "K\xf6ln", "text", "caf\xe9", "entry", "%d",       "100%", "close",
                                             "project", "flag", "source",  "edit",  "section",  "and"};
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            text += (random.below(17) == 0) ? QByteArray("%0D%0A") : QByteArray(" ");
        }
        text += vocabulary[random.below(int(std::size(vocabulary)))];
    }
    return text;
}

// keep: per mille of keys the language holds; variant changes the texts.
QByteArray languageText(qsizetype targetSize, int keep, uint32_t variant, bool withBigSection) {
    Random random(variant);
    QByteArray text = "[Main]\r\nLanguageName=Language " + QByteArray::number(variant) + "\r\nFontCharset=0\r\n\r\n";
    if (withBigSection) {
        Random keys(7); // same keys in every language
        text += "[" + QByteArray(EditorBenchFiles::BigSection) + "]\r\n";
        for (int i = 0; i < EditorBenchFiles::BigSectionEntries; ++i) {
            const QByteArray key = "Entry" + QByteArray::number(keys.next() % 1000000) + "_" + QByteArray::number(i);
            if (random.below(1000) < keep) {
                text += key + "=" + words(random, 3 + random.below(6)) + "\r\n";
            }
        }
        text += "\r\n";
    }
    for (int section = 0; text.size() < targetSize; ++section) {
        text += "[Form" + QByteArray::number(section) + "]\r\n";
        for (int i = 0; i < 80; ++i) {
            if (random.below(1000) < keep) {
                text += "Control" + QByteArray::number(i) + ".Caption=" + words(random, 2 + random.below(8)) + "\r\n";
            }
        }
        text += "\r\n";
    }
    return text;
}

QByteArray flagValue(int language) {
    QImage flag(16, 16, QImage::Format_RGB32);
    flag.fill(Qt::white);
    for (int y = 3; y < 13; ++y) {
        for (int x = 1; x < 15; ++x) {
            flag.setPixel(x, y, qRgb((language * 37) % 256, (x * 16) % 256, (y * 20) % 256));
        }
    }
    IniDocument document;
    WriteFlagBitmap(document, "Images", "Flag16", flag);
    return document.toText();
}

QTemporaryDir& root() {
    static QTemporaryDir dir;
    return dir;
}

} // namespace

namespace EditorBenchFiles {

QString editingFolder() {
    static const QString folder = [] {
        const QString path = root().filePath(QStringLiteral("editing"));
        QDir().mkpath(path);
        const qsizetype size = 5 * 1000 * 1000;
        SafeFile::writeAll(path + QStringLiteral("/English.lng"), languageText(size, 1000, 1, true));
        SafeFile::writeAll(path + QStringLiteral("/French.lng"), languageText(size, 900, 2, true));
        SafeFile::writeAll(path + QStringLiteral("/German.lng"), languageText(size, 700, 3, true));
        return path;
    }();
    return folder;
}

QString discoveryFolder() {
    static const QString folder = [] {
        const QString path = root().filePath(QStringLiteral("discovery"));
        QDir().mkpath(path);
        for (int i = 0; i < 40; ++i) {
            const QByteArray text = languageText(1000 * 1000, 1000, uint32_t(100 + i), false) + flagValue(i);
            SafeFile::writeAll(path + QStringLiteral("/Language%1.lng").arg(i, 2, 10, QLatin1Char('0')), text);
        }
        return path;
    }();
    return folder;
}

} // namespace EditorBenchFiles
