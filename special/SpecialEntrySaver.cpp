#include "SpecialEntrySaver.h"

#include "RewriteGuard.h"

#include "CodePage.h"
#include "FileError.h"
#include "IniDocument.h"
#include "SpecialFiles.h"

#include <array>

namespace SpecialEntrySaver {

QString flattenLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            ++i;
        }
        const bool lineBreak = ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QChar::LineSeparator ||
                               ch == QChar::ParagraphSeparator || ch == QChar::Null;
        result += lineBreak ? QChar(QLatin1Char(' ')) : ch;
    }
    return result;
}

Result save(const SpecialFiles& files, const QString& category, const QByteArray& entry,
            const SpecialEntryFields& fields) {
    Result result;
    if (category.isEmpty() || entry.isEmpty()) {
        return result;
    }
    std::array<QByteArray, SpecialKeys::FieldCount> values;
    for (int field = 0; field < SpecialKeys::FieldCount; ++field) {
        const std::optional<QByteArray> encoded =
            CodePage::encode(flattenLineBreaks(fields.texts[size_t(field)]), files.codePage());
        if (!encoded) {
            result.error = QStringLiteral("The text of \"%1\" holds characters that the code page of the destination "
                                          "language file (%2) cannot store. Nothing was saved.")
                               .arg(QLatin1String(SpecialKeys::names[size_t(field)]))
                               .arg(files.codePage());
            return result;
        }
        values[size_t(field)] = *encoded;
    }
    try {
        IniDocument document(files.destinationFile(category));
        RewriteGuard::ensureRewritable(document);
        for (int field = 0; field < SpecialKeys::FieldCount; ++field) {
            document.writeString(entry, SpecialKeys::names[size_t(field)], values[size_t(field)]);
        }
        document.writeBack();
    } catch (const FileError& error) {
        result.error = error.message();
        return result;
    }
    result.saved = true;
    return result;
}

Step saveAndMove(const SpecialFiles& files, const QString& category, const QByteArray& entry,
                 const SpecialEntryFields& fields, const QList<SpecialEntryRow>& rows, qsizetype selectedRow) {
    Step step;
    step.result = save(files, category, entry, fields);
    if (!step.result.error.isEmpty()) {
        return step;
    }
    if (step.result.saved) {
        step.markedRow = SpecialEntryList::indexOf(rows, entry);
    }
    step.nextRow = SpecialEntryList::nextRow(selectedRow, rows.size());
    return step;
}

} // namespace SpecialEntrySaver
