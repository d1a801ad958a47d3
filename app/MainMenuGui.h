#pragma once

class ActionList;
class ComponentList;
class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QString;

// The main window's action list, main menu and popup menus, named and listed as components.
class MainMenuGui {
public:
    MainMenuGui(QMainWindow& window, ComponentList& components);

    ActionList* alMain;
    QAction* aProjectAdd;
    QAction* aProjectRemove;
    QAction* aProjectRename;
    QAction* aSaveLanguageEntry;
    QAction* aSaveSpecialEntry;
    QAction* aProjectApplyRules;
    QAction* aNextUntranslatedEntry;

    QMenuBar* menuMain;
    QAction* miFile;
    QAction* miFileOpen;
    QAction* N2;
    QAction* miFileExit;
    QAction* miProject;
    QAction* miProjectAdd;
    QAction* miProjectAddTolvane;
    QAction* miProjectAddCorvina;
    QAction* miProjectAddMirabel;
    QAction* miProjectAddWardlock;
    QAction* N1;
    QAction* miProjectAddFileCustom;
    QAction* miProjectSort;
    QAction* miLanguages;
    QMenu* miLanguagesMenu;

    QMenu* pmProject;
    QMenu* pmEdit;
    QAction* pmiSearchForText;
    QAction* pmiAddBitmapSmall;
    QAction* pmiAddBitmapLarge;

private:
    QMenu* addSubMenu(QMenu* parent, const QString& name, const QString& caption);
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    QAction* addSeparator(QMenu* menu, const QString& name);

    QMainWindow& m_window;
    ComponentList& m_components;
};
