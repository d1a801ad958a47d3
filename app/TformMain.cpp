#include "TformMain.h"

#include "ActionList.h"
#include "AppPaths.h"
#include "DialogComponent.h"
#include "EditPage.h"
#include "EditRequest.h"
#include "ImageList.h"
#include "MainMenuGui.h"
#include "MessageTable.h"
#include "OpenPage.h"
#include "QtDialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int hintDisplayTime = 60000;

std::unique_ptr<Dialogs> orQtDialogs(std::unique_ptr<Dialogs> dialogs) {
    return dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>();
}

} // namespace

TformMain::TformMain(std::unique_ptr<Dialogs> dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(orQtDialogs(std::move(dialogs))), m_guard(*m_dialogs), m_store(m_hive) {
    if (auto* qtDialogs = dynamic_cast<QtDialogs*>(m_dialogs.get())) {
        qtDialogs->setWindow(this);
    }
    setObjectName(QStringLiteral("formMain"));
    setWindowTitle(QStringLiteral("Tolvane (1.1f)"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    createComponents();
    connectHandlers();
    resize(617, 440);
    centreOnScreen();
    FormCreate();
}

TformMain::~TformMain() {
    FormDestroy();
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
    setCentralWidget(m_pcMain);

    const auto messages = [this](int index) { return GetMessageText(index); };
    m_openPage = new OpenPage(m_store, *m_dialogs, m_guard, messages, *m_ilFlags16, m_components, m_pcMain);
    addPage(QStringLiteral("tsOpen"), QStringLiteral("Open project"), m_openPage);
    m_openPage->setProjectActions({m_menus->aProjectRemove, m_menus->aProjectRename, m_menus->aProjectApplyRules},
                                  m_menus->pmProject);
    m_tsEdit = addPage(QStringLiteral("tsEdit"), QStringLiteral("Edit"));
    createEditPage();
    m_tsNfo = addPage(QStringLiteral("tsNfo"), QStringLiteral("Edit Special"));
    m_tsSorter = addPage(QStringLiteral("tsSorter"), QStringLiteral("Sorter"));
    m_tsRules = addPage(QStringLiteral("tsRules"), QStringLiteral("Apply rules"));
}

QWidget* TformMain::addPage(const QString& name, const QString& caption, QWidget* page) {
    if (page == nullptr) {
        page = m_components.add(new QWidget(m_pcMain));
        page->setObjectName(name);
    }
    m_pcMain->addTab(page, caption);
    return page;
}

void TformMain::createEditPage() {
    auto* layout = new QVBoxLayout(m_tsEdit);
    layout->setContentsMargins(0, 0, 0, 0);
    m_editPage = new EditPage(m_tsEdit);
    layout->addWidget(m_editPage);
    for (QObject* component : m_editPage->components()) {
        m_components.add(component);
    }
    m_editPage->setErrorHandler([this](const QString& text) { m_dialogs->showError(text); });
    m_editPage->setEditPopupMenu(m_menus->pmEdit);
    m_editPage->setSaveAction(m_menus->aSaveLanguageEntry);
}

void TformMain::connectHandlers() {
    const auto on = [this](QAction* action, void (TformMain::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { m_guard.run([this, handler] { (this->*handler)(); }); });
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

void TformMain::showPage(QWidget* page) {
    m_pcMain->setCurrentWidget(page);
    if (page == m_openPage) {
        tsOpenEnter();
    } else if (page == m_tsEdit || page == m_tsNfo) {
        m_menus->miProject->setVisible(false);
    }
}

QString TformMain::GetMessageText(int index) const {
    return MessageTable::defaultText(index);
}

void TformMain::FormCreate() {}

void TformMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        m_guard.run([this] { FormShow(); });
    }
}

void TformMain::FormShow() {
    for (QObject* component : m_components.all()) {
        if (auto* widget = qobject_cast<QWidget*>(component)) {
            widget->setToolTipDuration(hintDisplayTime);
        }
    }
    m_openPage->LoadProjectList();
    m_openPage->setCurrentProjectName(QString());
    m_editPage->state().currentSection.clear();
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
    if (m_hive.createKey(ProjectStore::programKey)) {
        m_hive.writeString(ProjectStore::programKey, QStringLiteral("AppPath"), AppPaths::executableFolder());
    }
}

void TformMain::FormDestroy() {}

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

// Sorting, the special save key, the rules and the editing page's popup commands belong to the
// pages that are still to come; the window already routes their menu items and shortcuts.
void TformMain::miProjectSortClick() {}

void TformMain::aSaveLanguageEntryExecute() {
    m_editPage->aSaveLanguageEntryExecute();
}

void TformMain::aSaveSpecialEntryExecute() {}

void TformMain::aProjectApplyRulesExecute() {}

void TformMain::pmiSearchForTextClick() {}

void TformMain::pmiAddBitmapSmallClick() {}

void TformMain::pmiAddBitmapLargeClick() {}

void TformMain::bnEditLngClick() {
    const OpenPage& open = *m_openPage;
    if (!open.languagesChosen()) {
        return;
    }
    EditRequest request;
    request.referenceName = open.referenceLanguage();
    request.sourceName = open.sourceLanguage();
    request.destinationName = open.destinationLanguage();
    request.folder = open.languageFolder();
    request.extension = open.languageExtension();
    if (m_editPage->bnEditLng(request)) {
        showPage(m_tsEdit);
    }
}

void TformMain::bnEditSpecialClick() {
    showPage(m_tsNfo);
}

void TformMain::bnSortPageClick() {
    showPage(m_tsSorter);
}
