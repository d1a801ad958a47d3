#include "ValueEscapes.h"

namespace {

const char LineBreakEscape[] = "%0D%0A";

bool isPlaceholderLetter(char c) {
    return c == '1' || c == '2' || c == 'd' || c == 's';
}

} // namespace

void EscapeLanguageValue(QByteArray& text) {
    if (!text.contains('%') && !text.contains("\r\n")) {
        return;
    }
    QByteArray escaped;
    escaped.reserve(text.size() + text.size() / 4 + 8);
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = text[i];
        // The last character has no successor and is never doubled.
        if (c == '%' && i + 1 < size && !isPlaceholderLetter(text[i + 1])) {
            escaped += "%%";
        } else if (c == '\r' && i + 1 < size && text[i + 1] == '\n') {
            escaped += LineBreakEscape;
            ++i;
        } else {
            escaped += c;
        }
    }
    text = escaped;
}

void UnescapeLanguageValue(QByteArray& text) {
    if (!text.contains('%')) {
        return;
    }
    // Replacing "%0D%0A" never creates a new one, so one pass finds what the repeated
    // first-occurrence search finds; the same holds for collapsing runs of "%".
    text.replace(LineBreakEscape, "\r\n");
    QByteArray collapsed;
    collapsed.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i == 0 || text[i - 1] != '%') {
            collapsed += text[i];
        }
    }
    text = collapsed;
}
