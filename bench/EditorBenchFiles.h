#pragma once

#include <QString>

// Deterministic projects for the editing-page benchmarks, written once per run into a
// temporary folder: three languages of about 5 MB sharing one section of 10,000 entries, and
// a folder of 40 languages of about 1 MB, each with a small flag.
namespace EditorBenchFiles {

constexpr int BigSectionEntries = 10000;
constexpr char BigSection[] = "BigSection";

// The folder of English (reference), French (source) and German (destination), extension "lng".
QString editingFolder();
// The folder of 40 languages, extension "lng".
QString discoveryFolder();

} // namespace EditorBenchFiles
