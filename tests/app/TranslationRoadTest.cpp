#include "TestRegistry.h"

#include "EditPage.h"
#include "ImageList.h"
#include "MainMenuGui.h"
#include "OpenPage.h"
#include "ProjectStore.h"
#include "TranslationRoad.h"
#include "ValueListDelegate.h"
#include "ValueListModel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

namespace {

// The fonts the value list draws a cell with.
class DelegateProbe : public ValueListDelegate {
public:
    QFont font(const QModelIndex& index) const {
        QStyleOptionViewItem option;
        initStyleOption(&option, index);
        return option.font;
    }
};

QStringList itemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) {
        texts.append(box->itemText(i));
    }
    return texts;
}

bool fullyTransparent(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return false;
            }
        }
    }
    return true;
}

// "Name=value" lines of a file, each ended by CR LF and never by a bare LF.
bool crlfOnly(const QByteArray& bytes) {
    return bytes.count('\n') == bytes.count("\r\n") && bytes.endsWith("\r\n");
}

} // namespace

class TranslationRoadTest : public QObject {
    Q_OBJECT
private slots:
    void languagesListedWithFlags();
    void storedChoicesRestored_data();
    void storedChoicesRestored();
    void pickStoresAtOnce();
    void editLanguageNeedsExtension();
    void editPageIsPartOfTheWindow();
    void roadToTheFirstSave();
    void lastMissingEntryAndNewSection();
    void f2WithNothingChosen();
    void f2OnOpenPageSavesTheRememberedEntry();
    void readOnlyDestination();
    void cyrillicDestination();
    void textOutsideTheCodePageRefused_data();
    void textOutsideTheCodePageRefused();
};

void TranslationRoadTest::languagesListedWithFlags() {
    TranslationRoad road;
    road.writeFile(QStringLiteral("basque"), "[MainWindow]\r\nCaption=Lumen Notes\r\n");
    road.addProject(QStringLiteral("Lumen"), "english", "GERMAN", "French");
    OpenPage& page = road.fixture().openPage();
    QList<QPair<int, int>> progress;
    QObject::connect(page.pgLoad(), &QProgressBar::valueChanged, page.pgLoad(), [&progress, &page](int value) {
        if (page.pgLoad()->isVisible()) {
            progress.append({value, page.pgLoad()->maximum()});
        }
    });
    QVERIFY(road.open(QStringLiteral("Lumen")));

    const QStringList expected = {"basque", "English", "French", "German", "Russian"};
    const QList<QComboBox*> boxes = {page.cbProjectLanguageReference(), page.cbProjectLanguageSource(),
                                     page.cbProjectLanguageDestination()};
    for (QComboBox* box : boxes) {
        QCOMPARE(itemTexts(box), expected);
        for (int i = 0; i < box->count(); ++i) {
            QVERIFY(!box->itemIcon(i).isNull());
        }
    }
    QCOMPARE(road.window().ilFlags16().count(), expected.size());
    const QImage blank = road.window().ilFlags16().icon(0).pixmap(16, 16).toImage();
    QCOMPARE(blank.size(), QSize(16, 16));
    QVERIFY(fullyTransparent(blank));
    QVERIFY(!fullyTransparent(road.window().ilFlags16().icon(1).pixmap(16, 16).toImage()));
    QCOMPARE(progress.constLast(), qMakePair(4, 5));
    QVERIFY(page.pgLoad()->isHidden());

    // A second refresh starts the image list again rather than adding to it.
    QTest::mouseClick(page.bnRefreshLanguages(), Qt::LeftButton);
    QCOMPARE(road.window().ilFlags16().count(), expected.size());
    QCOMPARE(itemTexts(page.cbProjectLanguageSource()), expected);
}

void TranslationRoadTest::storedChoicesRestored_data() {
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("other case") << QStringList{"ENGLISH", "german", "rUSSIAN"}
                                << QStringList{"English", "German", "Russian"};
    QTest::newRow("file gone") << QStringList{"English", "Klingon", "French"} << QStringList{"English", "", "French"};
    QTest::newRow("nothing stored") << QStringList{"", "", ""} << QStringList{"", "", ""};
}

void TranslationRoadTest::storedChoicesRestored() {
    QFETCH(QStringList, stored);
    QFETCH(QStringList, shown);
    TranslationRoad road;
    road.addProject(QStringLiteral("Lumen"), stored[0], stored[1], stored[2]);
    QVERIFY(road.open(QStringLiteral("Lumen")));
    OpenPage& page = road.fixture().openPage();
    const ProjectSession& session = road.window().session();
    QStringList chosen;
    for (const auto role : {EditingState::Reference, EditingState::Source, EditingState::Destination}) {
        chosen.append(session.language(role).value_or(QString()));
    }
    QCOMPARE(chosen, shown);
    QCOMPARE(page.cbProjectLanguageSource()->currentIndex() < 0, shown[1].isEmpty());
    // Restoring wrote nothing back: the stored spellings are the user's.
    const QStringList names = {ProjectStore::valueReference, ProjectStore::valueSource, ProjectStore::valueDestination};
    for (int i = 0; i < names.size(); ++i) {
        const std::optional<QString> value = road.fixture().projectValue(QStringLiteral("Lumen"), names[i]);
        QCOMPARE(value.value_or(QString()), stored[i]);
    }
}

void TranslationRoadTest::pickStoresAtOnce() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.open(QStringLiteral("Lumen")));
    QComboBox* destination = road.fixture().openPage().cbProjectLanguageDestination();
    destination->setFocus();
    QTest::keyClick(destination, Qt::Key_Down);
    QCOMPARE(destination->currentText(), QStringLiteral("German"));
    QCOMPARE(road.fixture().projectValue("Lumen", ProjectStore::valueDestination), QString("German"));
    QCOMPARE(road.fixture().projectValue("Lumen", ProjectStore::valueSource), QString("German"));
    QCOMPARE(road.fixture().projectValue("Lumen", ProjectStore::valueReference), QString("English"));
}

void TranslationRoadTest::editLanguageNeedsExtension() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.open(QStringLiteral("Lumen")));
    OpenPage& page = road.fixture().openPage();
    page.editProjectLanguageExtension()->clear();
    QCOMPARE(page.cbProjectLanguageDestination()->currentText(), QStringLiteral("French"));
    QVERIFY(!road.pressEditLanguage());
    QVERIFY(!road.window().session().editing().hasDocuments());
    QCOMPARE(road.sections()->model()->rowCount(), 0);
    QVERIFY(road.fixture().action(QStringLiteral("miProject"))->isVisible());
}

void TranslationRoadTest::editPageIsPartOfTheWindow() {
    TranslationRoad road;
    QStringList order;
    for (QObject* component : road.window().components()) {
        order.append(component->objectName());
    }
    const QStringList editControls = {"lvLanguageSections",   "lvLanguageValues",   "labelLngSource",
                                      "labelLanguageSection", "labelLanguageValue", "bnSaveLanguageEntry",
                                      "memoLngEdit"};
    for (const QString& name : editControls) {
        QVERIFY2(order.indexOf("tsEdit") < order.indexOf(name) && order.indexOf(name) < order.indexOf("tsNfo"),
                 qPrintable(name));
        QVERIFY2(road.window().tsEdit()->isAncestorOf(road.fixture().find<QWidget>(name)), qPrintable(name));
    }
    // The flat button shows the window's F2 action; Ctrl+F in the edit field reaches pmEdit.
    auto* save = road.fixture().find<QToolButton>(QStringLiteral("bnSaveLanguageEntry"));
    QCOMPARE(save->defaultAction(), road.fixture().action(QStringLiteral("aSaveLanguageEntry")));
    road.addLumen();
    QVERIFY(road.openEditPage());
    QSignalSpy search(road.fixture().action(QStringLiteral("pmiSearchForText")), &QAction::triggered);
    road.memo()->setFocus();
    QTest::keyClick(road.memo(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(search.count(), 1);
    QCOMPARE(road.memo()->contextMenuPolicy(), Qt::CustomContextMenu);
}

void TranslationRoadTest::roadToTheFirstSave() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEditPage());
    QVERIFY(!road.fixture().action(QStringLiteral("miProject"))->isVisible());
    const QList<QPair<QString, int>> marks = {{"About", 0},      {"Images", 2},   {"Main", 2},
                                              {"MainWindow", 1}, {"Messages", 1}, {"Options", 0}};
    QCOMPARE(road.sectionMarks(), marks);

    QVERIFY(road.clickSection(QStringLiteral("MainWindow")));
    QCOMPARE(road.fixture().find<QLabel>(QStringLiteral("labelLanguageSection"))->text(), QStringLiteral("MainWindow"));
    QCOMPARE(road.column(road.values(), 0),
             (QStringList{"Caption", "MenuEdit", "MenuFile", "MenuHelp", "StatusReady", "StatusWords"}));
    QCOMPARE(road.column(road.values(), 1),
             (QStringList{"Lumen Notes", "&Édition", "&Fichier", "&Hilfe", "Bereit", "%d Wörter"}));
    // Plain: the same text as the source; italic: translated differently; bold: missing.
    const DelegateProbe probe;
    const QList<QPair<bool, bool>> boldItalic = {{false, false}, {false, true}, {false, true},
                                                 {true, false},  {true, false}, {true, false}};
    for (int row = 0; row < boldItalic.size(); ++row) {
        for (int column = 0; column < 2; ++column) {
            const QFont font = probe.font(road.values()->model()->index(row, column));
            QCOMPARE(qMakePair(font.bold(), font.italic()), boldItalic[row]);
        }
    }
    QCOMPARE(road.selectedKey(), QStringLiteral("Caption"));
    QCOMPARE(road.memo()->toPlainText(), QStringLiteral("Lumen Notes"));

    QVERIFY(road.clickEntry(QStringLiteral("MenuHelp")));
    QCOMPARE(road.memo()->toPlainText(), QStringLiteral("&Hilfe"));
    QCOMPARE(road.memo()->toolTip(), QStringLiteral("Current translation:\r\n&Hilfe\r\n\r\nSource translation:\r\n"
                                                    "&Hilfe\r\n\r\nReference translation:\r\n&Help"));
    QCOMPARE(road.fixture().find<QLabel>(QStringLiteral("labelLngSource"))->text(), QStringLiteral("&Hilfe"));
    QCOMPARE(road.fixture().find<QLabel>(QStringLiteral("labelLanguageValue"))->text(), QStringLiteral("MenuHelp"));

    road.typeIntoMemo(QStringLiteral("a\nb"));
    QCOMPARE(road.memo()->toPlainText(), QStringLiteral("a\nb"));
    road.pressF2();
    const QByteArray saved = road.bytes(QStringLiteral("French"));
    QVERIFY(saved.contains("[MainWindow]\r\nCaption=Lumen Notes\r\nMenuFile=&Fichier\r\nMenuEdit=&\xC9"
                           "dition\r\nMenuHelp=a%0D%0Ab\r\n"));
    QVERIFY(crlfOnly(saved));
    QCOMPARE(road.column(road.values(), 1).at(3), QStringLiteral("a%0D%0Ab"));
    QCOMPARE(road.values()->model()->index(3, 0).data(RowMarkRole).toInt(), 2);
    QCOMPARE(road.selectedKey(), QStringLiteral("StatusReady"));
    QCOMPARE(road.memo()->toPlainText(), QStringLiteral("Bereit"));
    QVERIFY(road.fixture().dialogs().errors().isEmpty());
}

void TranslationRoadTest::lastMissingEntryAndNewSection() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEntry(QStringLiteral("MainWindow"), QStringLiteral("StatusWords")));
    road.typeIntoMemo(QStringLiteral("%d mots"));
    road.pressF2();
    QVERIFY(road.bytes(QStringLiteral("French")).contains("\r\nStatusWords=%d mots\r\n"));
    // The last entry of the list stays chosen with the text just saved.
    QCOMPARE(road.selectedKey(), QStringLiteral("StatusWords"));
    QCOMPARE(road.memo()->toPlainText(), QStringLiteral("%d mots"));

    // "About" is not in the destination: the first save appends it to the end of the file.
    QVERIFY(road.clickSection(QStringLiteral("About")));
    QCOMPARE(road.selectedKey(), QStringLiteral("Copyright"));
    road.typeIntoMemo(QStringLiteral("(c) Lumen Logiciel"));
    road.pressF2();
    const QByteArray saved = road.bytes(QStringLiteral("French"));
    QCOMPARE(saved.mid(saved.lastIndexOf('[')).trimmed(), QByteArray("[About]\r\nCopyright=(c) Lumen Logiciel"));
    QVERIFY(saved.contains("\r\nSaveChanges=Enregistrer les modifications de %s ?\r\n"));
    QCOMPARE(road.selectedKey(), QStringLiteral("Thanks"));
}

void TranslationRoadTest::f2WithNothingChosen() {
    TranslationRoad road;
    road.addLumen();
    const auto before = road.snapshot();
    QVERIFY(road.open(QStringLiteral("Lumen")));
    road.pressF2();
    QVERIFY(road.pressEditLanguage());
    road.pressF2(); // the page is entered but no section is chosen
    QCOMPARE(road.snapshot(), before);
    QVERIFY(road.fixture().dialogs().errors().isEmpty());
}

void TranslationRoadTest::f2OnOpenPageSavesTheRememberedEntry() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEntry(QStringLiteral("MainWindow"), QStringLiteral("MenuHelp")));
    road.typeIntoMemo(QStringLiteral("&Aide"));
    road.pressF2();
    QCOMPARE(road.selectedKey(), QStringLiteral("StatusReady"));
    QVERIFY(road.fixture().trigger(QStringLiteral("miFileOpen")));
    QCOMPARE(road.window().pcMain()->currentWidget(), road.window().tsOpen());
    // The field now holds the next entry's pre-filled text; F2 here accepts it.
    road.pressF2();
    const QByteArray saved = road.bytes(QStringLiteral("French"));
    QVERIFY(saved.contains("\r\nMenuHelp=&Aide\r\nStatusReady=Bereit\r\n"));
    QCOMPARE(road.selectedKey(), QStringLiteral("StatusWords"));
    QCOMPARE(road.window().pcMain()->currentWidget(), road.window().tsOpen());
}

void TranslationRoadTest::readOnlyDestination() {
    TranslationRoad road;
    road.addLumen();
    const QByteArray before = road.bytes(QStringLiteral("French"));
    QFile::setPermissions(road.file(QStringLiteral("French")), QFile::ReadOwner | QFile::ReadUser);
    QVERIFY(road.openEntry(QStringLiteral("MainWindow"), QStringLiteral("MenuHelp")));
    road.typeIntoMemo(QStringLiteral("&Aide"));
    road.pressF2();
    const QStringList errors = road.fixture().dialogs().errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(QStringLiteral("Cannot create file \"%1\".").arg(road.file("French"))),
             qPrintable(errors[0]));
    QCOMPARE(road.bytes(QStringLiteral("French")), before);
    QCOMPARE(road.selectedKey(), QStringLiteral("MenuHelp"));
    QCOMPARE(road.values()->model()->index(3, 0).data(RowMarkRole).toInt(), 1);
}

void TranslationRoadTest::cyrillicDestination() {
    TranslationRoad road;
    road.addLumen(QStringLiteral("Russian"));
    QVERIFY(road.openEditPage());
    QVERIFY(road.clickSection(QStringLiteral("MainWindow")));
    QCOMPARE(road.column(road.values(), 1).at(2), QStringLiteral("&Файл"));
    QVERIFY(road.clickEntry(QStringLiteral("MenuFile")));
    QCOMPARE(road.memo()->toPlainText(), QStringLiteral("&Файл"));
    QVERIFY(road.clickEntry(QStringLiteral("StatusWords")));
    road.typeIntoMemo(QStringLiteral("%d слов"));
    road.pressF2();
    QVERIFY(road.fixture().dialogs().errors().isEmpty());
    QVERIFY(road.bytes(QStringLiteral("Russian")).contains("\r\nStatusWords=%d \xF1\xEB\xEE\xE2\r\n"));
    QCOMPARE(road.column(road.values(), 1).at(5), QStringLiteral("%d слов"));
}

void TranslationRoadTest::textOutsideTheCodePageRefused_data() {
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("text");
    QTest::newRow("Greek into Windows-1251") << "Russian" << QStringLiteral("Ωμέγα");
    QTest::newRow("Cyrillic into Windows-1252") << "French" << QStringLiteral("Файл");
}

void TranslationRoadTest::textOutsideTheCodePageRefused() {
    QFETCH(QString, destination);
    QFETCH(QString, text);
    TranslationRoad road;
    road.addLumen(destination);
    const auto before = road.snapshot();
    QVERIFY(road.openEntry(QStringLiteral("MainWindow"), QStringLiteral("StatusWords")));
    road.typeIntoMemo(text);
    road.pressF2();
    QCOMPARE(road.fixture().dialogs().errors().size(), 1);
    QCOMPARE(road.snapshot(), before);
    QCOMPARE(road.selectedKey(), QStringLiteral("StatusWords"));
    QCOMPARE(road.memo()->toPlainText(), text);
}

TOLVANE_TEST(TranslationRoadTest)
#include "TranslationRoadTest.moc"
