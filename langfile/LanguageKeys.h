#pragma once

// Sections and keys with a fixed meaning in every language file.
namespace LanguageKeys {

constexpr char Main[] = "Main";
constexpr char LanguageName[] = "LanguageName";
constexpr char Use[] = "Use";
constexpr char FontName[] = "FontName";
constexpr char FontSize[] = "FontSize";
constexpr char FontCharset[] = "FontCharset";
constexpr char HelpFile[] = "HelpFile";
constexpr char BiDiMode[] = "BiDiMode";

constexpr char Images[] = "Images";
constexpr char Flag16[] = "Flag16";
constexpr char Flag32[] = "Flag32";

constexpr char DefaultFontName[] = "MS Sans Serif";
constexpr int DefaultFontSize = 8;
constexpr int DefaultFontCharset = 0;
constexpr char DefaultHelpFile[] = "Help\\English.chm";
constexpr char DefaultBiDiMode[] = "LR";

} // namespace LanguageKeys
