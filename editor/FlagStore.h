#pragma once

#include <QByteArray>
#include <QString>

// Storing a flag picture from a BMP file into a language file's section Images.
namespace FlagStore {

constexpr char InvalidBitmap[] = "Bitmap image is not valid";

struct Result {
    bool stored = false;
    QString error; // why nothing was stored
};

// Sets key (Flag16 or Flag32) of section Images in languageFile to the picture of bitmapFile,
// as loaded (neither checked against the key nor scaled), and rewrites the language file
// safely; a missing language file is created. Nothing is written on any error.
Result storeFlag(const QString& bitmapFile, const QString& languageFile, const QByteArray& key);

} // namespace FlagStore
