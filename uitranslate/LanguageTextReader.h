#pragma once

#include "TFontSettings.h"

#include <QHash>
#include <QString>

#include <optional>

class IniDocument;

// The texts of one interface language document as the windows show them: looked up by section
// and key without regard to case and decoded with the code page of the file's [Main] FontCharset.
class LanguageTextReader {
public:
    explicit LanguageTextReader(const IniDocument& document);

    const IniDocument& document() const { return m_document; }
    int codePage() const { return m_codePage; }

    // nullopt when the entry is absent; an entry with an empty value gives an empty text.
    std::optional<QString> plain(const QString& section, const QString& key) const;
    // As plain, with the language files' escapes undone.
    std::optional<QString> escaped(const QString& section, const QString& key) const;
    QString plain(const QString& section, const QString& key, const QString& fallback) const;

    // [Main] BiDiMode, "LR" when absent: LR, RL, RLNA, RLRO in any case; anything else is LR.
    TBiDiMode ReadBiDiMode() const;
    // [Main] FontName, FontSize, FontCharset (low byte) and the reading order, with the design's
    // defaults for what is absent or not a whole number.
    TFontSettings fontSettings() const;

    static TBiDiMode bidiModeOf(const QString& value);

private:
    std::optional<QString> decoded(const QString& section, const QString& key, bool unescape) const;

    const IniDocument& m_document;
    int m_codePage;
};
