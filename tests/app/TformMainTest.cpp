#include "TestRegistry.h"

#include "ActionList.h"
#include "ApplicationIdentity.h"
#include "MainMenuGui.h"
#include "MainWindowFixture.h"
#include "OpenPage.h"
#include "ProgramSettings.h"
#include "ProjectListWidget.h"
#include "ProjectStore.h"
#include "RegistryHive.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace {

QString captionOf(QObject* component, QTabWidget* pages) {
    if (auto* action = qobject_cast<QAction*>(component)) {
        return action->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(component)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(component)) {
        return label->text();
    }
    if (auto* widget = qobject_cast<QWidget*>(component); widget && pages->indexOf(widget) >= 0) {
        return pages->tabText(pages->indexOf(widget));
    }
    return {};
}

QString expectedAppPath() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}

} // namespace

class TformMainTest : public QObject {
    Q_OBJECT
private slots:
    void captionReachesTheWindowSystemAsSet();
    void firstStartOnEmptyHive();
    void componentsCarryUniqueNamesInOrder();
    void componentCaptions_data();
    void componentCaptions();
    void actionList_data();
    void actionList();
    void popupMenus();
    void saveKeysWorkOnEveryPage_data();
    void saveKeysWorkOnEveryPage();
    void projectMenuFollowsPages();
    void editButtonsNeedThreeLanguages();
    void closingWritesAppPath();
    void exitEndsWithoutAppPath();
};

void TformMainTest::firstStartOnEmptyHive() {
    MainWindowFixture f;
    QVERIFY(f.show());
    TformMain& w = f.window();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tolvane (1.1f)"));
    QCOMPARE(w.objectName(), QStringLiteral("formMain"));
    QCOMPARE(w.size(), QSize(617, 440));
    QCOMPARE(w.pcMain()->currentWidget(), w.tsOpen());
    QVERIFY(w.pcMain()->tabBar()->isHidden());
    QVERIFY(RegistryHive(f.hivePath()).keyExists(ProjectStore::projectsKey));
    QCOMPARE(ProjectStore::projectsKey, ProgramSettings::key + QStringLiteral("\\Projects"));
    QCOMPARE(f.openPage().lbProjects()->count(), 0);
    QVERIFY(f.session().projectName().isEmpty());
    for (const char* name : {"bnEditLng", "bnEditSpecial", "bnSortPage", "bnRefreshLanguages"}) {
        QVERIFY2(!f.find<QAbstractButton>(QLatin1String(name))->isEnabled(), name);
    }
    for (const char* name : {"aProjectRemove", "aProjectRename", "aProjectApplyRules"}) {
        QVERIFY2(!f.action(QLatin1String(name))->isEnabled(), name);
    }
    QVERIFY(f.action(QStringLiteral("aProjectAdd"))->isEnabled());
    QVERIFY(f.action(QStringLiteral("miProject"))->isVisible());
    QVERIFY(f.find<QLineEdit>(QStringLiteral("editProjectSpecialPath"))->isEnabled());
    QVERIFY(f.openPage().pgLoad()->isHidden());
    QCOMPARE(f.find<QComboBox>(QStringLiteral("cbProjectLanguageSource"))->toolTipDuration(), 60000);
    QVERIFY(f.dialogs().questions().isEmpty());
}

void TformMainTest::componentsCarryUniqueNamesInOrder() {
    MainWindowFixture f;
    QSet<QString> names;
    QStringList order;
    for (QObject* component : f.window().components()) {
        QVERIFY2(!component->objectName().isEmpty(), component->metaObject()->className());
        QVERIFY2(!names.contains(component->objectName()), qPrintable(component->objectName()));
        names.insert(component->objectName());
        order.append(component->objectName());
    }
    // A component comes after the one that holds it.
    const QList<QPair<const char*, const char*>> before = {{"alMain", "aProjectAdd"},
                                                           {"aProjectAdd", "aProjectApplyRules"},
                                                           {"menuMain", "miFile"},
                                                           {"miFile", "miFileOpen"},
                                                           {"miFileOpen", "N2"},
                                                           {"N2", "miFileExit"},
                                                           {"miProject", "miProjectAdd"},
                                                           {"miProjectAddWardlock", "N1"},
                                                           {"N1", "miProjectAddFileCustom"},
                                                           {"miProjectAddFileCustom", "miProjectSort"},
                                                           {"miProjectSort", "miLanguages"},
                                                           {"pmEdit", "pmiSearchForText"},
                                                           {"pcMain", "tsOpen"},
                                                           {"tsOpen", "panelOpenLeft"},
                                                           {"panelOpenLeft", "lbProjects"},
                                                           {"lbProjects", "editProjectLanguagePath"},
                                                           {"bnEditSpecial", "labelInfo"},
                                                           {"labelInfo", "pgLoad"},
                                                           {"pgLoad", "tsEdit"},
                                                           {"tsEdit", "tsNfo"},
                                                           {"tsNfo", "tsSorter"},
                                                           {"tsSorter", "tsRules"}};
    for (const auto& [first, second] : before) {
        const int a = order.indexOf(QLatin1String(first));
        const int b = order.indexOf(QLatin1String(second));
        QVERIFY2(a >= 0 && b >= 0 && a < b, qPrintable(QStringLiteral("%1 before %2").arg(first, second)));
    }
    for (const char* name : {"ilFlags16", "ilMain", "odDir", "odFlag", "odRuleFile", "pmProject"}) {
        QVERIFY2(names.contains(QLatin1String(name)), name);
    }
}

void TformMainTest::componentCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    const QList<QPair<const char*, const char*>> rows = {
        {"miFile", "&File"},
        {"miFileOpen", "&Open..."},
        {"miFileExit", "E&xit"},
        {"miProject", "&Project"},
        {"miProjectAdd", "Add languages project"},
        {"miProjectAddTolvane", "&Tolvane..."},
        {"miProjectAddCorvina", "Corvina..."},
        {"miProjectAddMirabel", "Mirabel..."},
        {"miProjectAddWardlock", "Wardlock..."},
        {"miProjectAddFileCustom", "Custom..."},
        {"miProjectSort", "Sort current destination language file"},
        {"miLanguages", "&Languages"},
        {"pmiSearchForText", "&Search for text..."},
        {"pmiAddBitmapSmall", "Add small (16x16) bitmap..."},
        {"pmiAddBitmapLarge", "Add large (32x32) bitmap..."},
        {"tsOpen", "Open project"},
        {"tsEdit", "Edit"},
        {"tsNfo", "Edit Special"},
        {"tsSorter", "Sorter"},
        {"tsRules", "Apply rules"},
        {"bnRefreshLanguages", "Refresh languages"},
        {"bnEditLng", "&Edit language"},
        {"bnSortPage", "Sort files"},
        {"bnEditSpecial", "Edit &special"},
        {"labelProjectLanguagePath", "Language file path:"},
        {"labelProjectSpecialExtension", "Special extension:"},
        {"labelProjectLanguageDestination", "Destination:"},
    };
    for (const auto& [name, caption] : rows) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption);
    }
}

void TformMainTest::componentCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    MainWindowFixture f;
    QObject* component = f.find<QObject>(name);
    QVERIFY(component != nullptr);
    QCOMPARE(captionOf(component, f.window().pcMain()), caption);
}

void TformMainTest::actionList_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("add") << "aProjectAdd"
                         << "Add project" << QKeySequence() << true;
    QTest::newRow("remove") << "aProjectRemove"
                            << "Remove project" << QKeySequence() << false;
    QTest::newRow("rename") << "aProjectRename"
                            << "Rename project" << QKeySequence() << false;
    QTest::newRow("F2") << "aSaveLanguageEntry"
                        << "F2" << QKeySequence(Qt::Key_F2) << true;
    QTest::newRow("F3") << "aSaveSpecialEntry"
                        << "F3" << QKeySequence(Qt::Key_F3) << true;
    QTest::newRow("rules") << "aProjectApplyRules"
                           << "Apply change rules from file..." << QKeySequence() << false;
    QTest::newRow("F4") << "aNextUntranslatedEntry"
                        << "Next untranslated" << QKeySequence(Qt::Key_F4) << true;
}

void TformMainTest::actionList() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabled);
    MainWindowFixture f;
    const ActionList* list = f.find<ActionList>(QStringLiteral("alMain"));
    QVERIFY(list != nullptr);
    QAction* action = list->action(name);
    QVERIFY(action != nullptr);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(action->isEnabled(), enabled);
}

void TformMainTest::popupMenus() {
    MainWindowFixture f;
    auto* project = f.find<QMenu>(QStringLiteral("pmProject"));
    QVERIFY(project != nullptr);
    QStringList names;
    for (QAction* item : project->actions()) {
        names << item->objectName();
    }
    QCOMPARE(names, (QStringList{"aProjectAdd", "aProjectRename", "aProjectRemove", "aProjectApplyRules"}));
    auto* edit = f.find<QMenu>(QStringLiteral("pmEdit"));
    QVERIFY(edit != nullptr);
    names.clear();
    for (QAction* item : edit->actions()) {
        names << item->objectName();
    }
    QCOMPARE(names, (QStringList{"pmiSearchForText", "pmiAddBitmapSmall", "pmiAddBitmapLarge"}));
    QCOMPARE(edit->actions().constFirst()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
}

void TformMainTest::saveKeysWorkOnEveryPage_data() {
    QTest::addColumn<QString>("page");
    for (const char* page : {"tsOpen", "tsEdit", "tsNfo", "tsSorter", "tsRules"}) {
        QTest::newRow(page) << QString::fromLatin1(page);
    }
}

void TformMainTest::saveKeysWorkOnEveryPage() {
    QFETCH(QString, page);
    MainWindowFixture f;
    QVERIFY(f.show());
    f.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    f.window().showPage(f.find<QWidget>(page));
    QSignalSpy f2(f.action(QStringLiteral("aSaveLanguageEntry")), &QAction::triggered);
    QSignalSpy f3(f.action(QStringLiteral("aSaveSpecialEntry")), &QAction::triggered);
    QWidget* target = f.window().pcMain()->currentWidget();
    QTest::keyClick(target, Qt::Key_F2);
    QTest::keyClick(target, Qt::Key_F3);
    QCOMPARE(f2.count(), 1);
    QCOMPARE(f3.count(), 1);
}

void TformMainTest::projectMenuFollowsPages() {
    MainWindowFixture f;
    QVERIFY(f.show());
    TformMain& w = f.window();
    QAction* project = f.action(QStringLiteral("miProject"));
    const QList<QPair<QWidget*, bool>> steps = {
        {w.tsEdit(), false}, {w.tsSorter(), false}, {w.tsOpen(), true},   {w.tsSorter(), true},
        {w.tsRules(), true}, {w.tsNfo(), false},    {w.tsRules(), false},
    };
    for (const auto& [page, visible] : steps) {
        w.showPage(page);
        QCOMPARE(project->isVisible(), visible);
    }
    QVERIFY(f.trigger(QStringLiteral("miFileOpen")));
    QCOMPARE(w.pcMain()->currentWidget(), w.tsOpen());
    QVERIFY(project->isVisible());
}

void TformMainTest::editButtonsNeedThreeLanguages() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("Demo"), {{"Path", f.makeFolder("lng")},
                                            {"Extension", "tvl"},
                                            {"SpecialPath", f.makeFolder("nfo")},
                                            {"SpecialExtension", "nfo"}});
    QVERIFY(f.show());
    TformMain& w = f.window();
    OpenPage& page = f.openPage();
    QVERIFY(f.clickProject(QStringLiteral("Demo")));
    QVERIFY(page.bnEditLng()->isEnabled());
    QVERIFY(page.bnEditSpecial()->isEnabled());
    QTest::mouseClick(page.bnEditLng(), Qt::LeftButton);
    QCOMPARE(w.pcMain()->currentWidget(), w.tsOpen());
    for (QComboBox* box : {page.cbProjectLanguageReference(), page.cbProjectLanguageSource()}) {
        box->addItem(QStringLiteral("English"));
        box->setCurrentIndex(0);
    }
    QTest::mouseClick(page.bnEditSpecial(), Qt::LeftButton);
    QCOMPARE(w.pcMain()->currentWidget(), w.tsOpen());
    page.cbProjectLanguageDestination()->addItem(QStringLiteral("German"));
    page.cbProjectLanguageDestination()->setCurrentIndex(0);
    QTest::mouseClick(page.bnEditLng(), Qt::LeftButton);
    QCOMPARE(w.pcMain()->currentWidget(), w.tsEdit());
    QVERIFY(!f.action(QStringLiteral("miProject"))->isVisible());
    QVERIFY(f.trigger(QStringLiteral("miFileOpen")));
    QTest::mouseClick(page.bnEditSpecial(), Qt::LeftButton);
    QCOMPARE(w.pcMain()->currentWidget(), w.tsNfo());
    QVERIFY(!f.action(QStringLiteral("miProject"))->isVisible());
}

void TformMainTest::closingWritesAppPath() {
    MainWindowFixture f;
    QVERIFY(f.show());
    RegistryHive hive(f.hivePath());
    QVERIFY(!hive.valueExists(ProgramSettings::key, QStringLiteral("AppPath")));
    QVERIFY(f.window().close());
    QCOMPARE(hive.readString(ProgramSettings::key, QStringLiteral("AppPath")).value_or(QString()), expectedAppPath());
}

void TformMainTest::exitEndsWithoutAppPath() {
    MainWindowFixture f;
    QVERIFY(f.show());
    const QString hivePath = f.hivePath();
    QEventLoop loop;
    QTimer::singleShot(0, &f.window(), [&f] { f.trigger(QStringLiteral("miFileExit")); });
    QTimer::singleShot(3000, &loop, [&loop] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);
    f.destroyWindow();
    QVERIFY(RegistryHive(hivePath).keyExists(ProjectStore::projectsKey));
    QVERIFY(!RegistryHive(hivePath).valueExists(ProgramSettings::key, QStringLiteral("AppPath")));
}

void TformMainTest::captionReachesTheWindowSystemAsSet() {
    ApplicationIdentity::apply();
    MainWindowFixture f;
    QVERIFY(f.show());
    QCOMPARE(f.window().windowHandle()->title(), QStringLiteral("Tolvane (1.1f)"));
    // A display name of its own would be appended to every title by the window system; without
    // one, the display name follows the application name.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Probe"));
    const QString displayed = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    QCOMPARE(displayed, QStringLiteral("Probe"));
    QCOMPARE(name, QStringLiteral("Tolvane"));
}

TOLVANE_TEST(TformMainTest)
#include "TformMainTest.moc"
