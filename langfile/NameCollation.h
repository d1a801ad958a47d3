#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>
#include <QStringList>

// The order of names in the lists the user sees (languages, sections, keys): the system locale's
// collation without regard to case, digits compared as characters. A locale without a collation
// of its own (C, POSIX) sorts by the root collation, so symbols come before digits before letters
// on every machine.
class NameCollation {
public:
    explicit NameCollation(const QLocale& locale = QLocale::system());

    // Compare keys rather than names when sorting many: a key is built once per name.
    QCollatorSortKey sortKey(const QString& name) const;

    // Sorts in that order; names the collation finds equal keep a fixed order by their code units.
    void sort(QStringList& names) const;

    // The first item equal to name without regard to case, or -1 (restoring a stored choice).
    static int findIgnoringCase(const QStringList& items, const QString& name);

private:
    QCollator m_collator;
};
