#include "TestRegistry.h"

#include "OpenPage.h"
#include "ProjectSession.h"
#include "RowMark.h"
#include "TestFiles.h"
#include "TranslationRoad.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

// The special page walked as a translator does: "Edit &special", a category, an entry, typing
// and F3, with the bytes on disk checked. TOLVANE_SCREENSHOT_DIR=<folder> saves special-page.png there.
class SpecialRoadTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void roadToTheFirstSpecialSave();
    void destinationCodePage_data();
    void destinationCodePage();

private:
    QString catalogue(const QString& name) const { return m_road->folder() + "/Catalogue/" + name; }
    void enter(const QString& destination);
    void chooseCategory(const QString& name);
    void clickEntry(const QString& caption);
    QStringList marks(int count, const std::function<QPair<QString, int>(int)>& row) const;
    QStringList categories() const;
    QStringList entries() const;
    int selectedEntry() const;
    QWidget* focus() const { return QApplication::focusWidget(); }
    QComboBox* combo() const { return m_road->fixture().find<QComboBox>("cbSpecialFiles"); }
    QTreeWidget* list() const { return m_road->fixture().find<QTreeWidget>("lvInfoEntries"); }
    QLineEdit* edit(const char* name) const { return m_road->fixture().find<QLineEdit>(name); }
    QString label(const char* name) const { return m_road->fixture().find<QLabel>(name)->text(); }

    std::unique_ptr<TranslationRoad> m_road;
};

void SpecialRoadTest::init() {
    m_road = std::make_unique<TranslationRoad>();
    const QDir examples(QStringLiteral(TOLVANE_TEST_DATA "/../../examples/LumenNotes/Catalogue"));
    QDir().mkpath(m_road->folder() + "/Catalogue");
    for (const QString& name : examples.entryList(QDir::Files)) {
        TestFiles::write(catalogue(name), TestFiles::read(examples.filePath(name)));
    }
}

void SpecialRoadTest::cleanup() {
    m_road.reset();
}

void SpecialRoadTest::enter(const QString& destination) {
    m_road->addLumen(destination);
    m_road->fixture().writeProject("Lumen",
                                   {{"SpecialPath", m_road->folder() + "/Catalogue/"}, {"SpecialExtension", "nfo"}});
    QVERIFY(m_road->open("Lumen"));
    QPushButton* button = m_road->fixture().openPage().bnEditSpecial();
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(m_road->fixture().find<QTabWidget>("pcMain")->currentWidget()->objectName(), QStringLiteral("tsNfo"));
}

void SpecialRoadTest::chooseCategory(const QString& name) {
    combo()->setFocus();
    // Keys typed within the interval extend the last search: pause as a user would.
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(focus(), name);
    QCOMPARE(combo()->currentText(), name);
}

void SpecialRoadTest::clickEntry(const QString& caption) {
    const QList<QTreeWidgetItem*> found = list()->findItems(caption, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list()->scrollToItem(found.first());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(found.first()).center());
}

QStringList SpecialRoadTest::marks(int count, const std::function<QPair<QString, int>(int)>& row) const {
    QStringList shown;
    for (int index = 0; index < count; ++index) {
        const auto [caption, mark] = row(index);
        shown.append(caption + ":" + QString::number(mark));
    }
    return shown;
}

QStringList SpecialRoadTest::categories() const {
    return marks(combo()->count(),
                 [this](int index) { return qMakePair(combo()->itemText(index), combo()->itemData(index).toInt()); });
}

QStringList SpecialRoadTest::entries() const {
    return marks(list()->topLevelItemCount(), [this](int index) {
        const QTreeWidgetItem* item = list()->topLevelItem(index);
        return qMakePair(item->text(0), item->data(0, RowMarkRole).toInt());
    });
}

int SpecialRoadTest::selectedEntry() const {
    const QList<QTreeWidgetItem*> selected = list()->selectedItems();
    return selected.isEmpty() ? -1 : list()->indexOfTopLevelItem(selected.first());
}

void SpecialRoadTest::roadToTheFirstSpecialSave() {
    enter("French");
    // Language files match the pattern too; marks from the French and German files.
    QCOMPARE(categories(),
             (QStringList{"Adware:0", "Toolbars:1", "Toolbars.English:0", "Toolbars.German:0", "Trackers:2",
                          "Trackers.English:0", "Trackers.French:0", "Trackers.German:0", "Trackers.Russian:0"}));
    QCOMPARE(combo()->currentIndex(), -1);
    chooseCategory("Trackers");
    QCOMPARE(label("labelInfoCategory"), QStringLiteral("Trackers"));
    QCOMPARE(entries(), (QStringList{"ClipBeacon:2", "NoteMiner:0", "PixelTrail:2", "SyncLeech:1"}));
    QCOMPARE(selectedEntry(), -1);

    // The French section's empty Threat hides the German text.
    clickEntry("PixelTrail");
    QCOMPARE(edit("eThreat")->text(), QString());
    QCOMPARE(edit("eCompany")->text(), QStringLiteral("Tessel Media"));

    clickEntry("NoteMiner");
    QCOMPARE(label("labelInfoEntry"), QStringLiteral("NoteMiner"));
    QCOMPARE(focus(), edit("eCompany"));
    const QString company = edit("eCompany")->text();
    QCOMPARE(edit("eCompany")->selectedText(), company);
    QTest::keyClicks(focus(), "Lumen Labs");
    const QByteArray before = TestFiles::read(catalogue("Trackers.French.nfo"));
    QTest::keyClick(focus(), Qt::Key_F3);

    // The entry came from the English file only; now the French file holds all twelve keys.
    const QByteArray after = TestFiles::read(catalogue("Trackers.French.nfo"));
    QVERIFY(after.startsWith(before.trimmed()));
    const QByteArray english = TestFiles::read(catalogue("Trackers.English.nfo"));
    QByteArray block = english.mid(english.indexOf("[NoteMiner]"));
    block = block.left(block.indexOf("\r\n\r\n") + 4);
    block.replace("Company=" + company.toLatin1() + "\r\n", "Company=Lumen Labs\r\n");
    QCOMPARE(after.mid(after.indexOf("[NoteMiner]")), block);
    QCOMPARE(block.count("\r\n"), 14);
    QCOMPARE(entries(), (QStringList{"ClipBeacon:2", "NoteMiner:2", "PixelTrail:2", "SyncLeech:1"}));
    // On to the next entry, ready for typing.
    QCOMPARE(selectedEntry(), 2);
    QCOMPARE(label("labelInfoEntry"), QStringLiteral("PixelTrail"));
    QCOMPARE(m_road->fixture().session().specialEntry(), QByteArray("PixelTrail"));
    QCOMPARE(focus(), edit("eCompany"));
    QVERIFY(m_road->fixture().dialogs().errors().isEmpty());

    clickEntry("ClipBeacon");
    QCOMPARE(edit("eThreat")->text(), QStringLiteral("Capture web espion"));

    // The first save into a category without a French file creates it: the category is marked.
    chooseCategory("Toolbars");
    clickEntry(list()->topLevelItem(0)->text(0));
    QTest::keyClick(focus(), Qt::Key_F3);
    QVERIFY(QFile::exists(catalogue("Toolbars.French.nfo")));
    QCOMPARE(categories().at(1), QStringLiteral("Toolbars:2"));
    chooseCategory("Trackers");
    clickEntry("ClipBeacon");
    const QString pictures = qEnvironmentVariable("TOLVANE_SCREENSHOT_DIR");
    if (!pictures.isEmpty()) {
        QCoreApplication::processEvents();
        QVERIFY(m_road->window().grab().save(QDir(pictures).filePath("special-page.png")));
    }
}

void SpecialRoadTest::destinationCodePage_data() {
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QByteArray>("stored"); // the Company line written, empty when refused
    QTest::newRow("Cyrillic into Windows-1251") << "Russian" << QByteArray("Company=\xce\xf0\xe2\xe8\xea\r\n");
    QTest::newRow("Cyrillic refused by Windows-1252") << "French" << QByteArray();
}

void SpecialRoadTest::destinationCodePage() {
    QFETCH(QString, destination);
    QFETCH(QByteArray, stored);
    enter(destination);
    chooseCategory("Trackers");
    const QString file = catalogue("Trackers." + destination + ".nfo");
    const QByteArray before = TestFiles::read(file);
    clickEntry("SyncLeech");
    // keyClicks takes Latin-1 only: Cyrillic comes as typed key text.
    for (const QChar letter : QStringLiteral("Орвик")) {
        QTest::sendKeyEvent(QTest::Click, focus(), Qt::Key_unknown, QString(letter), Qt::NoModifier);
    }
    QTest::keyClick(focus(), Qt::Key_F3);
    const QByteArray after = TestFiles::read(file);
    const QStringList errors = m_road->fixture().dialogs().errors();
    if (stored.isEmpty()) {
        QCOMPARE(after, before);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().contains("Company"));
        QCOMPARE(entries().last(), QStringLiteral("SyncLeech:1"));
        QCOMPARE(label("labelInfoEntry"), QStringLiteral("SyncLeech"));
    } else {
        QVERIFY(errors.isEmpty());
        QVERIFY(after.contains("[SyncLeech]\r\n" + stored));
        QCOMPARE(entries().last(), QStringLiteral("SyncLeech:2"));
    }
    // The last entry stays selected either way.
    QCOMPARE(selectedEntry(), list()->topLevelItemCount() - 1);
}

TOLVANE_TEST(SpecialRoadTest)
#include "SpecialRoadTest.moc"
