#pragma once

#include "CodePage.h"
#include "IniDocument.h"

#include <QString>

// The three languages whose special files are layered.
struct SpecialLanguages {
    QString reference;
    QString source;
    QString destination;
};

// Where the special files of a project lie and in which code page their texts are read. The special
// path is a plain prefix of file names: it names a folder only when it ends with a separator.
class SpecialFiles {
public:
    SpecialFiles(QString specialPath, QString extension, SpecialLanguages languages, int codePage = CodePage::Ansi);

    const QString& specialPath() const { return m_specialPath; }
    const QString& extension() const { return m_extension; }
    const SpecialLanguages& languages() const { return m_languages; }
    // Special files carry no FontCharset: their texts are read in the destination language's code page.
    int codePage() const { return m_codePage; }

    // Adware.nfo
    QString baseFile(const QString& category) const;
    // Adware.German.nfo
    QString languageFile(const QString& category, const QString& language) const;
    QString destinationFile(const QString& category) const;
    QString sourceFile(const QString& category) const;
    QString referenceFile(const QString& category) const;
    // The language's file, or the category's base file when the language has none.
    QString sourceOrBase(const QString& category) const;
    QString referenceOrBase(const QString& category) const;

    // The categories are the files of listingFolder() that match listingPattern(): the special path
    // up to its last separator, and the rest of it + "*." + extension.
    QString listingFolder() const;
    QString listingPattern() const;

    // A file of that name exists (a folder of that name is no special file).
    static bool exists(const QString& fileName);
    // The file's document when it exists, else an empty one. Throws FileError for a file that
    // exists but cannot be read.
    static IniDocument read(const QString& fileName);
    // The code page of a language file's [Main] FontCharset. Throws FileError for a file that
    // exists but cannot be read; a missing file gives the ANSI code page.
    static int codePageOfLanguageFile(const QString& languageFile);

private:
    QString orBase(const QString& category, const QString& language) const;

    QString m_specialPath;
    QString m_extension;
    SpecialLanguages m_languages;
    int m_codePage;
};
