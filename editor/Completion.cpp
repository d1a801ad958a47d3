#include "Completion.h"

#include "DistinctNames.h"
#include "IniDocument.h"
#include "SectionEntries.h"

Completion& Completion::operator+=(const Completion& other) {
    present += other.present;
    total += other.total;
    equalSource += other.equalSource;
    return *this;
}

bool Completion::operator==(const Completion& other) const {
    return present == other.present && total == other.total && equalSource == other.equalSource;
}

namespace {

// The value of key in a section, null when the section lacks it. A line without "=" counts as
// the empty key, which look-up does not find; it holds no value, so it reads as empty.
QByteArrayView lookUp(const IniDocument& document, IniDocument::SectionRef section, QByteArrayView key) {
    if (!key.isEmpty()) {
        return document.valueView(section, key);
    }
    const bool held = section.isValid() && SectionEntries(document, document.sectionName(section)).contains(key);
    return held ? QByteArrayView("", 0) : QByteArrayView();
}

} // namespace

Completion Completion::ofSection(const IniDocument& reference, const IniDocument& source,
                                 const IniDocument& destination, QByteArrayView section) {
    Completion completion;
    const IniDocument::SectionRef inReference = reference.findSection(section);
    const QList<IniDocument::LineView> lines = reference.lineViews(inReference);
    if (lines.isEmpty()) {
        return completion;
    }
    const IniDocument::SectionRef inSource = source.findSection(section);
    const IniDocument::SectionRef inDestination = destination.findSection(section);
    // Keys written twice are rare; only then are the keys seen remembered.
    const bool repeats = reference.distinctKeyCount(inReference) != lines.size();
    NameSet seen;
    for (const IniDocument::LineView& line : lines) {
        if (repeats && !seen.insert(line.key).second) {
            continue;
        }
        ++completion.total;
        const QByteArrayView translated = lookUp(destination, inDestination, line.key);
        if (translated.isNull()) {
            continue;
        }
        ++completion.present;
        const QByteArrayView original = lookUp(source, inSource, line.key);
        if (!original.isNull() && original == translated) {
            ++completion.equalSource;
        }
    }
    return completion;
}

Completion Completion::ofFile(const IniDocument& reference, const IniDocument& source, const IniDocument& destination) {
    Completion completion;
    for (const QByteArrayView name : distinctSections(reference)) {
        completion += ofSection(reference, source, destination, name);
    }
    return completion;
}
