#pragma once

#include "SpecialEntryFields.h"

#include <QByteArrayView>
#include <QString>

class IniDocument;
class SpecialFiles;

// The twelve texts of an entry as its category's files show them.
namespace SpecialEntryLayers {

// Reference, then source, then destination: each layer sets the fields whose keys the entry's
// section holds (a key with an empty value empties its field); fields no layer has stay empty.
// Values are decoded in codePage.
SpecialEntryFields layer(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                         QByteArrayView entry, int codePage);

// The layers read from disk, a missing file giving an empty layer. The base file stands in for a
// missing source file and for a missing reference file; with neither a source nor a base file the
// reference and destination still show, so no earlier entry's texts linger. Throws FileError for a
// file that exists but cannot be read.
SpecialEntryFields show(const SpecialFiles& files, const QString& category, QByteArrayView entry);

} // namespace SpecialEntryLayers
