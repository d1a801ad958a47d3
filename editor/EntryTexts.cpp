#include "EntryTexts.h"

#include "CodePage.h"
#include "EditingState.h"
#include "ValueEscapes.h"

namespace {

EditingState::Role roleOf(RowMark mark) {
    switch (mark) {
    case MarkPresent:
        return EditingState::Destination;
    case MarkPartial:
        return EditingState::Source;
    case MarkMissing:
        break;
    }
    return EditingState::Reference;
}

} // namespace

QString EntryTexts::displayText(const QByteArray& stored, int codePage) {
    QByteArray text = stored;
    UnescapeLanguageValue(text);
    return CodePage::decode(text, codePage);
}

EntryTexts EntryTexts::of(const EditingState& state, const QByteArray& key, const QByteArray& shown, RowMark mark) {
    EntryTexts texts;
    texts.edit = displayText(shown, state.codePage(roleOf(mark)));
    QString source;
    QString reference;
    if (state.hasDocuments()) {
        const QByteArray& section = state.currentSection;
        source = displayText(state.document(EditingState::Source)->readString(section, key),
                             state.codePage(EditingState::Source));
        reference = displayText(state.document(EditingState::Reference)->readString(section, key),
                                state.codePage(EditingState::Reference));
    }
    const QString crlf = QStringLiteral("\r\n");
    texts.hint = QStringLiteral("Current translation:") + crlf + texts.edit + crlf + crlf +
                 QStringLiteral("Source translation:") + crlf + source + crlf + crlf +
                 QStringLiteral("Reference translation:") + crlf + reference;
    texts.sourceLabel = source.isEmpty() ? reference : source;
    return texts;
}
