#pragma once

#include <QByteArrayView>

class IniDocument;

// How far a destination is: of the reference's entries (distinct keys), how many it has, and
// how many of those still read as the source does.
struct Completion {
    int present = 0;
    int total = 0;
    int equalSource = 0;

    Completion& operator+=(const Completion& other);
    bool operator==(const Completion& other) const;
    bool operator!=(const Completion& other) const { return !(*this == other); }

    // One section; a section the reference lacks has nothing to translate.
    static Completion ofSection(const IniDocument& reference, const IniDocument& source, const IniDocument& destination,
                                QByteArrayView section);
    // Every section of the reference, each name once.
    static Completion ofFile(const IniDocument& reference, const IniDocument& source, const IniDocument& destination);
};
