#pragma once

#include <array>

// The keys of a catalogue entry, in the order in which they are shown and saved.
namespace SpecialKeys {

enum Field : int {
    Company,
    Product,
    Threat,
    CompanyURL,
    CompanyProductURL,
    CompanyPrivacyURL,
    Functionality,
    Privacy,
    Description,
    EditDate,
    XBlockID,
    MarwickID,
    FieldCount
};

inline constexpr std::array<const char*, FieldCount> names = {
    "Company",       "Product", "Threat",      "CompanyURL", "CompanyProductURL", "CompanyPrivacyURL",
    "Functionality", "Privacy", "Description", "EditDate",   "XBlockID",          "MarwickID"};

// The internal values are shown read-only and saved back as they were shown.
constexpr bool isInternal(Field field) {
    return field >= EditDate;
}

} // namespace SpecialKeys
