#include "TnvTranslator.h"

#include "ComponentList.h"
#include "CompressedContainer.h"
#include "DialogCaptionLoader.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "LanguageCatalogue.h"
#include "LanguageDisplays.h"
#include "LanguageKeys.h"
#include "LanguageLoadLock.h"
#include "LanguageTextReader.h"
#include "TLanguageListItem.h"
#include "WindowRegistry.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QTreeWidget>

#include <exception>
#include <optional>

TnvTranslator::TnvTranslator(QObject* owner)
    : QObject(owner), m_compressIndicator("TVC"), m_image16List(QStringLiteral("Image16List"), QSize(16, 16)),
      m_helpFile(QString::fromLatin1(LanguageKeys::DefaultHelpFile)),
      m_image32List(QStringLiteral("Image32List"), QSize(32, 32)) {}

TnvTranslator::~TnvTranslator() = default;

void TnvTranslator::SetLanguageFolder(const QString& path, const QString& extension) {
    m_filePath = path;
    m_fileExtension = extension;
}

void TnvTranslator::SetRegistryLocation(RegistryHive* root, const QString& key, const QString& value) {
    m_choice = LanguageChoice(root, key, value);
}

QString TnvTranslator::ReadLanguageChoice() const {
    return m_choice.read();
}

void TnvTranslator::StoreLanguageChoice(const QString& languageName) const {
    m_choice.store(languageName);
}

void TnvTranslator::ScanLanguages(bool takeLock) {
    try {
        LanguageCatalogue::scan(m_filePath, m_fileExtension, m_compressIndicator, takeLock,
                                {m_languages, m_image16List, m_image32List});
    } catch (const std::exception&) {
        // A folder that cannot be listed leaves the catalogue as far as it came.
    }
    RefreshLanguageMenu();
    RefreshLanguageListView();
}

void TnvTranslator::LoadStoredLanguage(bool takeLock) {
    LoadLanguage(m_filePath + ReadLanguageChoice() + QLatin1Char('.') + m_fileExtension, takeLock);
}

void TnvTranslator::LoadLanguage(const QString& fileName, bool takeLock) {
    if (!QFileInfo(fileName).isFile()) {
        return;
    }
    std::optional<LanguageLoadLock> lock;
    if (takeLock) {
        lock.emplace().acquire();
    }
    IniDocument document;
    try {
        LoadLanguageDocument(document, fileName, m_compressIndicator);
    } catch (const std::exception&) {
        // An unreadable file applies as an empty one.
    }
    try {
        applyDocument(fileName, document);
    } catch (const std::exception&) {
        // The translator never stops the program; what was applied stays.
    }
    if (OnApplicationLoadCompleted) {
        OnApplicationLoadCompleted();
    }
}

void TnvTranslator::applyDocument(const QString& fileName, const IniDocument& document) {
    const LanguageTextReader texts(document);
    LoadDialogCaptions(texts);
    m_languageName = QFileInfo(fileName).completeBaseName();
    m_languageRealName = texts.plain(LanguageKeys::Main, LanguageKeys::LanguageName, QString());
    m_languageHint = texts.plain(LanguageKeys::Main, LanguageKeys::Use, QString());
    m_helpFile =
        texts.plain(LanguageKeys::Main, LanguageKeys::HelpFile, QString::fromLatin1(LanguageKeys::DefaultHelpFile));
    m_applicationHelpFile =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator() + m_helpFile;
    QGuiApplication::setLayoutDirection(isRightToLeft(texts.ReadBiDiMode()) ? Qt::RightToLeft : Qt::LeftToRight);
    m_messages.load(texts);
    ReadFlagBitmap(document, LanguageKeys::Images, LanguageKeys::Flag16, m_flag16);
    ReadFlagBitmap(document, LanguageKeys::Images, LanguageKeys::Flag32, m_flag32);
    for (ComponentList* window : WindowRegistry::application().windows()) {
        ApplyToForm(*window, document);
    }
}

void TnvTranslator::ApplyToForm(ComponentList& window, const IniDocument& document) {
    const LanguageTextReader texts(document);
    m_loadedFont = FormTranslation(texts, OnOwnerLoad).ApplyToForm(window);
}

void TnvTranslator::SetDefaultMessages(const InterfaceMessages::Pairs& pairs) {
    m_messages.setDefaults(pairs);
}

QString TnvTranslator::LookupMessage(const QString& key) const {
    return m_messages.lookup(key);
}

void TnvTranslator::setDisplayMenuItem(QAction* item) {
    m_displayMenuItem = item;
    RefreshLanguageMenu();
}

void TnvTranslator::setDisplayListView(QTreeWidget* view) {
    m_displayListView = view;
    RefreshLanguageListView();
}

InterfaceLanguageWriter TnvTranslator::writer() const {
    InterfaceLanguageWriter writer(WindowRegistry::application(), m_messages.defaults());
    writer.setCompressIndicator(m_compressIndicator);
    if (OnOwnerSave) {
        writer.setOwnerSave(OnOwnerSave);
    }
    return writer;
}

void TnvTranslator::CreateEnglishLanguage() {
    m_languageHint = QStringLiteral("Use english language");
    m_languageRealName = QStringLiteral("English");
    m_languageName = QStringLiteral("English");
    writer().createEnglishLanguage(m_filePath, m_fileExtension, m_helpFile);
    m_image16List.clear();
    m_image16List.addMasked(InterfaceLanguageWriter::englishFlag16());
    m_image32List.clear();
    m_image32List.addMasked(InterfaceLanguageWriter::englishFlag32());
}

void TnvTranslator::SaveLanguage(const QString& fileName) const {
    writer().saveLanguage(fileName, {m_languageRealName, m_languageHint, m_helpFile});
}

void TnvTranslator::SaveFlag16(const QImage& bitmap, const QString& fileName) const {
    writer().saveFlag16(bitmap, fileName);
}

void TnvTranslator::SaveFlag32(const QImage& bitmap, const QString& fileName) const {
    writer().saveFlag32(bitmap, fileName);
}

void TnvTranslator::RefreshLanguageMenu() {
    QMenu* menu = m_displayMenuItem ? m_displayMenuItem->menu() : nullptr;
    if (menu == nullptr) {
        return;
    }
    LanguageDisplays::fillMenu(*menu, m_languages, m_image16List);
    for (QAction* entry : menu->actions()) {
        connect(entry, &QAction::triggered, this, &TnvTranslator::MenuItemClick);
    }
}

void TnvTranslator::RefreshLanguageListView() {
    if (!m_displayListView) {
        return;
    }
    connect(m_displayListView, &QTreeWidget::itemClicked, this, &TnvTranslator::ListViewClick, Qt::UniqueConnection);
    LanguageDisplays::fillListView(*m_displayListView, m_languages, m_image16List);
}

void TnvTranslator::MenuItemClick() {
    if (auto* item = qobject_cast<QAction*>(sender())) {
        pick(item->toolTip());
    }
}

void TnvTranslator::ListViewClick() {
    if (!m_displayListView) {
        return;
    }
    const auto* row = dynamic_cast<const TLanguageListItem*>(m_displayListView->currentItem());
    if (row != nullptr && row->isSelected() && row->Language != nullptr) {
        pick(row->Language->LanguageName);
    }
}

void TnvTranslator::pick(const QString& languageName) {
    StoreLanguageChoice(languageName);
    LoadLanguage(m_filePath + languageName + QLatin1Char('.') + m_fileExtension, true);
}
