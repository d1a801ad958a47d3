#pragma once

#include "SpecialKeys.h"

#include <QString>

#include <array>

// The working copy of one catalogue entry: its twelve texts in the key table's order.
struct SpecialEntryFields {
    std::array<QString, SpecialKeys::FieldCount> texts;

    QString& operator[](SpecialKeys::Field field) { return texts[field]; }
    const QString& operator[](SpecialKeys::Field field) const { return texts[field]; }
    bool operator==(const SpecialEntryFields& other) const { return texts == other.texts; }

    // Empties the nine editable texts; the internal values stay until the next entry is shown.
    void clearEditable() {
        for (int field = 0; field < SpecialKeys::FieldCount; ++field) {
            if (!SpecialKeys::isInternal(SpecialKeys::Field(field))) {
                texts[field].clear();
            }
        }
    }
};
