#include "EntrySaver.h"

#include "CodePage.h"
#include "EditingState.h"
#include "FileError.h"
#include "IniDocument.h"
#include "ValueEscapes.h"

namespace {

// Puts the document back as it was before a write that did not reach the disk.
void rollBack(IniDocument& document, const QByteArray& section, const QByteArray& key, bool hadSection, bool hadKey,
              const QByteArray& oldValue) {
    if (hadKey) {
        document.writeString(section, key, oldValue);
    } else if (hadSection) {
        document.deleteKey(section, key);
    } else {
        document.eraseSection(section);
    }
}

} // namespace

namespace EntrySaver {

QString normalizeLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
                ++i;
            }
            result += QLatin1String("\r\n");
        } else if (ch == QLatin1Char('\n') || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator) {
            result += QLatin1String("\r\n");
        } else {
            result += ch;
        }
    }
    return result;
}

Result save(EditingState& state, const QString& text) {
    Result result;
    if (state.currentSection.isEmpty() || state.currentKey.isEmpty() || !state.destination()) {
        return result;
    }
    try {
        state.refreshDestination();
    } catch (const FileError& error) {
        result.error = error.message();
        return result;
    }
    const int codePage = state.codePage(EditingState::Destination);
    const std::optional<QByteArray> encoded = CodePage::encode(normalizeLineBreaks(text), codePage);
    if (!encoded) {
        result.error = QStringLiteral("The text holds characters that the code page of the destination language "
                                      "file (%1) cannot store. Nothing was saved.")
                           .arg(codePage);
        return result;
    }
    QByteArray stored = *encoded;
    EscapeLanguageValue(stored);

    IniDocument& document = *state.destination();
    const QByteArray& section = state.currentSection;
    const QByteArray& key = state.currentKey;
    const bool hadSection = document.hasSection(section);
    const bool hadKey = hadSection && document.hasKey(section, key);
    const QByteArray oldValue = hadKey ? document.readString(section, key) : QByteArray();
    document.writeString(section, key, stored);
    try {
        document.writeBack();
    } catch (const FileError& error) {
        rollBack(document, section, key, hadSection, hadKey, oldValue);
        result.error = error.message();
        return result;
    }
    state.destinationWritten();
    result.saved = true;
    result.stored = stored;
    return result;
}

} // namespace EntrySaver
