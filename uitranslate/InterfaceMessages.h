#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class LanguageTextReader;

// The program's message texts: the defaults its host registers and the [Messages] lines of the
// language applied last, which answer first.
class InterfaceMessages {
public:
    using Pairs = QList<QPair<QString, QString>>;

    // In order; a later pair replaces the text of an earlier key in place, an empty text drops it.
    void setDefaults(const Pairs& pairs);
    const Pairs& defaults() const { return m_defaults; }

    // "key=value" lines of [Messages], escapes undone.
    void load(const LanguageTextReader& texts);
    const QStringList& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

    // The first line of that key (without regard to case), else the default, else "".
    QString lookup(const QString& key) const;

private:
    Pairs m_defaults;
    QStringList m_lines;
};
