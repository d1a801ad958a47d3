#include "EntrySaver.h"

#include "CodePage.h"
#include "EditingState.h"
#include "FileError.h"
#include "IniDocument.h"
#include "RewriteGuard.h"
#include "ValueEscapes.h"

namespace {

// Why a text cannot be stored under key as an entry that reads back the same; empty when it can.
QString unstorable(const QString& text, const QByteArray& key, const QByteArray& stored) {
    if (text.contains(QChar(0))) {
        return QStringLiteral("The text holds a NUL character, which would end the file when it is next read. "
                              "Nothing was saved.");
    }
    // The loader trims the line and takes "[...]" as a section header.
    qsizetype end = stored.size();
    while (end > 0 && static_cast<unsigned char>(stored.at(end - 1)) <= ' ') {
        --end;
    }
    if (key.startsWith('[') && end > 0 && stored.at(end - 1) == ']') {
        return QStringLiteral("The key starts with \"[\" and the text ends with \"]\": the line would be read back "
                              "as a section header and the entry would be lost. Nothing was saved.");
    }
    return QString();
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
        RewriteGuard::ensureRewritable(*state.destination());
    } catch (const FileError& error) {
        result.error = error.message();
        return result;
    }
    IniDocument& document = *state.destination();
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
    result.error = unstorable(text, state.currentKey, stored);
    if (!result.error.isEmpty()) {
        return result;
    }
    // A failed write keeps the entry in the document: the next save that succeeds writes it too.
    state.writeEntry(state.currentSection, state.currentKey, stored);
    try {
        document.writeBack();
    } catch (const FileError& error) {
        result.error = error.message();
        return result;
    }
    state.destinationWritten();
    result.saved = true;
    result.stored = stored;
    return result;
}

} // namespace EntrySaver
