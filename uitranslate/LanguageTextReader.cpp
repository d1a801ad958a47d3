#include "LanguageTextReader.h"

#include "CodePage.h"
#include "IniDocument.h"
#include "LanguageKeys.h"
#include "ValueEscapes.h"

namespace {

QByteArray nameBytes(const QString& name) {
    // Component and section names are plain ASCII identifiers.
    return name.toLatin1();
}

} // namespace

LanguageTextReader::LanguageTextReader(const IniDocument& document)
    : m_document(document), m_codePage(CodePage::forCharset(document.readInteger(
                                LanguageKeys::Main, LanguageKeys::FontCharset, LanguageKeys::DefaultFontCharset))) {}

std::optional<QString> LanguageTextReader::decoded(const QString& section, const QString& key, bool unescape) const {
    const QByteArrayView value = m_document.valueView(m_document.findSection(nameBytes(section)), nameBytes(key));
    if (value.isNull()) {
        return std::nullopt;
    }
    QByteArray bytes = value.toByteArray();
    if (unescape) {
        UnescapeLanguageValue(bytes);
    }
    return CodePage::decode(bytes, m_codePage);
}

std::optional<QString> LanguageTextReader::plain(const QString& section, const QString& key) const {
    return decoded(section, key, false);
}

std::optional<QString> LanguageTextReader::escaped(const QString& section, const QString& key) const {
    return decoded(section, key, true);
}

QString LanguageTextReader::plain(const QString& section, const QString& key, const QString& fallback) const {
    return plain(section, key).value_or(fallback);
}

TBiDiMode LanguageTextReader::bidiModeOf(const QString& value) {
    const QString mode = value.toUpper();
    if (mode == QLatin1String("RL")) {
        return TBiDiMode::bdRightToLeft;
    }
    if (mode == QLatin1String("RLNA")) {
        return TBiDiMode::bdRightToLeftNoAlign;
    }
    if (mode == QLatin1String("RLRO")) {
        return TBiDiMode::bdRightToLeftReadingOnly;
    }
    return TBiDiMode::bdLeftToRight;
}

TBiDiMode LanguageTextReader::ReadBiDiMode() const {
    return bidiModeOf(plain(LanguageKeys::Main, LanguageKeys::BiDiMode, LanguageKeys::DefaultBiDiMode));
}

TFontSettings LanguageTextReader::fontSettings() const {
    TFontSettings font;
    font.Name = plain(LanguageKeys::Main, LanguageKeys::FontName, LanguageKeys::DefaultFontName);
    font.Size = m_document.readInteger(LanguageKeys::Main, LanguageKeys::FontSize, LanguageKeys::DefaultFontSize);
    font.Charset = static_cast<unsigned char>(
        m_document.readInteger(LanguageKeys::Main, LanguageKeys::FontCharset, LanguageKeys::DefaultFontCharset) & 0xFF);
    font.BiDiMode = ReadBiDiMode();
    return font;
}
