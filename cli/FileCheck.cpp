#include "FileCheck.h"

#include "DistinctNames.h"
#include "EditingState.h"
#include "IniDocument.h"
#include "MessageTable.h"
#include "SectionEntries.h"

namespace FileCheck {

QList<Finding> check(const IniDocument& reference, const IniDocument& source, const IniDocument& destination) {
    using Role = EditingState::Role;
    const int codePages[3] = {EditingState::codePageOf(reference), EditingState::codePageOf(source),
                              EditingState::codePageOf(destination)};
    QList<Finding> findings;
    for (const QByteArrayView section : distinctSections(reference)) {
        const SectionEntries inReference(reference, section);
        const SectionEntries inSource(source, section);
        const SectionEntries inDestination(destination, section);
        NameSet seen;
        for (const QByteArrayView key : inReference.keys()) {
            if (!seen.insert(key).second) {
                continue;
            }
            if (!inDestination.contains(key)) {
                findings.append({section.toByteArray(), key.toByteArray(), Finding::Missing});
                continue;
            }
            const QByteArrayView sourceValue = inSource.value(key);
            const bool fromSource = !sourceValue.isEmpty();
            const QByteArrayView original = fromSource ? sourceValue : inReference.value(key);
            const QList<EntryCheck::Problem> problems = EntryCheck::storedProblems(
                inDestination.value(key).toByteArray(), codePages[Role::Destination], original.toByteArray(),
                codePages[fromSource ? Role::Source : Role::Reference]);
            for (const EntryCheck::Problem problem : problems) {
                findings.append({section.toByteArray(), key.toByteArray(), Finding::Problem, problem});
            }
        }
    }
    for (const QByteArrayView section : distinctSections(destination)) {
        const SectionEntries inReference(reference, section);
        const SectionEntries inDestination(destination, section);
        NameSet seen;
        for (const QByteArrayView key : inDestination.keys()) {
            if (seen.insert(key).second && !inReference.contains(key)) {
                findings.append({section.toByteArray(), key.toByteArray(), Finding::Surplus});
            }
        }
    }
    return findings;
}

QString kindName(const Finding& finding) {
    switch (finding.kind) {
    case Finding::Missing:
        return QStringLiteral("missing");
    case Finding::Surplus:
        return QStringLiteral("surplus");
    case Finding::Problem:
        break;
    }
    static const char* const problems[] = {"placeholders",   "line-breaks",     "accelerators",
                                           "leading-blanks", "trailing-blanks", "end-punctuation"};
    return QString::fromLatin1(problems[finding.problem]);
}

QString message(const Finding& finding) {
    switch (finding.kind) {
    case Finding::Missing:
        return QStringLiteral("The destination lacks this entry of the reference");
    case Finding::Surplus:
        return QStringLiteral("The reference has no such entry");
    case Finding::Problem:
        break;
    }
    return MessageTable::defaultText(EntryCheck::messageIndex(finding.problem));
}

} // namespace FileCheck
