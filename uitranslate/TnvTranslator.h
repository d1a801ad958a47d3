#pragma once

#include "FormTranslation.h"
#include "ImageList.h"
#include "InterfaceLanguageWriter.h"
#include "InterfaceMessages.h"
#include "LanguageChoice.h"
#include "TFontSettings.h"
#include "TnvLanguageList.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTreeWidget>

#include <functional>

class IniDocument;
class QAction;
class RegistryHive;

// The program's interface translator: the catalogue of interface languages in one folder, the
// remembered choice, applying a language to every window of the program and the language menu.
class TnvTranslator : public QObject {
    Q_OBJECT
public:
    using TOwnerSave = std::function<void(const QString& Section, QObject* Obj, IniDocument& Ini)>;
    using TOwnerLoad = FormTranslation::OwnerLoad;
    using TLoadCompleted = std::function<void()>;

    explicit TnvTranslator(QObject* owner = nullptr);
    ~TnvTranslator() override;

    // [Messages] of the language applied last, as "key=value" lines.
    const QStringList& Messages() const { return m_messages.lines(); }
    const QByteArray& CompressIndicator() const { return m_compressIndicator; }
    void setCompressIndicator(const QByteArray& indicator) { m_compressIndicator = indicator; }
    const QString& LanguageName() const { return m_languageName; }
    void setLanguageName(const QString& name) { m_languageName = name; }
    const QString& LanguageRealName() const { return m_languageRealName; }
    void setLanguageRealName(const QString& name) { m_languageRealName = name; }
    const QString& LanguageHint() const { return m_languageHint; }
    void setLanguageHint(const QString& hint) { m_languageHint = hint; }
    const QString& FileExtension() const { return m_fileExtension; }
    void setFileExtension(const QString& extension) { m_fileExtension = extension; }
    // Ends in the host separator.
    const QString& FilePath() const { return m_filePath; }
    void setFilePath(const QString& path) { m_filePath = path; }
    // Relative to the executable's folder.
    const QString& HelpFile() const { return m_helpFile; }
    void setHelpFile(const QString& file) { m_helpFile = file; }
    // The help file of the language applied last, with the executable's folder in front.
    const QString& ApplicationHelpFile() const { return m_applicationHelpFile; }
    const QImage& Flag16() const { return m_flag16; }
    const QImage& Flag32() const { return m_flag32; }
    ImageList& Image16List() { return m_image16List; }
    ImageList& Image32List() { return m_image32List; }
    const TnvLanguageList& Languages() const { return m_languages; }
    const TFontSettings& LoadedFont() const { return m_loadedFont; }
    // The registered defaults, in order.
    const InterfaceMessages::Pairs& DefaultMessages() const { return m_messages.defaults(); }

    QAction* DisplayMenuItem() const { return m_displayMenuItem; }
    // The item's sub-menu lists the catalogue from now on.
    void setDisplayMenuItem(QAction* item);
    QTreeWidget* DisplayListView() const { return m_displayListView; }
    void setDisplayListView(QTreeWidget* view);

    RegistryHive* RegistryRootKey() const { return m_choice.root(); }
    const QString& RegistryKey() const { return m_choice.key(); }
    const QString& RegistryValue() const { return m_choice.value(); }

    TOwnerSave OnOwnerSave;
    TOwnerLoad OnOwnerLoad;
    TLoadCompleted OnApplicationLoadCompleted;

    void SetLanguageFolder(const QString& path, const QString& extension);
    void SetRegistryLocation(RegistryHive* root, const QString& key, const QString& value);
    void ScanLanguages(bool takeLock);
    QString ReadLanguageChoice() const;
    void StoreLanguageChoice(const QString& languageName) const;

    // Applies the file to every window of the program; a missing file changes nothing.
    void LoadLanguage(const QString& fileName, bool takeLock);
    void LoadStoredLanguage(bool takeLock);
    void ApplyToForm(ComponentList& window, const IniDocument& document);
    void SetDefaultMessages(const InterfaceMessages::Pairs& pairs);
    QString LookupMessage(const QString& key) const;

    // Writes English.<FileExtension> into FilePath from the texts on screen and the program's
    // English flags, which become the only entries of the image lists; never throws.
    void CreateEnglishLanguage();
    // The running interface's texts into the file; throws FileError, the file then unchanged.
    void SaveLanguage(const QString& fileName) const;
    void SaveFlag16(const QImage& bitmap, const QString& fileName) const;
    void SaveFlag32(const QImage& bitmap, const QString& fileName) const;

    void RefreshLanguageMenu();
    void RefreshLanguageListView();

public slots:
    // The language menu's and list view's picks: remember the language, then apply it.
    void MenuItemClick();
    void ListViewClick();

private:
    void pick(const QString& languageName);
    void applyDocument(const QString& fileName, const IniDocument& document);
    InterfaceLanguageWriter writer() const;

    QByteArray m_compressIndicator;
    InterfaceMessages m_messages;
    TnvLanguageList m_languages;
    QImage m_flag16;
    QImage m_flag32;
    ImageList m_image16List;
    QString m_helpFile;
    QString m_applicationHelpFile;
    ImageList m_image32List;
    QString m_languageName;
    QString m_languageRealName;
    QString m_languageHint;
    QString m_fileExtension;
    QString m_filePath;
    QPointer<QAction> m_displayMenuItem;
    QPointer<QTreeWidget> m_displayListView;
    TFontSettings m_loadedFont;
    LanguageChoice m_choice;
};
