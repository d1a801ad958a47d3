#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// Conversion between a file's 8-bit bytes and display text, by Windows code page
// number, through iconv. The system ANSI code page is Windows-1252.
namespace CodePage {

constexpr int Ansi = 1252;

// FontCharset (low byte) to code page: 0 and 1 give the ANSI code page.
int forCharset(int fontCharset);

// Every byte decodes to one character; undefined bytes map to U+0000..U+00FF of the same value
// (in a multi-byte code page, a byte outside any valid sequence maps to U+DC00 + its value), so
// that encoding the text gives the bytes back.
QString decode(const QByteArray& bytes, int codePage);

// nullopt when the code page cannot hold some character of the text (never "?").
std::optional<QByteArray> encode(const QString& text, int codePage);

// Upper-casing of single bytes in the ANSI code page, used for case-insensitive
// matching of section names and keys.
const std::array<unsigned char, 256>& ansiUpperTable();

} // namespace CodePage
