#pragma once

#include <QByteArray>
#include <QString>

// Deterministic language files of a given size for the benchmarks, written once per run
// into a temporary folder, plain and in the compressed container ("TVC1" + zlib).
class LanguageFileGenerator {
public:
    enum class Shape {
        Forms, // sections of 20 to 60 form texts, lines of about 50 bytes
        Dense  // sections of 100 to 400 short keys, lines of 15 to 25 bytes
    };

    // Text of about targetSize bytes: many sections, Windows-1252 bytes, escaped multi-line
    // values, comments, blanks around "=", a few duplicate keys and sections, CR LF.
    static QByteArray generate(qsizetype targetSize);
    static QByteArray generateDense(qsizetype targetSize);

    // Paths of the generated files of that size; made on first request.
    static QString plainFile(qsizetype targetSize, Shape shape = Shape::Forms);
    static QString compressedFile(qsizetype targetSize);
    static QString folder();
};
