#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class ComponentList;
class IniDocument;
class QObject;
class WindowRegistry;

// What a language file says about itself in [Main], besides the fonts its windows give.
struct InterfaceLanguageHeader {
    QString languageRealName;
    QString languageHint;
    QString helpFile;
};

// Writes the running program's interface into an interface language file, under the sections
// and keys from which a language is applied again: every window's captions, hints and list
// texts, the default messages, the dialog captions and the [Main] entries; flags go to [Images].
// Texts are stored in the code page of the character set the file announces.
class InterfaceLanguageWriter {
public:
    using OwnerSave = std::function<void(const QString& section, QObject* obj, IniDocument& ini)>;

    // defaultMessages: key and text as registered, in order; each is written under its key.
    InterfaceLanguageWriter(const WindowRegistry& windows, QList<QPair<QString, QString>> defaultMessages);

    // Raised for every component of every window written, before its texts are written.
    void setOwnerSave(OwnerSave ownerSave) { m_ownerSave = std::move(ownerSave); }
    void setCompressIndicator(const QByteArray& indicator) { m_compressIndicator = indicator; }

    // Entries already in the file stay unless they are written anew; an existing compressed file
    // is read as such and written back plain. An empty languageRealName writes the file's base
    // name. Throws FileError; the file is then left as it was.
    void saveLanguage(const QString& path, const InterfaceLanguageHeader& header) const;

    // English.<extension> in folder (ending in a separator), from the texts on screen and the
    // English flags. Never throws: without a writable folder there is simply no English file.
    void createEnglishLanguage(const QString& folder, const QString& extension, const QString& helpFile) const;
    static InterfaceLanguageHeader englishHeader(const QString& helpFile);
    // The flags the program carries (16 colours), as loaded from its resources.
    static QImage englishFlag16();
    static QImage englishFlag32();

    // [Images] Flag16 or Flag32 of the file := bitmap; the rest of the file stays. Throw FileError.
    void saveFlag16(const QImage& bitmap, const QString& path) const;
    void saveFlag32(const QImage& bitmap, const QString& path) const;

    // Parts of saveLanguage, into a document the caller writes back; codePage is the file's.
    void writeDefaultMessages(IniDocument& ini, int codePage) const;
    static void writeDialogCaptions(IniDocument& ini, int codePage);
    void writeFormTexts(const ComponentList& window, IniDocument& ini, const QString& helpFile, int codePage) const;

private:
    IniDocument openForRewrite(const QString& path) const;
    void saveFlag(const QImage& bitmap, const QString& path, const QByteArray& key) const;
    QList<ComponentList*> windowsToWrite() const;

    const WindowRegistry& m_windows;
    QList<QPair<QString, QString>> m_defaultMessages;
    OwnerSave m_ownerSave;
    QByteArray m_compressIndicator = "TVC";
};
