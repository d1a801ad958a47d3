// An interface language file, plain or compressed, read the ways the program reads one: the
// catalogue's scan of its folder gives the names and flags that the whole document holds; the
// texts, messages and dialog captions come back as the file's bytes decoded with the code page
// of its [Main] FontCharset, escapes undone where messages have them, and a message or caption the
// file lacks keeps its default; "%s" arguments are filled in one pass, left to right.
#include "CodePage.h"
#include "CompressedContainer.h"
#include "CompressedLanguageText.h"
#include "DialogCaptionLoader.h"
#include "EscapeRules.h"
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "HexBitmap.h"
#include "ImageList.h"
#include "IniDocument.h"
#include "InterfaceMessages.h"
#include "LanguageCatalogue.h"
#include "LanguageKeys.h"
#include "LanguageTextReader.h"
#include "MessageTable.h"
#include "ModelDocument.h"
#include "NvDialogStrings.h"
#include "SafeFile.h"
#include "TnvLanguageList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>

#include <optional>

namespace {

const QByteArray Indicator = "TVC";

// The folder the catalogue scans, holding the one file of each input.
QString languageFolder() {
    static const QString folder = [] {
        const QString path = fuzzFile(QStringLiteral("Languages"));
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

// The whole file as a plain model reads it, its values decoded as the file's font asks.
class Reference {
public:
    explicit Reference(const QByteArray& text) {
        m_model.load(text);
        IniDocument whole;
        whole.setFromText(text);
        m_codePage = CodePage::forCharset(
            whole.readInteger(LanguageKeys::Main, LanguageKeys::FontCharset, LanguageKeys::DefaultFontCharset));
        ReadFlagBitmap(whole, LanguageKeys::Images, LanguageKeys::Flag16, flag16);
        ReadFlagBitmap(whole, LanguageKeys::Images, LanguageKeys::Flag32, flag32);
    }

    int codePage() const { return m_codePage; }

    std::optional<QString> text(const QString& section, const QString& key) const {
        const QList<QByteArray>& lines = linesOf(section);
        const int line = ModelDocument::line(lines, key.toLatin1());
        return line < 0 ? std::nullopt : std::optional(CodePage::decode(lines[line].mid(key.size() + 1), m_codePage));
    }

    // The lines of a section, found once: the same few are asked for many keys.
    const QList<QByteArray>& linesOf(const QString& section) const {
        auto found = m_lines.constFind(section);
        if (found == m_lines.constEnd()) {
            found = m_lines.insert(section, m_model.lines(section.toLatin1()));
        }
        return *found;
    }

    // The [Messages] lines, escapes undone, decoded.
    QStringList messageLines() const {
        QStringList lines;
        for (const QByteArray& line : linesOf(QStringLiteral("Messages"))) {
            lines.append(CodePage::decode(EscapeRules::unescaped(line), m_codePage));
        }
        return lines;
    }

    QImage flag16;
    QImage flag32;

private:
    ModelDocument m_model;
    int m_codePage = 0;
    mutable QHash<QString, QList<QByteArray>> m_lines;
};

void checkCatalogue(const Reference& reference, const QString& name, const QString& file) {
    TnvLanguageList languages;
    ImageList images16(QStringLiteral("ilFlags16"), QSize(16, 16));
    ImageList images32(QStringLiteral("ilFlags32"), QSize(32, 32));
    FUZZ_CHECK(LanguageCatalogue::scan(languageFolder(), QStringLiteral("tvl"), Indicator, false,
                                       {languages, images16, images32}));
    FUZZ_CHECK(languages.Count() == 1);
    const TnvLanguage& language = languages[0];
    FUZZ_CHECK(language.LanguageName == name);
    FUZZ_CHECK(QFileInfo(language.FileName) == QFileInfo(file));
    const QString realName = reference.text(LanguageKeys::Main, LanguageKeys::LanguageName).value_or(QString());
    FUZZ_CHECK(language.LanguageRealName == (realName.isEmpty() ? name : realName));
    FUZZ_CHECK(language.LanguageHint == reference.text(LanguageKeys::Main, LanguageKeys::Use).value_or(QString()));
    FUZZ_CHECK(language.Flag16 == reference.flag16 && language.Flag32 == reference.flag32);
    FUZZ_CHECK(language.ImageIndex16 == (reference.flag16.width() == 16 ? 0 : -1));
    FUZZ_CHECK(language.ImageIndex32 == (reference.flag32.width() == 32 ? 0 : -1));
    FUZZ_CHECK(images16.count() == language.ImageIndex16 + 1 && images32.count() == language.ImageIndex32 + 1);
}

// Keys worth asking for: the program's own, those the file has, and one it may lack.
QStringList keysToAsk(const Reference& reference, const QString& section, QStringList keys) {
    for (const QByteArray& line : reference.linesOf(section)) {
        keys.append(QString::fromLatin1(ModelDocument::keyOf(line)));
    }
    keys.append(QStringLiteral("NoSuchKey"));
    return keys;
}

void checkTexts(const LanguageTextReader& texts, const Reference& reference) {
    FUZZ_CHECK(texts.codePage() == reference.codePage());
    for (const QString& section : {QStringLiteral("Main"), QStringLiteral("Dialogs"), QStringLiteral("Messages")}) {
        for (const QString& key : keysToAsk(reference, section, {LanguageKeys::LanguageName, LanguageKeys::Use})) {
            FUZZ_CHECK(texts.plain(section, key) == reference.text(section, key));
        }
    }
}

void checkMessages(const LanguageTextReader& texts, const Reference& reference) {
    InterfaceMessages::Pairs defaults;
    QStringList tableKeys;
    for (int i = 0; i < MessageTable::count(); ++i) {
        defaults.append({MessageTable::key(i), MessageTable::defaultText(i)});
        tableKeys.append(MessageTable::key(i));
    }
    InterfaceMessages messages;
    messages.setDefaults(defaults);
    messages.load(texts);
    const QStringList lines = reference.messageLines();
    FUZZ_CHECK(messages.lines() == lines);
    for (const QString& key : keysToAsk(reference, QStringLiteral("Messages"), tableKeys)) {
        const int index = int(tableKeys.indexOf(key));
        QString expected = index >= 0 ? MessageTable::defaultText(index) : QString();
        for (const QString& line : lines) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals >= 0 && line.left(equals).compare(key, Qt::CaseInsensitive) == 0) {
                expected = line.mid(equals + 1);
                break;
            }
        }
        FUZZ_CHECK(messages.lookup(key) == expected);
    }
}

void checkCaptions(const LanguageTextReader& texts, const Reference& reference) {
    nvResetCaptions();
    QStringList before;
    for (const QString& key : nvCaptionKeys()) {
        before.append(nvGetCaption(key));
    }
    LoadDialogCaptions(texts);
    const QStringList keys = nvCaptionKeys();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        FUZZ_CHECK(nvGetCaption(keys[i]) == reference.text(QStringLiteral("Dialogs"), keys[i]).value_or(before[i]));
    }
}

// Each "%s" in turn takes the next argument, an argument's own "%s" is left alone.
void checkFormat(const QString& text, FuzzInput& input) {
    QStringList arguments;
    for (int count = input.pick(4); count > 0; --count) {
        arguments.append(input.flag() ? QStringLiteral("<%s>") : input.text(4));
    }
    const QStringList pieces = text.split(QStringLiteral("%s"));
    QString expected = pieces[0];
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        expected += (i - 1 < arguments.size() ? arguments[i - 1] : QStringLiteral("%s")) + pieces[i];
    }
    FUZZ_CHECK(MessageTable::format(text, arguments) == expected);
    if (arguments.size() == 1) {
        FUZZ_CHECK(MessageTable::format(text, arguments[0]) == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The catalogue's image lists hold pixmaps, which need an application; no screen is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const bool compressed = input.flag();
    const QString name = input.flag() ? QStringLiteral("Deutsch") : QStringLiteral("Fran\u00e7ais");
    const QByteArray formatBytes = input.bytes(24);
    QByteArray text = input.rest();
    if (!compressed && text.startsWith(Indicator + '1')) {
        // A plain file that starts like a container is read as one; the container has its own target.
        text.prepend("\r\n");
    }
    // The file of the last input goes, so that the folder holds one language.
    static QString file;
    if (!file.isEmpty()) {
        QFile::remove(file);
    }
    file = QDir(languageFolder()).filePath(name + QStringLiteral(".tvl"));
    SafeFile::writeAll(file, compressed ? compressedLanguageText(text) : text);

    const Reference reference(text);
    checkCatalogue(reference, name, file);
    IniDocument document;
    LoadLanguageDocument(document, file, Indicator);
    const LanguageTextReader texts(document);
    checkTexts(texts, reference);
    checkMessages(texts, reference);
    checkCaptions(texts, reference);

    FuzzInput formatInput(reinterpret_cast<const uint8_t*>(formatBytes.constData()), size_t(formatBytes.size()));
    const QStringList lines = reference.messageLines();
    checkFormat(lines.isEmpty() ? QString::fromLatin1(formatBytes) : lines.first(), formatInput);
    return 0;
}
