#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// What a translation can break that the program using it relies on: its placeholders, line
// breaks, accelerators, the blanks around it and the punctuation it ends with. Texts are
// compared as the translator sees them (unescaped, decoded); a check never stops a save.
class EntryCheck {
public:
    enum Problem { Placeholders, LineBreaks, Accelerators, LeadingBlanks, TrailingBlanks, EndPunctuation };
    using MessageText = std::function<QString(int index)>;

    // The problems of translation against original (the source text, else the reference's), in
    // the order above.
    static QList<Problem> problems(const QString& translation, const QString& original);
    // The same for two stored (escaped) texts, each decoded with the code page of its file;
    // nothing when the original is empty, as there is then nothing to hold the text to.
    static QList<Problem> storedProblems(const QByteArray& translation, int translationCodePage,
                                         const QByteArray& original, int originalCodePage);

    // "%s", "%d", "%u", "%x" and "%1" to "%9", sorted; "%%" is a literal percent sign.
    static QStringList placeholders(const QString& text);
    // Line breaks of any kind (CR LF, CR, LF, line and paragraph separators).
    static int lineBreaks(const QString& text);
    // "&" before a character; "&&" is a literal ampersand.
    static int accelerators(const QString& text);
    static QString leadingBlanks(const QString& text);
    static QString trailingBlanks(const QString& text);
    // The punctuation before any trailing white space, with the ellipsis and the full-width and
    // Arabic marks read as their ASCII forms.
    static QString endPunctuation(const QString& text);

    // The message table entry that words a problem.
    static int messageIndex(Problem problem);
    // The problems worded on one line, "; " between them.
    static QString reasons(const QList<Problem>& problems, const MessageText& messages);
};
