#include "EntryCheck.h"

#include "EntrySaver.h"
#include "EntryTexts.h"
#include "MessageTable.h"

#include <algorithm>

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar::Nbsp;
}

bool isPlaceholderLetter(QChar c) {
    return c == QLatin1Char('s') || c == QLatin1Char('d') || c == QLatin1Char('u') || c == QLatin1Char('x') ||
           (c >= QLatin1Char('1') && c <= QLatin1Char('9'));
}

// The ASCII form of a closing punctuation mark, or a null character when c is none.
QString punctuationForm(QChar c) {
    switch (c.unicode()) {
    case '.':
    case ',':
    case ':':
    case ';':
    case '!':
    case '?':
        return QString(c);
    case 0x2026: // ellipsis
        return QStringLiteral("...");
    case 0x3002: // ideographic full stop
    case 0xFF0E:
        return QStringLiteral(".");
    case 0xFF0C:
    case 0x3001:
    case 0x060C: // Arabic comma
        return QStringLiteral(",");
    case 0xFF1A:
        return QStringLiteral(":");
    case 0xFF1B:
    case 0x061B: // Arabic semicolon
        return QStringLiteral(";");
    case 0xFF01:
        return QStringLiteral("!");
    case 0xFF1F:
    case 0x061F: // Arabic question mark
        return QStringLiteral("?");
    default:
        return QString();
    }
}

} // namespace

QStringList EntryCheck::placeholders(const QString& text) {
    QStringList found;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('%')) {
            continue;
        }
        const QChar next = text.at(i + 1);
        if (isPlaceholderLetter(next)) {
            found.append(text.mid(i, 2));
        }
        // "%%" and a placeholder are passed over whole, so "%%s" holds no "%s".
        if (next == QLatin1Char('%') || isPlaceholderLetter(next)) {
            ++i;
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

int EntryCheck::lineBreaks(const QString& text) {
    return int(EntrySaver::normalizeLineBreaks(text).count(QLatin1String("\r\n")));
}

int EntryCheck::accelerators(const QString& text) {
    int count = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            count += text.at(i + 1) == QLatin1Char('&') ? 0 : 1;
            ++i;
        }
    }
    return count;
}

QString EntryCheck::leadingBlanks(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && isBlank(text.at(end))) {
        ++end;
    }
    return text.left(end);
}

QString EntryCheck::trailingBlanks(const QString& text) {
    qsizetype begin = text.size();
    while (begin > 0 && isBlank(text.at(begin - 1))) {
        --begin;
    }
    return text.mid(begin);
}

QString EntryCheck::endPunctuation(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) {
        --end;
    }
    QString ending;
    for (; end > 0; --end) {
        const QString form = punctuationForm(text.at(end - 1));
        if (form.isEmpty()) {
            break;
        }
        ending.prepend(form);
    }
    return ending;
}

QList<EntryCheck::Problem> EntryCheck::problems(const QString& translation, const QString& original) {
    QList<Problem> found;
    if (placeholders(translation) != placeholders(original)) {
        found.append(Placeholders);
    }
    if (lineBreaks(translation) != lineBreaks(original)) {
        found.append(LineBreaks);
    }
    if (accelerators(translation) != accelerators(original)) {
        found.append(Accelerators);
    }
    if (leadingBlanks(translation) != leadingBlanks(original)) {
        found.append(LeadingBlanks);
    }
    if (trailingBlanks(translation) != trailingBlanks(original)) {
        found.append(TrailingBlanks);
    }
    if (endPunctuation(translation) != endPunctuation(original)) {
        found.append(EndPunctuation);
    }
    return found;
}

QList<EntryCheck::Problem> EntryCheck::storedProblems(const QByteArray& translation, int translationCodePage,
                                                      const QByteArray& original, int originalCodePage) {
    if (original.isEmpty()) {
        return {};
    }
    return problems(EntryTexts::displayText(translation, translationCodePage),
                    EntryTexts::displayText(original, originalCodePage));
}

int EntryCheck::messageIndex(Problem problem) {
    return MessageTable::CheckPlaceholders + int(problem);
}

QString EntryCheck::reasons(const QList<Problem>& problems, const MessageText& messages) {
    QStringList texts;
    for (const Problem problem : problems) {
        texts.append(messages(messageIndex(problem)));
    }
    return texts.join(QLatin1String("; "));
}
