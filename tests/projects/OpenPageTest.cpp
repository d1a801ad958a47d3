#include "TestFiles.h"
#include "TestRegistry.h"

#include "MainWindowFixture.h"
#include "OpenPage.h"
#include "ProjectListWidget.h"
#include "ProjectStore.h"
#include "RegistryHive.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

namespace {

using Values = QMap<QString, QString>;
using Kind = ScriptedDialogs::Kind;

QString selectedName(const OpenPage& page) {
    const int row = page.lbProjects()->selectedRow();
    return row < 0 ? QString() : page.lbProjects()->item(row)->text();
}

// The values the translated input offered, one per time it was asked.
QStringList offeredValues(const ScriptedDialogs& dialogs) {
    QStringList values;
    for (const ScriptedDialogs::Question& question : dialogs.questions(Kind::TextInput)) {
        values.append(question.value);
    }
    return values;
}

} // namespace

class OpenPageTest : public QObject {
    Q_OBJECT
private slots:
    void selectingLoadsTheProject_data();
    void selectingLoadsTheProject();
    void eachKeystrokeIsStored();
    void noCurrentProjectStoresNothing();
    void refreshDisablesItselfAndEmptiesTheLists();
    void actionsFollowTheLastMousePress();
    void removeAsksFirst_data();
    void removeAsksFirst();
    void renameMovesTheKey_data();
    void renameMovesTheKey();
    void renameRefusesBadNames_data();
    void renameRefusesBadNames();
    void listReselectsTheCurrentProject();
    void clickOnTheSelectedProjectLoadsIt();
    void rightPressOnlyOpensTheMenu();
};

void OpenPageTest::selectingLoadsTheProject_data() {
    QTest::addColumn<Values>("values");
    QTest::addColumn<bool>("specialPathEnabled");
    QTest::addColumn<bool>("specialExtensionEnabled");
    QTest::newRow("both") << Values{{"Path", "/l/"},
                                    {"Extension", "wdl"},
                                    {"SpecialPath", "/s/"},
                                    {"SpecialExtension", "nfo"}}
                          << true << true;
    QTest::newRow("special path only") << Values{{"Path", "/l/"}, {"Extension", "wdl"}, {"SpecialPath", "/s/"}} << true
                                       << false;
    QTest::newRow("none") << Values{{"Path", "/l/"}, {"Extension", "tvl"}} << false << false;
    QTest::newRow("empty special extension") << Values{{"Path", "/l/"}, {"SpecialExtension", ""}} << false << true;
}

void OpenPageTest::selectingLoadsTheProject() {
    QFETCH(Values, values);
    QFETCH(bool, specialPathEnabled);
    QFETCH(bool, specialExtensionEnabled);
    MainWindowFixture f;
    f.writeProject(QStringLiteral("Before"),
                   {{"Path", "/b/"}, {"Extension", "b"}, {"SpecialPath", "/bs/"}, {"SpecialExtension", "bnfo"}});
    f.writeProject(QStringLiteral("Tested"), values);
    QVERIFY(f.show());
    OpenPage& page = f.openPage();
    QVERIFY(f.clickProject(QStringLiteral("Before")));
    QVERIFY(f.clickProject(QStringLiteral("Tested")));
    QCOMPARE(f.session().projectName(), QStringLiteral("Tested"));
    QCOMPARE(page.editProjectLanguagePath()->text(), values.value("Path"));
    QCOMPARE(page.editProjectLanguageExtension()->text(), values.value("Extension"));
    QCOMPARE(page.editProjectSpecialPath()->text(), values.value("SpecialPath"));
    QCOMPARE(page.editProjectSpecialExtension()->text(), values.value("SpecialExtension"));
    QCOMPARE(page.editProjectSpecialPath()->isEnabled(), specialPathEnabled);
    QCOMPARE(page.editProjectSpecialExtension()->isEnabled(), specialExtensionEnabled);
    QCOMPARE(page.bnEditSpecial()->isEnabled(), specialPathEnabled && specialExtensionEnabled);
    QVERIFY(page.bnEditLng()->isEnabled());
    QVERIFY(page.bnSortPage()->isEnabled());
    QVERIFY(page.bnRefreshLanguages()->isEnabled());
    // Loading stores nothing new.
    QCOMPARE(f.projectValue(QStringLiteral("Tested"), QStringLiteral("Extension")).has_value(),
             values.contains("Extension"));
}

void OpenPageTest::eachKeystrokeIsStored() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("P"), {{"Path", "/l/"}, {"Extension", "x"}, {"SpecialPath", "/s"}});
    QVERIFY(f.show());
    QVERIFY(f.clickProject(QStringLiteral("P")));
    QLineEdit* extension = f.openPage().editProjectLanguageExtension();
    extension->clear();
    QCOMPARE(f.projectValue("P", "Extension"), QStringLiteral("x"));
    QString typed;
    for (const QChar c : QStringLiteral("tvl")) {
        QTest::keyClicks(extension, QString(c));
        typed += c;
        QCOMPARE(f.projectValue("P", "Extension"), typed);
    }
    for (const char* left : {"tv", "t"}) {
        QTest::keyClick(extension, Qt::Key_Backspace);
        QCOMPARE(f.projectValue("P", "Extension"), QString::fromLatin1(left));
    }
    QTest::keyClick(extension, Qt::Key_Backspace);
    QVERIFY(extension->text().isEmpty());
    QCOMPARE(f.projectValue("P", "Extension"), QStringLiteral("t"));
    QTest::keyClicks(f.openPage().editProjectSpecialPath(), QStringLiteral("x"));
    QCOMPARE(f.projectValue("P", "SpecialPath"), QStringLiteral("/sx"));
}

void OpenPageTest::noCurrentProjectStoresNothing() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("P"), {{"Path", "/l/"}});
    QVERIFY(f.show());
    OpenPage& page = f.openPage();
    const QByteArray before = [&] {
        QFile file(f.hivePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QTest::keyClicks(page.editProjectLanguagePath(), QStringLiteral("/other/"));
    QTest::keyClicks(page.editProjectSpecialExtension(), QStringLiteral("nfo"));
    QFile file(f.hivePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QVERIFY(page.bnRefreshLanguages()->isEnabled());
}

void OpenPageTest::refreshDisablesItselfAndEmptiesTheLists() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("P"), {{"Path", "/l/"}, {"Extension", "tvl"}});
    QVERIFY(f.show());
    QVERIFY(f.clickProject(QStringLiteral("P")));
    OpenPage& page = f.openPage();
    page.cbProjectLanguageReference()->addItem(QStringLiteral("Old"));
    page.editProjectLanguageExtension()->clear();
    QCOMPARE(page.cbProjectLanguageReference()->count(), 1);
    QTest::mouseClick(page.bnRefreshLanguages(), Qt::LeftButton);
    QCOMPARE(page.cbProjectLanguageReference()->count(), 0);
    QVERIFY(!page.bnRefreshLanguages()->isEnabled());
    QTest::keyClicks(page.editProjectLanguageExtension(), QStringLiteral("t"));
    QVERIFY(page.bnRefreshLanguages()->isEnabled());
}

void OpenPageTest::actionsFollowTheLastMousePress() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("P"));
    QVERIFY(f.show());
    QAction* remove = f.action(QStringLiteral("aProjectRemove"));
    QVERIFY(!remove->isEnabled());
    QVERIFY(f.clickProject(QStringLiteral("P")));
    for (const char* name : {"aProjectRemove", "aProjectRename", "aProjectApplyRules"}) {
        QVERIFY2(f.action(QLatin1String(name))->isEnabled(), name);
    }
    // Selection changed by the keyboard leaves the actions as the last press set them.
    f.openPage().lbProjects()->clearSelection();
    QVERIFY(remove->isEnabled());
    // With nothing selected, removing asks nothing and removes nothing.
    f.dialogs().setNextConfirm(true);
    QVERIFY(f.trigger(QStringLiteral("aProjectRemove")));
    QVERIFY(f.dialogs().questions(Kind::Confirm).isEmpty());
    QCOMPARE(f.dialogs().pendingAnswers(), 1);
    QVERIFY(RegistryHive(f.hivePath()).keyExists(ProjectStore::projectKey(QStringLiteral("P"))));
}

void OpenPageTest::removeAsksFirst_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("no") << "No";
    QTest::newRow("yes") << "Yes";
}

void OpenPageTest::removeAsksFirst() {
    QFETCH(QString, answer);
    MainWindowFixture f;
    f.writeProject(QStringLiteral("Keep"));
    f.writeProject(QStringLiteral("Old one"), {{"Path", "/old/"}, {"Extension", "tvl"}});
    QVERIFY(f.show());
    QVERIFY(f.clickProject(QStringLiteral("Old one")));
    const bool removed = answer == QLatin1String("Yes");
    f.dialogs().setNextConfirm(removed);
    QVERIFY(f.trigger(QStringLiteral("aProjectRemove")));
    QCOMPARE(f.dialogs().pendingAnswers(), 0);
    // A confirmation (its dialog's title and buttons: QtDialogsTest).
    QCOMPARE(f.dialogs().texts(Kind::Confirm), QStringList{"Are you sure you want to delete the project Old one?"});
    RegistryHive hive(f.hivePath());
    QCOMPARE(hive.keyExists(ProjectStore::projectKey(QStringLiteral("Old one"))), !removed);
    OpenPage& page = f.openPage();
    QCOMPARE(page.lbProjects()->count(), removed ? 1 : 2);
    QCOMPARE(selectedName(page), removed ? QString() : QStringLiteral("Old one"));
    QCOMPARE(page.editProjectLanguagePath()->text(), QStringLiteral("/old/"));
    if (removed) {
        // The fields still show the removed project, and writes to it go nowhere.
        QTest::keyClicks(page.editProjectLanguageExtension(), QStringLiteral("x"));
        QVERIFY(!hive.keyExists(ProjectStore::projectKey(QStringLiteral("Old one"))));
    }
}

void OpenPageTest::renameMovesTheKey_data() {
    QTest::addColumn<QString>("newName");
    QTest::newRow("other name") << "Renamed";
    QTest::newRow("letter case") << "ALPHA";
}

void OpenPageTest::renameMovesTheKey() {
    QFETCH(QString, newName);
    MainWindowFixture f;
    f.writeProject(QStringLiteral("Alpha"), {{"Path", "/a/"}, {"Extension", "tvl"}});
    f.writeProject(QStringLiteral("Beta"));
    QVERIFY(f.show());
    QVERIFY(f.clickProject(QStringLiteral("Alpha")));
    f.dialogs().setNextInput(newName);
    QVERIFY(f.trigger(QStringLiteral("aProjectRename")));
    QCOMPARE(f.dialogs().pendingAnswers(), 0);
    const QList<ScriptedDialogs::Question> asked = f.dialogs().questions(Kind::TextInput);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.constFirst().caption, QStringLiteral("Rename project"));
    QCOMPARE(f.dialogs().texts(Kind::TextInput), QStringList{"Please enter the new project name for Alpha:"});
    QCOMPARE(offeredValues(f.dialogs()), QStringList{"Alpha"});
    RegistryHive hive(f.hivePath());
    QCOMPARE(hive.subKeys(ProjectStore::projectsKey), (QStringList{"Beta", newName}));
    QCOMPARE(hive.readString(ProjectStore::projectKey(newName), QStringLiteral("Path")), QStringLiteral("/a/"));
    OpenPage& page = f.openPage();
    QCOMPARE(selectedName(page), newName);
    QCOMPARE(f.session().projectName(), newName);
    QTest::keyClicks(page.editProjectLanguageExtension(), QStringLiteral("x"));
    QCOMPARE(f.projectValue(newName, QStringLiteral("Extension")), QStringLiteral("tvlx"));
}

void OpenPageTest::renameRefusesBadNames_data() {
    QTest::addColumn<QString>("refused");
    QTest::addColumn<QString>("reason");
    QTest::newRow("taken") << "beta"
                           << "A project named \"beta\" already exists.";
    QTest::newRow("separator") << "A\\B"
                               << "A project name cannot contain the character \"\\\".";
    QTest::newRow("empty") << ""
                           << "Please enter a project name.";
}

void OpenPageTest::renameRefusesBadNames() {
    QFETCH(QString, refused);
    QFETCH(QString, reason);
    MainWindowFixture f;
    f.writeProject(QStringLiteral("Alpha"), {{"Path", "/a/"}});
    f.writeProject(QStringLiteral("Beta"), {{"Path", "/b/"}});
    QVERIFY(f.show());
    QVERIFY(f.clickProject(QStringLiteral("Alpha")));
    f.dialogs().setNextInput(refused);
    f.dialogs().setNextInput(QStringLiteral("Gamma"));
    QVERIFY(f.trigger(QStringLiteral("aProjectRename")));
    QCOMPARE(f.dialogs().pendingAnswers(), 0);
    QCOMPARE(f.dialogs().texts(Kind::Warning), QStringList{reason});
    QCOMPARE(offeredValues(f.dialogs()), (QStringList{"Alpha", refused}));
    RegistryHive hive(f.hivePath());
    QCOMPARE(hive.subKeys(ProjectStore::projectsKey), (QStringList{"Beta", "Gamma"}));
    QCOMPARE(hive.readString(ProjectStore::projectKey(QStringLiteral("Beta")), QStringLiteral("Path")),
             QStringLiteral("/b/"));

    // Cancel after a refusal leaves everything as it was.
    f.dialogs().clear();
    f.dialogs().setNextInput(refused);
    f.dialogs().setNextInputCancel();
    QVERIFY(f.trigger(QStringLiteral("aProjectRename")));
    QCOMPARE(f.dialogs().pendingAnswers(), 0);
    QCOMPARE(f.dialogs().texts(Kind::Warning), QStringList{reason});
    QCOMPARE(hive.subKeys(ProjectStore::projectsKey), (QStringList{"Beta", "Gamma"}));
    QCOMPARE(selectedName(f.openPage()), QStringLiteral("Gamma"));
}

void OpenPageTest::listReselectsTheCurrentProject() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("One"), {{"Path", "/1/"}});
    f.writeProject(QStringLiteral("Two"), {{"Path", "/2/"}});
    QVERIFY(f.show());
    OpenPage& page = f.openPage();
    QVERIFY(f.clickProject(QStringLiteral("Two")));
    f.session().setProjectName(QStringLiteral("ONE"));
    page.LoadProjectList();
    QCOMPARE(selectedName(page), QStringLiteral("One"));
    // Reselecting is not a click: the fields still show the last clicked project.
    QCOMPARE(page.editProjectLanguagePath()->text(), QStringLiteral("/2/"));
}

void OpenPageTest::clickOnTheSelectedProjectLoadsIt() {
    MainWindowFixture f;
    const QString folder = f.makeFolder(QStringLiteral("lang"));
    TestFiles::writeAll(folder, {"English.tvl", "German.tvl"}, "[Main]\r\n");
    f.writeProject(QStringLiteral("Old"), {{"Path", "/o/"}});
    f.writeProject(QStringLiteral("New"), {{"Path", folder}, {"Extension", "tvl"}});
    QVERIFY(f.show());
    OpenPage& page = f.openPage();
    // As adding a project leaves it: selected and current, but not loaded.
    f.session().setProjectName(QStringLiteral("New"));
    page.LoadProjectList();
    QCOMPARE(selectedName(page), QStringLiteral("New"));
    QVERIFY(!page.bnEditLng()->isEnabled());
    QVERIFY(f.clickProject(QStringLiteral("New")));
    QVERIFY(page.bnEditLng()->isEnabled());
    QVERIFY(page.bnSortPage()->isEnabled());
    QCOMPARE(page.editProjectLanguagePath()->text(), folder);
    QCOMPARE(page.cbProjectLanguageReference()->count(), 2);
    // Again on the same entry: loaded afresh, so a field changed meanwhile shows the stored value.
    page.editProjectLanguagePath()->setText(QStringLiteral("/elsewhere/"));
    RegistryHive(f.hivePath())
        .writeString(ProjectStore::projectKey(QStringLiteral("New")), QStringLiteral("Path"), folder);
    QVERIFY(f.clickProject(QStringLiteral("New")));
    QCOMPARE(page.editProjectLanguagePath()->text(), folder);
}

void OpenPageTest::rightPressOnlyOpensTheMenu() {
    MainWindowFixture f;
    f.writeProject(QStringLiteral("A"), {{"Path", "/a/"}});
    f.writeProject(QStringLiteral("B"), {{"Path", "/b/"}});
    QVERIFY(f.show());
    OpenPage& page = f.openPage();
    auto* menu = f.window().findChild<QMenu*>(QStringLiteral("pmProject"));
    QVERIFY(menu);
    ProjectListWidget* list = page.lbProjects();
    QWindow* window = f.window().windowHandle();
    const auto rightPressOn = [&](const QString& name) {
        const QRect rect = list->visualItemRect(list->findItems(name, Qt::MatchExactly).constFirst());
        const QPoint at = list->viewport()->mapTo(&f.window(), rect.center());
        // Through the window, as the system delivers it, so that the context menu event follows.
        QTest::mousePress(window, Qt::RightButton, {}, at);
        const bool shown = menu->isVisible();
        menu->hide();
        QTest::mouseRelease(window, Qt::RightButton, {}, at);
        return shown;
    };
    QVERIFY(f.clickProject(QStringLiteral("A")));
    QVERIFY(rightPressOn(QStringLiteral("B")));
    QCOMPARE(selectedName(page), QStringLiteral("A"));
    QCOMPARE(f.session().projectName(), QStringLiteral("A"));
    QCOMPARE(page.editProjectLanguagePath()->text(), QStringLiteral("/a/"));
    QVERIFY(f.action(QStringLiteral("aProjectRemove"))->isEnabled());
    // The press sets the actions from the selection as it stands, which it does not change.
    list->clearSelection();
    QVERIFY(rightPressOn(QStringLiteral("B")));
    QCOMPARE(selectedName(page), QString());
    for (const char* name : {"aProjectRemove", "aProjectRename", "aProjectApplyRules"}) {
        QVERIFY2(!f.action(QLatin1String(name))->isEnabled(), name);
    }
}

TOLVANE_TEST(OpenPageTest)
#include "OpenPageTest.moc"
