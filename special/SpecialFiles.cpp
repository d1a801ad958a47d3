#include "SpecialFiles.h"

#include "IniDocument.h"
#include "LanguageKeys.h"

#include <QFileInfo>

#include <utility>

SpecialFiles::SpecialFiles(QString specialPath, QString extension, SpecialLanguages languages, int codePage)
    : m_specialPath(std::move(specialPath)), m_extension(std::move(extension)), m_languages(std::move(languages)),
      m_codePage(codePage) {}

QString SpecialFiles::baseFile(const QString& category) const {
    return m_specialPath + category + QLatin1Char('.') + m_extension;
}

QString SpecialFiles::languageFile(const QString& category, const QString& language) const {
    return m_specialPath + category + QLatin1Char('.') + language + QLatin1Char('.') + m_extension;
}

QString SpecialFiles::destinationFile(const QString& category) const {
    return languageFile(category, m_languages.destination);
}

QString SpecialFiles::sourceFile(const QString& category) const {
    return languageFile(category, m_languages.source);
}

QString SpecialFiles::referenceFile(const QString& category) const {
    return languageFile(category, m_languages.reference);
}

QString SpecialFiles::orBase(const QString& category, const QString& language) const {
    const QString file = languageFile(category, language);
    return exists(file) ? file : baseFile(category);
}

QString SpecialFiles::sourceOrBase(const QString& category) const {
    return orBase(category, m_languages.source);
}

QString SpecialFiles::referenceOrBase(const QString& category) const {
    return orBase(category, m_languages.reference);
}

QString SpecialFiles::listingFolder() const {
    return m_specialPath.left(m_specialPath.lastIndexOf(QLatin1Char('/')) + 1);
}

QString SpecialFiles::listingPattern() const {
    return m_specialPath.mid(listingFolder().size()) + QLatin1String("*.") + m_extension;
}

bool SpecialFiles::exists(const QString& fileName) {
    return QFileInfo(fileName).isFile();
}

IniDocument SpecialFiles::read(const QString& fileName) {
    return exists(fileName) ? IniDocument(fileName) : IniDocument();
}

int SpecialFiles::codePageOfLanguageFile(const QString& languageFile) {
    const IniDocument document(languageFile);
    return CodePage::forCharset(
        document.readInteger(LanguageKeys::Main, LanguageKeys::FontCharset, LanguageKeys::DefaultFontCharset));
}
