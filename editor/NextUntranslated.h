#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

class IniDocument;

// The next entry that the destination lacks, across the sections of the section list.
namespace NextUntranslated {

struct Place {
    int section = -1; // index in the section list
    int row = -1;     // index in that section's value list
};

// Looks after row of section (-1: before the first), then through the following sections,
// wrapping once back round to the starting entry itself. sections are the section list's names
// in order; rows are ordered as the value list orders them (codePages as for it).
std::optional<Place> find(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                          const QList<QByteArray>& sections, Place from, const QList<int>& codePages = {});

} // namespace NextUntranslated
