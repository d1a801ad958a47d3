#pragma once

#include <QString>

// The four reading orders a language can ask for; every right-to-left one mirrors the windows.
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

inline bool isRightToLeft(TBiDiMode mode) {
    return mode != TBiDiMode::bdLeftToRight;
}

// Font and reading order of the language applied last.
struct TFontSettings {
    unsigned char Charset = 0;
    QString Name;
    int Size = 0;
    TBiDiMode BiDiMode = TBiDiMode::bdLeftToRight;
};
