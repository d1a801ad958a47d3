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

Completion Completion::ofSection(const IniDocument& reference, const IniDocument& source,
                                 const IniDocument& destination, QByteArrayView section) {
    Completion completion;
    const SectionEntries inReference(reference, section);
    if (inReference.keys().isEmpty()) {
        return completion;
    }
    const SectionEntries inSource(source, section);
    const SectionEntries inDestination(destination, section);
    NameSet seen;
    seen.reserve(size_t(inReference.keys().size()));
    for (const QByteArrayView key : inReference.keys()) {
        if (!seen.insert(key).second) {
            continue;
        }
        ++completion.total;
        if (inDestination.contains(key)) {
            ++completion.present;
            if (inSource.contains(key) && inSource.value(key) == inDestination.value(key)) {
                ++completion.equalSource;
            }
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
