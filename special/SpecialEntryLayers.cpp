#include "SpecialEntryLayers.h"

#include "CodePage.h"
#include "IniDocument.h"
#include "SpecialFiles.h"

namespace {

void apply(SpecialEntryFields& fields, const IniDocument& document, QByteArrayView entry, int codePage) {
    const IniDocument::SectionRef section = document.findSection(entry);
    if (!section.isValid()) {
        return;
    }
    for (int field = 0; field < SpecialKeys::FieldCount; ++field) {
        const QByteArrayView value = document.valueView(section, SpecialKeys::names[size_t(field)]);
        if (!value.isNull()) {
            fields.texts[size_t(field)] = CodePage::decode(value.toByteArray(), codePage);
        }
    }
}

} // namespace

namespace SpecialEntryLayers {

SpecialEntryFields layer(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                         QByteArrayView entry, int codePage) {
    SpecialEntryFields fields;
    apply(fields, reference, entry, codePage);
    apply(fields, source, entry, codePage);
    apply(fields, destination, entry, codePage);
    return fields;
}

SpecialEntryFields show(const SpecialFiles& files, const QString& category, QByteArrayView entry) {
    const IniDocument reference = SpecialFiles::read(files.referenceOrBase(category));
    const IniDocument source = SpecialFiles::read(files.sourceOrBase(category));
    const IniDocument destination = SpecialFiles::read(files.destinationFile(category));
    return layer(reference, source, destination, entry, files.codePage());
}

} // namespace SpecialEntryLayers
