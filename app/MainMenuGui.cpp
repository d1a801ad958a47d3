#include "MainMenuGui.h"

#include "ActionList.h"
#include "ComponentList.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

MainMenuGui::MainMenuGui(QMainWindow& window, ComponentList& components) : m_window(window), m_components(components) {
    alMain = components.add(new ActionList(QStringLiteral("alMain"), &window));
    const auto action = [&](const char* name, const char* caption, bool enabled, const QKeySequence& key = {}) {
        return components.add(alMain->add(QString::fromLatin1(name), QString::fromLatin1(caption), enabled, key));
    };
    aProjectAdd = action("aProjectAdd", "Add project", true);
    aProjectRemove = action("aProjectRemove", "Remove project", false);
    aProjectRename = action("aProjectRename", "Rename project", false);
    aSaveLanguageEntry = action("aSaveLanguageEntry", "F2", true, QKeySequence(Qt::Key_F2));
    aSaveSpecialEntry = action("aSaveSpecialEntry", "F3", true, QKeySequence(Qt::Key_F3));
    aProjectApplyRules = action("aProjectApplyRules", "Apply change rules from file...", false);
    // F4: no designed shortcut uses it; it acts only while the editing page has the focus.
    aNextUntranslatedEntry = action("aNextUntranslatedEntry", "Next untranslated", true, QKeySequence(Qt::Key_F4));
    aNextUntranslatedEntry->setToolTip(
        QStringLiteral("Go to the next entry that the destination lacks, in this or a following section (F4)"));
    // Shortcuts of the action list work on every page of the window.
    window.addAction(aSaveLanguageEntry);
    window.addAction(aSaveSpecialEntry);

    menuMain = components.add(window.menuBar());
    menuMain->setObjectName(QStringLiteral("menuMain"));
    QMenu* file = addSubMenu(nullptr, QStringLiteral("miFile"), QStringLiteral("&File"));
    miFile = file->menuAction();
    miFileOpen = addItem(file, QStringLiteral("miFileOpen"), QStringLiteral("&Open..."));
    N2 = addSeparator(file, QStringLiteral("N2"));
    miFileExit = addItem(file, QStringLiteral("miFileExit"), QStringLiteral("E&xit"));

    QMenu* project = addSubMenu(nullptr, QStringLiteral("miProject"), QStringLiteral("&Project"));
    miProject = project->menuAction();
    QMenu* add = addSubMenu(project, QStringLiteral("miProjectAdd"), QStringLiteral("Add languages project"));
    miProjectAdd = add->menuAction();
    miProjectAddTolvane = addItem(add, QStringLiteral("miProjectAddTolvane"), QStringLiteral("&Tolvane..."));
    miProjectAddCorvina = addItem(add, QStringLiteral("miProjectAddCorvina"), QStringLiteral("Corvina..."));
    miProjectAddMirabel = addItem(add, QStringLiteral("miProjectAddMirabel"), QStringLiteral("Mirabel..."));
    miProjectAddWardlock = addItem(add, QStringLiteral("miProjectAddWardlock"), QStringLiteral("Wardlock..."));
    N1 = addSeparator(add, QStringLiteral("N1"));
    miProjectAddFileCustom = addItem(add, QStringLiteral("miProjectAddFileCustom"), QStringLiteral("Custom..."));
    miProjectSort =
        addItem(project, QStringLiteral("miProjectSort"), QStringLiteral("Sort current destination language file"));

    miLanguagesMenu = addSubMenu(nullptr, QStringLiteral("miLanguages"), QStringLiteral("&Languages"));
    miLanguages = miLanguagesMenu->menuAction();

    pmProject = components.add(new QMenu(&window));
    pmProject->setObjectName(QStringLiteral("pmProject"));
    pmProject->addActions({aProjectAdd, aProjectRename, aProjectRemove, aProjectApplyRules});

    pmEdit = components.add(new QMenu(&window));
    pmEdit->setObjectName(QStringLiteral("pmEdit"));
    pmiSearchForText = addItem(pmEdit, QStringLiteral("pmiSearchForText"), QStringLiteral("&Search for text..."));
    pmiSearchForText->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    pmiSearchForText->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    pmiAddBitmapSmall =
        addItem(pmEdit, QStringLiteral("pmiAddBitmapSmall"), QStringLiteral("Add small (16x16) bitmap..."));
    pmiAddBitmapLarge =
        addItem(pmEdit, QStringLiteral("pmiAddBitmapLarge"), QStringLiteral("Add large (32x32) bitmap..."));
}

QMenu* MainMenuGui::addSubMenu(QMenu* parent, const QString& name, const QString& caption) {
    QMenu* menu = parent != nullptr ? parent->addMenu(caption) : m_window.menuBar()->addMenu(caption);
    menu->menuAction()->setObjectName(name);
    m_components.add(menu->menuAction());
    return menu;
}

QAction* MainMenuGui::addItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    return m_components.add(item);
}

QAction* MainMenuGui::addSeparator(QMenu* menu, const QString& name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return m_components.add(separator);
}
