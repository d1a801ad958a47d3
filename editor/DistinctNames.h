#pragma once

#include "AnsiCase.h"
#include "IniDocument.h"

#include <QByteArrayView>
#include <QList>

#include <unordered_set>

// Names seen once each, compared as look-up compares them (ANSI case-insensitive).
struct NameHash {
    size_t operator()(QByteArrayView name) const { return AnsiCase::hash(name.data(), size_t(name.size())); }
};

struct NameEqual {
    bool operator()(QByteArrayView a, QByteArrayView b) const {
        return AnsiCase::equal(a.data(), size_t(a.size()), b.data(), size_t(b.size()));
    }
};

using NameSet = std::unordered_set<QByteArrayView, NameHash, NameEqual>;

// The section names of a document in its order, each once (the first spelling met).
inline QList<QByteArrayView> distinctSections(const IniDocument& document) {
    QList<QByteArrayView> names;
    NameSet seen;
    for (const IniDocument::SectionRef section : document.sectionRefs()) {
        const QByteArrayView name = document.sectionName(section);
        if (seen.insert(name).second) {
            names.append(name);
        }
    }
    return names;
}
