// Saving an entry into any destination file: a text the save accepts reads back, from the file
// loaded anew, as the same text (less what the format drops: blanks at its ends, repeated "%"),
// every other entry of the file stays as it was, and a refused text leaves the file untouched.
#include "CodePage.h"
#include "EditingState.h"
#include "EntrySaver.h"
#include "EntryTexts.h"
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "IniDocument.h"
#include "LoadTrim.h"
#include "SafeFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace {

const int Charsets[] = {0, 204, 238, 161, 162, 177, 178, 186, 222, 128, 129, 134, 136};

EditRequest request() {
    return {QStringLiteral("Ref"), QStringLiteral("Src"), QStringLiteral("Dst"), fuzzFile(QString()),
            QStringLiteral("lng")};
}

// A text as a user could type it: what the destination's code page shows, with line breaks of
// every kind, "%", brackets and blanks mixed in, and now and then any character at all.
QString typedText(FuzzInput& input, int codePage) {
    static const QString Specials[] = {QStringLiteral("\n"),          QStringLiteral("\r"),     QStringLiteral("\r\n"),
                                       QString(QChar::LineSeparator), QStringLiteral("%"),      QStringLiteral("%s"),
                                       QStringLiteral("["),           QStringLiteral("]"),      QStringLiteral(" "),
                                       QStringLiteral("\t"),          QStringLiteral("%0D%0A"), QString(QChar(0))};
    QString text;
    const int parts = input.pick(6);
    for (int i = 0; i < parts; ++i) {
        switch (input.pick(4)) {
        case 0:
            text += Specials[input.pick(int(std::size(Specials)))];
            break;
        case 1:
            text += input.text(2);
            break;
        default:
            text += CodePage::decode(input.bytes(8), codePage);
            break;
        }
    }
    return text;
}

// What a load gives back of a saved text: blanks (other than line breaks) at the ends go, and a
// run of "%" becomes one.
QString readBackForm(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c.unicode() <= ' ' && c != QLatin1Char('\r') && c != QLatin1Char('\n'); };
    while (begin < end && blank(text[begin])) {
        ++begin;
    }
    while (end > begin && blank(text[end - 1])) {
        --end;
    }
    QString result;
    for (qsizetype i = begin; i < end; ++i) {
        if (text[i] != QLatin1Char('%') || i == begin || text[i - 1] != QLatin1Char('%')) {
            result += text[i];
        }
    }
    return result;
}

QList<QByteArray> namesIn(const IniDocument& a, const IniDocument& b, const QByteArray* section) {
    QList<QByteArray> names = section ? a.keys(*section) + b.keys(*section) : a.sections() + b.sections();
    names.append(section ? QByteArray("FontCharset") : QByteArray("Main"));
    return names;
}

QByteArray unitsInHex(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2).toHex(' ');
}

bool isFontCharset(const QByteArray& section, const QByteArray& key) {
    return section.toUpper() == "MAIN" && key.toUpper() == "FONTCHARSET";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const int charset = Charsets[input.pick(int(std::size(Charsets)))];
    const QByteArray main = "[Main]\r\nFontCharset=" + QByteArray::number(charset) + "\r\n";
    writeFuzzFile(QStringLiteral("Ref.lng"), input.bytes(120));
    writeFuzzFile(QStringLiteral("Src.lng"), QByteArray());
    const QString destination = writeFuzzFile(QStringLiteral("Dst.lng"), main + input.bytes(200));

    EditingState state;
    state.load(request());
    IniDocument expected(destination);
    const int saves = 1 + input.pick(4);
    for (int i = 0; i < saves && !input.atEnd(); ++i) {
        const IniDocument& reference = *state.document(EditingState::Reference);
        const QList<QByteArray> sections = namesIn(reference, *state.destination(), nullptr);
        state.currentSection = sections[input.pick(int(sections.size()))];
        const QList<QByteArray> keys = namesIn(reference, *state.destination(), &state.currentSection);
        state.currentKey = keys[input.pick(int(keys.size()))];
        const int codePage = state.codePage(EditingState::Destination);
        const QString text = typedText(input, codePage);

        const QByteArray before = SafeFile::readAll(destination);
        const EntrySaver::Result result = EntrySaver::save(state, text);
        if (!result.saved) {
            FUZZ_CHECK(SafeFile::readAll(destination) == before);
            continue;
        }
        expected.writeString(state.currentSection, state.currentKey, result.stored);
        FUZZ_CHECK(SafeFile::readAll(destination) == expected.toText());

        EditingState again;
        again.load(request());
        const IniDocument& reloaded = *again.document(EditingState::Destination);
        FUZZ_CHECK(reloaded.readString(state.currentSection, state.currentKey) == loadTrimmed(result.stored));
        if (!isFontCharset(state.currentSection, state.currentKey)) {
            const QString read = EntryTexts::displayText(reloaded.readString(state.currentSection, state.currentKey),
                                                         again.codePage(EditingState::Destination));
            const QString typed = readBackForm(EntrySaver::normalizeLineBreaks(text));
            if (read != typed) {
                qWarning("code page %d (file %d), stored %s: typed %s, read %s", codePage,
                         again.codePage(EditingState::Destination), result.stored.toHex(' ').constData(),
                         unitsInHex(typed).constData(), unitsInHex(read).constData());
            }
            FUZZ_CHECK(read == typed);
        }
    }
    return 0;
}
