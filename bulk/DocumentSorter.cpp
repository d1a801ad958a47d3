#include "DocumentSorter.h"

#include "CodePage.h"
#include "LanguageKeys.h"

#include <QByteArray>

namespace {

QByteArray raw(QByteArrayView view) {
    return QByteArray::fromRawData(view.data(), view.size());
}

// One section per name, holding the lines of every section of that name in file order, written
// as look-up would then read them: a later line of the same key replaces an earlier one.
IniDocument merged(const IniDocument& document) {
    IniDocument result;
    for (const IniDocument::SectionRef section : document.sectionRefs()) {
        const QByteArray name = raw(document.sectionName(section));
        for (const IniDocument::LineView& line : document.lineViews(section)) {
            result.writeLine(name, line);
        }
    }
    return result;
}

} // namespace

DocumentSorter::DocumentSorter(const QLocale& locale) : m_collation(locale) {}

IniDocument DocumentSorter::sorted(const IniDocument& document) const {
    const int codePage = CodePage::forCharset(
        document.readInteger(LanguageKeys::Main, LanguageKeys::FontCharset, LanguageKeys::DefaultFontCharset));
    const IniDocument source = merged(document);
    const QList<IniDocument::SectionRef> sections = source.sectionRefs();
    QList<QByteArrayView> names;
    names.reserve(sections.size());
    for (const IniDocument::SectionRef section : sections) {
        names.append(source.sectionName(section));
    }

    IniDocument result;
    result.setFileName(document.fileName());
    QByteArray wholeLines;
    QList<QByteArrayView> texts;
    for (const qsizetype sectionIndex : m_collation.order(names, codePage)) {
        const QByteArray name = raw(names.at(sectionIndex));
        const QList<IniDocument::LineView> lines = source.lineViews(sections.at(sectionIndex));
        wholeLines.clear();
        for (const IniDocument::LineView& line : lines) {
            if (line.bare.isNull()) {
                wholeLines.append(line.key).append('=').append(line.value);
            } else {
                wholeLines.append(line.bare);
            }
        }
        // Views into wholeLines, taken once it no longer grows.
        texts.clear();
        qsizetype offset = 0;
        for (const IniDocument::LineView& line : lines) {
            const qsizetype size = line.bare.isNull() ? line.key.size() + 1 + line.value.size() : line.bare.size();
            texts.append(QByteArrayView(wholeLines.constData() + offset, size));
            offset += size;
        }
        for (const qsizetype lineIndex : m_collation.order(texts, codePage)) {
            result.writeLine(name, lines.at(lineIndex));
        }
    }
    return result;
}
