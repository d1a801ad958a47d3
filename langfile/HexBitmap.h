#pragma once

#include <QByteArray>

class IniDocument;
class QImage;

// Two upper-case hex digits, high digit first.
QByteArray ByteToHex(unsigned char byte);
// Exactly two characters give a byte (non-digits count as 0); any other length gives 0.
unsigned char HexToByte(const QByteArray& text);

// Decodes the hex BMP value into bitmap. A missing or empty value gives a blank (white)
// 16 x 16 image for the key "Flag16" exactly, 32 x 32 otherwise; a damaged value gives a
// blank image too. Never throws.
void ReadFlagBitmap(const IniDocument& document, const QByteArray& section, const QByteArray& key, QImage& bitmap);
// Stores bitmap as the hex text of its BMP file; the caller writes the document back.
void WriteFlagBitmap(IniDocument& document, const QByteArray& section, const QByteArray& key, const QImage& bitmap);
