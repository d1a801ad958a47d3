#pragma once

#include "ComponentList.h"
#include "HandlerGuard.h"
#include "ProgressBarLender.h"
#include "ProjectPresets.h"
#include "ProjectSession.h"
#include "ProjectStore.h"
#include "RegistryHive.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class DialogComponent;
class Dialogs;
class EditPage;
class ImageList;
class MainMenuGui;
class OpenPage;
class QTabWidget;
class RulesPage;
class SorterPage;
class SpecialPage;
class TformSearch;
class TnvTranslator;
struct PageContext;

// The main window: the page control with its five pages, the menus and the action list, the
// start-up and shut-down steps and the program's message texts.
class TformMain : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs the real Qt dialogs are used; tests pass scripted ones.
    explicit TformMain(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget* parent = nullptr);
    ~TformMain() override;

    // Every component the window owns, in the order it made them.
    const QList<QObject*>& components() const { return m_components.all(); }
    ComponentList& componentList() { return m_components; }

    Dialogs& dialogs() const { return *m_dialogs; }
    const HandlerGuard& handlerGuard() const { return m_guard; }
    RegistryHive& hive() { return m_hive; }
    ProjectStore& projectStore() { return m_store; }
    ProjectSession& session() { return m_session; }
    const MainMenuGui& menus() const { return *m_menus; }

    QTabWidget* pcMain() const { return m_pcMain; }
    OpenPage* openPage() const { return m_openPage; }
    QWidget* tsOpen() const;
    QWidget* tsEdit() const;
    EditPage* editPage() const { return m_editPage; }
    QWidget* tsNfo() const;
    QWidget* tsSorter() const;
    QWidget* tsRules() const;
    // Shows the page and applies its rule for the "&Project" menu.
    void showPage(QWidget* page);

    ImageList& ilFlags16() const { return *m_ilFlags16; }
    ImageList& ilMain() const { return *m_ilMain; }
    DialogComponent& odDir() const { return *m_odDir; }
    DialogComponent& odFlag() const { return *m_odFlag; }
    DialogComponent& odRuleFile() const { return *m_odRuleFile; }

    // The search window that "&Search for text..." shows and whose hits open entries on the
    // editing page. It searches this window's session, so this window must outlive it.
    void setSearchWindow(TformSearch* search);

    // The user-visible text of message table entry index, before any "%s" is filled in, in the
    // current interface language.
    QString GetMessageText(int index) const;
    // The interface translator, from FormCreate to FormDestroy.
    TnvTranslator* translator() const { return m_translator.get(); }

public slots:
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void tsOpenEnter();
    void miFileOpenClick();
    void miFileExitClick();
    void miProjectAddTolvaneClick();
    void miProjectAddCorvinaClick();
    void miProjectAddMirabelClick();
    void miProjectAddWardlockClick();
    void miProjectAddFileCustomClick();
    void miProjectSortClick();
    void aProjectAddExecute();
    void aProjectRemoveExecute();
    void aProjectRenameExecute();
    void aSaveLanguageEntryExecute();
    void aSaveSpecialEntryExecute();
    void aProjectApplyRulesExecute();
    void aNextUntranslatedEntryExecute();
    void pmiSearchForTextClick();
    void pmiAddBitmapSmallClick();
    void pmiAddBitmapLargeClick();
    void bnEditLngClick();
    void bnEditSpecialClick();
    void bnSortPageClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createComponents();
    void createPages();
    template <typename Page> Page* addPage(const PageContext& context, const QString& caption);
    void connectHandlers();
    void addPreset(ProjectPresets::Product product);
    void centreOnScreen();
    // Stores the bitmap the user picks under key of the destination language file's Images.
    void addFlagBitmap(const QByteArray& key);

    std::unique_ptr<Dialogs> m_dialogs;
    HandlerGuard m_guard;
    RegistryHive m_hive;
    ProjectStore m_store;
    ProjectSession m_session;
    ComponentList m_components;
    ProgressBarLender m_progress;
    std::unique_ptr<MainMenuGui> m_menus;
    ImageList* m_ilFlags16 = nullptr;
    ImageList* m_ilMain = nullptr;
    DialogComponent* m_odDir = nullptr;
    DialogComponent* m_odFlag = nullptr;
    DialogComponent* m_odRuleFile = nullptr;
    QTabWidget* m_pcMain = nullptr;
    OpenPage* m_openPage = nullptr;
    EditPage* m_editPage = nullptr;
    SpecialPage* m_specialPage = nullptr;
    SorterPage* m_sorterPage = nullptr;
    RulesPage* m_rulesPage = nullptr;
    QPointer<TformSearch> m_formSearch;
    std::unique_ptr<TnvTranslator> m_translator;
    bool m_shown = false;
    bool m_leavingByExit = false;
};
