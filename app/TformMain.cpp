#include "TformMain.h"

#include "ActionList.h"
#include "AppPaths.h"
#include "DialogComponent.h"
#include "EditPage.h"
#include "FlagStore.h"
#include "ImageList.h"
#include "LanguageKeys.h"
#include "MainMenuGui.h"
#include "MessageTable.h"
#include "OpenPage.h"
#include "PageContext.h"
#include "ProgramSettings.h"
#include "QtDialogs.h"
#include "RulesPage.h"
#include "SorterPage.h"
#include "SpecialPage.h"
#include "TextUtils.h"
#include "TformSearch.h"
#include "TnvTranslator.h"
#include "WindowRegistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

namespace {

constexpr int hintDisplayTime = 60000;

std::unique_ptr<Dialogs> orQtDialogs(std::unique_ptr<Dialogs> dialogs) {
    return dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>();
}

} // namespace

TformMain::TformMain(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(orQtDialogs(std::move(dialogs))), m_guard(*m_dialogs), m_store(m_hive),
      m_components(*this) {
    if (auto* qtDialogs = dynamic_cast<QtDialogs*>(m_dialogs.get())) {
        qtDialogs->setWindow(this);
    }
    setObjectName(QStringLiteral("formMain"));
    setWindowTitle(QStringLiteral("Tolvane (1.1f)"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    WindowRegistry::application().add(m_components);
    createComponents();
    connectHandlers();
    resize(617, 440);
    centreOnScreen();
    FormCreate();
}

TformMain::~TformMain() {
    FormDestroy();
    WindowRegistry::application().remove(m_components);
}

void TformMain::createComponents() {
    m_menus = std::make_unique<MainMenuGui>(*this, m_components);
    m_ilFlags16 = m_components.add(new ImageList(QStringLiteral("ilFlags16"), QSize(16, 16), this));
    m_ilMain = m_components.add(new ImageList(QStringLiteral("ilMain"), QSize(16, 16), this));
    m_odDir =
        m_components.add(new DialogComponent(QStringLiteral("odDir"), DialogComponent::Kind::FolderBrowser, this));
    m_odFlag = m_components.add(new DialogComponent(QStringLiteral("odFlag"), DialogComponent::Kind::OpenFile, this));
    m_odFlag->filter = QStringLiteral("Bitmaps (*.bmp)");
    m_odFlag->hideReadOnly = true;
    m_odFlag->mustExist = true;
    m_odFlag->resizable = true;
    m_odRuleFile =
        m_components.add(new DialogComponent(QStringLiteral("odRuleFile"), DialogComponent::Kind::OpenFile, this));
    m_odRuleFile->filter = QStringLiteral("Text files (*.txt)");
    m_odRuleFile->defaultExtension = QStringLiteral("txt");

    m_pcMain = m_components.add(new QTabWidget(this));
    m_pcMain->setObjectName(QStringLiteral("pcMain"));
    m_pcMain->tabBar()->hide();
    m_pcMain->setDocumentMode(true);
    // Its focus would go to the hidden tab bar, where Tab stops for good.
    m_pcMain->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(m_pcMain);

    createPages();
}

template <typename Page> Page* TformMain::addPage(const PageContext& context, const QString& caption) {
    auto* page = new Page(context, m_pcMain);
    m_pcMain->addTab(page, caption);
    return page;
}

void TformMain::createPages() {
    const PageContext context{
        m_session, m_store,      *m_dialogs,   m_guard,   [this](int index) { return GetMessageText(index); },
        *m_ilMain, *m_ilFlags16, m_components, m_progress};
    m_openPage = addPage<OpenPage>(context, QStringLiteral("Open project"));
    m_openPage->setProjectActions({m_menus->aProjectRemove, m_menus->aProjectRename, m_menus->aProjectApplyRules},
                                  m_menus->pmProject);
    m_editPage = addPage<EditPage>(context, QStringLiteral("Edit"));
    m_editPage->setEditPopupMenu(m_menus->pmEdit);
    m_editPage->setSaveAction(m_menus->aSaveLanguageEntry);
    m_editPage->setNextUntranslatedAction(m_menus->aNextUntranslatedEntry);
    m_specialPage = addPage<SpecialPage>(context, QStringLiteral("Edit Special"));
    m_specialPage->setSaveAction(m_menus->aSaveSpecialEntry);
    m_sorterPage = addPage<SorterPage>(context, QStringLiteral("Sorter"));
    m_rulesPage = addPage<RulesPage>(context, QStringLiteral("Apply rules"));
    m_rulesPage->setRuleFileDialog(*m_odRuleFile);
}

void TformMain::connectHandlers() {
    const auto on = [this](QAction* action, void (TformMain::*handler)()) {
        connect(action, &QAction::triggered, this, m_guard.handler(this, handler));
    };
    const MainMenuGui& m = *m_menus;
    on(m.miFileOpen, &TformMain::miFileOpenClick);
    on(m.miFileExit, &TformMain::miFileExitClick);
    on(m.miProjectAddTolvane, &TformMain::miProjectAddTolvaneClick);
    on(m.miProjectAddCorvina, &TformMain::miProjectAddCorvinaClick);
    on(m.miProjectAddMirabel, &TformMain::miProjectAddMirabelClick);
    on(m.miProjectAddWardlock, &TformMain::miProjectAddWardlockClick);
    on(m.miProjectAddFileCustom, &TformMain::miProjectAddFileCustomClick);
    on(m.miProjectSort, &TformMain::miProjectSortClick);
    on(m.aProjectAdd, &TformMain::aProjectAddExecute);
    on(m.aProjectRemove, &TformMain::aProjectRemoveExecute);
    on(m.aProjectRename, &TformMain::aProjectRenameExecute);
    on(m.aSaveLanguageEntry, &TformMain::aSaveLanguageEntryExecute);
    on(m.aSaveSpecialEntry, &TformMain::aSaveSpecialEntryExecute);
    on(m.aProjectApplyRules, &TformMain::aProjectApplyRulesExecute);
    on(m.aNextUntranslatedEntry, &TformMain::aNextUntranslatedEntryExecute);
    on(m.pmiSearchForText, &TformMain::pmiSearchForTextClick);
    on(m.pmiAddBitmapSmall, &TformMain::pmiAddBitmapSmallClick);
    on(m.pmiAddBitmapLarge, &TformMain::pmiAddBitmapLargeClick);
    // The page's buttons come here through these signals, inside the page's own handler guard.
    connect(m_openPage, &OpenPage::editLanguageRequested, this, &TformMain::bnEditLngClick);
    connect(m_openPage, &OpenPage::editSpecialRequested, this, &TformMain::bnEditSpecialClick);
    connect(m_openPage, &OpenPage::sortPageRequested, this, &TformMain::bnSortPageClick);
}

void TformMain::centreOnScreen() {
    if (const QScreen* screen = this->screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

QWidget* TformMain::tsOpen() const {
    return m_openPage;
}

QWidget* TformMain::tsEdit() const {
    return m_editPage;
}

QWidget* TformMain::tsNfo() const {
    return m_specialPage;
}

QWidget* TformMain::tsSorter() const {
    return m_sorterPage;
}

QWidget* TformMain::tsRules() const {
    return m_rulesPage;
}

void TformMain::showPage(QWidget* page) {
    m_pcMain->setCurrentWidget(page);
    if (page == m_openPage) {
        tsOpenEnter();
    } else if (page == m_editPage || page == m_specialPage) {
        m_menus->miProject->setVisible(false);
    }
}

QString TformMain::GetMessageText(int index) const {
    if (!m_translator) {
        return QString();
    }
    return UnescapeLineBreaks(m_translator->LookupMessage(MessageTable::key(index)));
}

void TformMain::FormCreate() {
    m_translator = std::make_unique<TnvTranslator>();
    m_translator->SetRegistryLocation(&m_hive, ProgramSettings::key, ProgramSettings::valueLanguage);
    m_translator->SetLanguageFolder(AppPaths::executableFolder() + QStringLiteral("Languages") + QDir::separator(),
                                    QStringLiteral("tvl"));
    InterfaceMessages::Pairs messages;
    for (int index = 0; index < MessageTable::count(); ++index) {
        messages.append({MessageTable::key(index), MessageTable::defaultText(index)});
    }
    m_translator->SetDefaultMessages(messages);
    m_translator->setDisplayMenuItem(m_menus->miLanguages);
}

void TformMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        m_guard.run([this] { FormShow(); });
    }
}

void TformMain::FormShow() {
    m_translator->CreateEnglishLanguage();
    m_translator->ScanLanguages(false);
    m_translator->LoadStoredLanguage(false);
    for (QObject* component : m_components.all()) {
        if (auto* widget = qobject_cast<QWidget*>(component)) {
            widget->setToolTipDuration(hintDisplayTime);
        }
    }
    m_openPage->LoadProjectList();
    m_session.setProjectName(QString());
    m_session.editing().currentSection.clear();
    m_odRuleFile->initialFolder = AppPaths::executableFolder();
    showPage(m_openPage);
    // A damaged hive was read as far as it could be; say so once, with where the copy was kept.
    const QString hiveNotice = m_hive.damageNotice();
    if (!hiveNotice.isEmpty()) {
        m_dialogs->showError(hiveNotice);
    }
}

void TformMain::closeEvent(QCloseEvent* event) {
    if (!m_leavingByExit) {
        m_guard.run([this] { FormClose(); });
    }
    event->accept();
}

void TformMain::FormClose() {
    if (m_hive.createKey(ProgramSettings::key)) {
        m_hive.writeString(ProgramSettings::key, ProgramSettings::valueAppPath, AppPaths::executableFolder());
    }
}

void TformMain::FormDestroy() {
    m_translator.reset();
}

void TformMain::tsOpenEnter() {
    m_menus->miProject->setVisible(true);
}

void TformMain::miFileOpenClick() {
    showPage(m_openPage);
}

void TformMain::miFileExitClick() {
    // Leaving by the menu ends the event loop without closing the window, so nothing is saved.
    m_leavingByExit = true;
    QCoreApplication::exit(0);
}

void TformMain::addPreset(ProjectPresets::Product product) {
    m_openPage->AddLanguagesProject(ProjectPresets::preset(product));
}

void TformMain::miProjectAddTolvaneClick() {
    addPreset(ProjectPresets::Product::Tolvane);
}

void TformMain::miProjectAddCorvinaClick() {
    addPreset(ProjectPresets::Product::Corvina);
}

void TformMain::miProjectAddMirabelClick() {
    addPreset(ProjectPresets::Product::Mirabel);
}

void TformMain::miProjectAddWardlockClick() {
    addPreset(ProjectPresets::Product::Wardlock);
}

void TformMain::miProjectAddFileCustomClick() {
    addPreset(ProjectPresets::Product::Custom);
}

void TformMain::aProjectAddExecute() {
    addPreset(ProjectPresets::Product::AddProject);
}

void TformMain::aProjectRemoveExecute() {
    m_openPage->aProjectRemoveExecute();
}

void TformMain::aProjectRenameExecute() {
    m_openPage->aProjectRenameExecute();
}

// The editing page's popup commands belong to a page that is still to come; the window already
// routes their menu items and shortcuts.
void TformMain::miProjectSortClick() {
    m_sorterPage->sortDestination(*m_openPage);
}

void TformMain::aSaveLanguageEntryExecute() {
    m_editPage->aSaveLanguageEntryExecute();
}

void TformMain::aSaveSpecialEntryExecute() {
    m_specialPage->aSaveSpecialEntryExecute();
}

void TformMain::aNextUntranslatedEntryExecute() {
    m_editPage->aNextUntranslatedEntryExecute();
}

void TformMain::aProjectApplyRulesExecute() {
    m_rulesPage->aProjectApplyRulesExecute();
    showPage(m_rulesPage);
}

void TformMain::setSearchWindow(TformSearch* search) {
    if (m_formSearch) {
        disconnect(m_formSearch, nullptr, this, nullptr);
    }
    m_formSearch = search;
    if (search) {
        search->setEditing(m_session.editing(), m_guard);
        connect(search, &TformSearch::entryChosen, this, [this](const QByteArray& section, const QByteArray& key) {
            m_guard.run([this, &section, &key] { m_editPage->openEntry(section, key); });
        });
    }
}

void TformMain::pmiSearchForTextClick() {
    if (m_formSearch) {
        m_formSearch->show();
        m_formSearch->raise();
        m_formSearch->activateWindow();
    }
}

void TformMain::pmiAddBitmapSmallClick() {
    addFlagBitmap(LanguageKeys::Flag16);
}

void TformMain::pmiAddBitmapLargeClick() {
    addFlagBitmap(LanguageKeys::Flag32);
}

void TformMain::addFlagBitmap(const QByteArray& key) {
    const std::optional<QString> bitmap = m_dialogs->openFile(*m_odFlag);
    if (!bitmap) {
        return;
    }
    const QString destination = m_session.editing().name(EditingState::Destination);
    // Without a name the target would be a file called only by the extension.
    if (destination.isEmpty()) {
        m_guard.showError(GetMessageText(MessageTable::WarningDestLanguage));
        return;
    }
    const FlagStore::Result result =
        FlagStore::storeFlag(*bitmap, m_session.languageFolder().filePath(destination), key);
    if (!result.stored) {
        m_guard.showError(result.error);
    }
}

void TformMain::bnEditLngClick() {
    if (m_session.languagesChosen() && m_editPage->bnEditLng(m_session.editRequest())) {
        showPage(m_editPage);
    }
}

void TformMain::bnEditSpecialClick() {
    if (m_session.languagesChosen() && m_specialPage->bnEditSpecial()) {
        showPage(m_specialPage);
    }
}

void TformMain::bnSortPageClick() {
    m_sorterPage->fillList();
    showPage(m_sorterPage);
}
