#include "TestFiles.h"
#include "TestRegistry.h"

#include "CheckedFileList.h"
#include "EditPage.h"
#include "IniDocument.h"
#include "MainWindowFixture.h"
#include "OpenPage.h"
#include "RulesPage.h"
#include "SorterPage.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

// Both bulk pages walked as a user: the list filled from the project, items checked by button
// and by hand, files sorted and rules applied, checked on disk and in the editing page's document.
// TOLVANE_SCREENSHOT_DIR=<folder> saves sorter-page.png and rules-page.png there.
class BulkPagesTest : public QObject {
    Q_OBJECT
private slots:
    void sortThenApplyRules();
    void noDestinationIsSaid();

private:
    static QStringList captions(const CheckedFileList& list, bool checkedOnly = false);
    static void toggleByHand(CheckedFileList& list, int row);
    static void save(QWidget& window, const QString& name);
};

void BulkPagesTest::save(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("TOLVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QCoreApplication::processEvents();
        QVERIFY(window.grab().save(QDir(folder).filePath(name)));
    }
}

QStringList BulkPagesTest::captions(const CheckedFileList& list, bool checkedOnly) {
    QStringList names;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        if (!checkedOnly || list.isChecked(row)) {
            names.append(list.topLevelItem(row)->text(0));
        }
    }
    return names;
}

// A click on the item, then the space bar, as a keyboard user checks it.
void BulkPagesTest::toggleByHand(CheckedFileList& list, int row) {
    const QRect rect = list.visualRect(list.model()->index(row, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    QTest::keyClick(&list, Qt::Key_Space);
}

void BulkPagesTest::sortThenApplyRules() {
    MainWindowFixture fixture;
    const QString lang = fixture.makeFolder(QStringLiteral("lang"));
    const QString special = fixture.makeFolder(QStringLiteral("special"));
    TestFiles::write(lang + "/English.lng", "[b]\r\nZeta=1\r\nalpha=2\r\n[A]\r\nx=1\r\n");
    const QByteArray german("[Form1]\r\nCaption=Titel\r\nb=2\r\nloose line\r\n[Alpha]\r\nk=v\r\n[form1]\r\na=1\r\n");
    TestFiles::write(lang + "/German.lng", german);
    TestFiles::write(special + "/Adware.German.nfo", "[Z]\r\nz=1\r\n[Y]\r\ny=1\r\n");
    TestFiles::write(special + "/Adware.English.nfo", "[Z]\r\nz=1\r\n[Y]\r\ny=1\r\n");
    const QString rules = fixture.path(QStringLiteral("rules.txt"));
    TestFiles::write(rules, "MOVEVALUE Form1 Form2 Caption\r\nmovekey A B\r\nCOPYKEY,Alpha,\"New One\"\r\n");
    fixture.writeProject(QStringLiteral("P"), {{"Path", lang},
                                               {"Extension", "lng"},
                                               {"SpecialPath", special},
                                               {"SpecialExtension", "nfo"},
                                               {"Ref", "English"},
                                               {"Source", "English"},
                                               {"Destination", "German"}});
    QVERIFY(fixture.show());
    QVERIFY(fixture.clickProject(QStringLiteral("P")));
    TformMain& window = fixture.window();

    // The editing page holds German.lng while the bulk pages rewrite it.
    QTest::mouseClick(fixture.openPage().bnEditLng(), Qt::LeftButton);
    QVERIFY(fixture.session().editing().hasDocuments());
    QVERIFY(fixture.trigger(QStringLiteral("miFileOpen")));

    QTest::mouseClick(fixture.openPage().bnSortPage(), Qt::LeftButton);
    QCOMPARE(window.pcMain()->currentWidget(), window.tsSorter());
    auto* sorter = static_cast<SorterPage*>(window.tsSorter());
    CheckedFileList& sortList = *sorter->fileList();
    QCOMPARE(captions(sortList), QStringList({"English.lng", "German.lng", "Adware.English.nfo", "Adware.German.nfo"}));
    QCOMPARE(sortList.topLevelItem(0)->text(1), lang + QDir::separator());
    QVERIFY(captions(sortList, true).isEmpty());
    QTest::mouseClick(sorter->bnSortSelectAll(), Qt::LeftButton);
    QCOMPARE(captions(sortList, true).size(), 4);
    QTest::mouseClick(sorter->bnSortSelectDestination(), Qt::LeftButton);
    QCOMPARE(captions(sortList, true), QStringList({"German.lng", "Adware.German.nfo"}));
    toggleByHand(sortList, 3);
    QCOMPARE(captions(sortList, true), QStringList({"German.lng"}));
    save(window, QStringLiteral("sorter-page.png"));

    QTest::mouseClick(sorter->bnSortDoSort(), Qt::LeftButton);
    QVERIFY(captions(sortList, true).isEmpty());
    QCOMPARE(TestFiles::read(lang + "/German.lng"),
             QByteArray("[Alpha]\r\nk=v\r\n\r\n[Form1]\r\na=1\r\nb=2\r\nCaption=Titel\r\nloose line\r\n\r\n"));
    QCOMPARE(TestFiles::read(special + "/Adware.German.nfo"), QByteArray("[Z]\r\nz=1\r\n[Y]\r\ny=1\r\n"));
    QVERIFY(fixture.dialogs().errors().isEmpty());

    QVERIFY(fixture.trigger(QStringLiteral("aProjectApplyRules")));
    QCOMPARE(window.pcMain()->currentWidget(), window.tsRules());
    auto* rulesPage = static_cast<RulesPage*>(window.tsRules());
    CheckedFileList& rulesList = *rulesPage->fileList();
    QCOMPARE(captions(rulesList), QStringList({"English.lng", "German.lng"}));
    QVERIFY(!rulesPage->bnRulesDoApply()->isEnabled());
    fixture.dialogs().setNextFile(rules);
    QTest::mouseClick(rulesPage->bnRulesSelectFile(), Qt::LeftButton);
    QCOMPARE(rulesPage->labelRulesFile()->text(), rules);
    QVERIFY(rulesPage->bnRulesDoApply()->isEnabled());
    QTest::mouseClick(rulesPage->bnRulesSelectAll(), Qt::LeftButton);
    save(window, QStringLiteral("rules-page.png"));
    QTest::mouseClick(rulesPage->bnRulesDoApply(), Qt::LeftButton);

    QVERIFY(captions(rulesList, true).isEmpty());
    QCOMPARE(
        TestFiles::read(lang + "/German.lng"),
        QByteArray("[Alpha]\r\nk=v\r\n\r\n[Form1]\r\na=1\r\nb=2\r\nloose line\r\n\r\n[Form2]\r\nCaption=Titel\r\n\r\n"
                   "[New One]\r\nk=v\r\n\r\n"));
    // Lower-case movekey is no rule; the English file is only brought into normal form.
    QCOMPARE(TestFiles::read(lang + "/English.lng"), QByteArray("[b]\r\nZeta=1\r\nalpha=2\r\n\r\n[A]\r\nx=1\r\n\r\n"));
    QVERIFY(fixture.dialogs().errors().isEmpty());
    // The editing page's destination is what is on disk now, not what was loaded before.
    const IniDocument* destination = fixture.session().editing().document(EditingState::Destination);
    QCOMPARE(destination->readString("Form2", "Caption"), QByteArray("Titel"));
    QVERIFY(!destination->hasKey("Form1", "Caption"));
}

void BulkPagesTest::noDestinationIsSaid() {
    MainWindowFixture fixture;
    const QString lang = fixture.makeFolder(QStringLiteral("lang"));
    TestFiles::write(lang + "/German.lng", "[B]\r\nb=1\r\n[A]\r\na=1\r\n");
    fixture.writeProject(QStringLiteral("P"), {{"Path", lang}, {"Extension", "lng"}});
    QVERIFY(fixture.show());
    QVERIFY(fixture.clickProject(QStringLiteral("P")));
    QVERIFY(fixture.trigger(QStringLiteral("miProjectSort")));
    QTest::mouseClick(fixture.openPage().bnSortPage(), Qt::LeftButton);
    auto* sorter = static_cast<SorterPage*>(fixture.window().tsSorter());
    QTest::mouseClick(sorter->bnSortSelectDestination(), Qt::LeftButton);
    const QString warning = QStringLiteral("Please select a destination language first!");
    QCOMPARE(fixture.dialogs().errors(), QStringList({warning, warning}));
    QCOMPARE(TestFiles::read(lang + "/German.lng"), QByteArray("[B]\r\nb=1\r\n[A]\r\na=1\r\n"));
}

TOLVANE_TEST(BulkPagesTest)
#include "BulkPagesTest.moc"
