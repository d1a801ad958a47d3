#include "DocumentSorter.h"

#include "CodePage.h"
#include "LanguageKeys.h"

namespace {

// Whether a section name or a key within a section occurs more than once.
bool hasRepeats(const IniDocument& document) {
    for (const IniDocument::SectionRef section : document.sectionRefs()) {
        if (!(document.findSection(document.sectionName(section)) == section)) {
            return true;
        }
        int entries = 0;
        bool bare = false;
        bool emptyKey = false;
        for (const IniDocument::LineView& line : document.lineViews(section)) {
            if (line.bare.isNull()) {
                ++entries;
                emptyKey = emptyKey || line.key.isEmpty();
            } else {
                bare = true;
            }
        }
        // A line without "=" counts as the empty key there.
        if (document.distinctKeyCount(section) != entries + (bare && !emptyKey ? 1 : 0)) {
            return true;
        }
    }
    return false;
}

// One section per name, holding the lines of every section of that name in file order, written
// as look-up would then read them: a later line of the same key replaces an earlier one.
IniDocument merged(const IniDocument& document) {
    IniDocument result;
    for (const IniDocument::SectionRef section : document.sectionRefs()) {
        const QByteArrayView name = document.sectionName(section);
        for (const IniDocument::LineView& line : document.lineViews(section)) {
            result.writeLine(QByteArray::fromRawData(name.data(), name.size()), line);
        }
    }
    return result;
}

qsizetype wholeLineSize(const IniDocument::LineView& line) {
    return line.bare.isNull() ? line.key.size() + 1 + line.value.size() : line.bare.size();
}

} // namespace

DocumentSorter::DocumentSorter(const QLocale& locale) : m_collation(locale) {}

QByteArray DocumentSorter::sortedText(const IniDocument& document) const {
    QByteArray text;
    sortedText(document, text);
    return text;
}

void DocumentSorter::sortedText(const IniDocument& document, QByteArray& text) const {
    const int codePage = CodePage::forCharset(
        document.readInteger(LanguageKeys::Main, LanguageKeys::FontCharset, LanguageKeys::DefaultFontCharset));
    // Most files repeat nothing, and copying one costs more than sorting it.
    IniDocument copy;
    const bool merge = hasRepeats(document);
    if (merge) {
        copy = merged(document);
    }
    const IniDocument& source = merge ? copy : document;

    const QList<IniDocument::SectionRef> sections = source.sectionRefs();
    QList<QByteArrayView> names;
    QList<QList<IniDocument::LineView>> lines;
    names.reserve(sections.size());
    lines.reserve(sections.size());
    qsizetype size = 0;
    for (const IniDocument::SectionRef section : sections) {
        names.append(source.sectionName(section));
        lines.append(source.lineViews(section));
        size += names.last().size() + 6;
        for (const IniDocument::LineView& line : lines.last()) {
            size += wholeLineSize(line) + 2;
        }
    }

    // The write-back form: "[name]", the lines, an empty line, each ending in CR LF.
    text.resize(0);
    text.reserve(size);
    QByteArray wholeLines;
    QList<QByteArrayView> texts;
    for (const qsizetype sectionIndex : m_collation.order(names, codePage)) {
        const QList<IniDocument::LineView>& sectionLines = lines.at(sectionIndex);
        if (sectionLines.isEmpty()) {
            continue;
        }
        wholeLines.resize(0);
        for (const IniDocument::LineView& line : sectionLines) {
            if (line.bare.isNull()) {
                wholeLines.append(line.key).append('=').append(line.value);
            } else {
                wholeLines.append(line.bare);
            }
        }
        // Views into wholeLines, taken once it no longer grows.
        texts.clear();
        qsizetype offset = 0;
        for (const IniDocument::LineView& line : sectionLines) {
            texts.append(QByteArrayView(wholeLines.constData() + offset, wholeLineSize(line)));
            offset += texts.last().size();
        }
        text.append('[').append(names.at(sectionIndex)).append("]\r\n");
        for (const qsizetype lineIndex : m_collation.order(texts, codePage)) {
            text.append(texts.at(lineIndex)).append("\r\n");
        }
        text.append("\r\n");
    }
}

IniDocument DocumentSorter::sorted(const IniDocument& document) const {
    IniDocument result;
    result.setFileName(document.fileName());
    result.setFromText(sortedText(document));
    return result;
}
