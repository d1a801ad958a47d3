#pragma once

#include "EntryCheck.h"

#include <QByteArray>
#include <QList>
#include <QString>

class IniDocument;

// A destination language file held to its reference (and source): the reference's entries it
// lacks, entries the reference does not have, and what the checks find in its texts.
namespace FileCheck {

struct Finding {
    enum Kind { Missing, Surplus, Problem };

    QByteArray section;
    QByteArray key;
    Kind kind = Missing;
    EntryCheck::Problem problem = EntryCheck::Placeholders; // for Problem only
};

// Sections and keys in the reference's order, each name once; then the destination's surplus
// entries in its own order. Texts are checked as the editing page checks them: against the
// source's text, else the reference's.
QList<Finding> check(const IniDocument& reference, const IniDocument& source, const IniDocument& destination);

// A short name of what was found ("missing", "surplus", "placeholders", ...).
QString kindName(const Finding& finding);
// The finding in words, as the window words the problems.
QString message(const Finding& finding);

} // namespace FileCheck
