#include "EditPage.h"
#include "ComponentList.h"
#include "EditingState.h"
#include "EditorTestFiles.h"
#include "PageContextFixture.h"
#include "RowMark.h"
#include "TestRegistry.h"
#include "ValueListDelegate.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using EditorTestFiles::read;

// The editing page walked like a translator does: enter, choose a section, press F2, and look
// at the bytes on disk.
class EditPageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void enteringListsSectionsWithMarks();
    void incompleteRequestDoesNothing();
    void valueListMarksAndFonts();
    void walkSectionToItsLastMissingEntry();
    void newSectionIsAppended();
    void f2WithNothingChosenWritesNothing();
    void choosingAnEmptySectionClearsTheKey();
    void changedFileKeptOnSave();
    void failedSaveMovesNothing();
    void refusedTextMovesNothing();
    void objectNamesAndButton();
    void clickOnTheChosenRowRunsItsClickAgain();

private:
    QString destination() const { return m_dir->filePath("German.tvl"); }
    QTreeView* sections() const { return m_page->findChild<QTreeView*>("lvLanguageSections"); }
    QTreeView* values() const { return m_page->findChild<QTreeView*>("lvLanguageValues"); }
    QPlainTextEdit* memo() const { return m_page->findChild<QPlainTextEdit*>("memoLngEdit"); }
    QString label(const char* name) const { return m_page->findChild<QLabel*>(name)->text(); }
    void enter();
    void clickRow(QTreeView* view, int row, int column = 0);
    void pressF2();
    int selectedValueRow() const;
    QFont fontOf(int row, int column) const;
    // The status line, then every row of both lists: its texts and its mark.
    QStringList shownLists() const;
    QStringList errors() const { return m_pages->dialogs().errors(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PageContextFixture> m_pages;
    QWidget* m_window = nullptr;
    EditPage* m_page = nullptr;
    QAction* m_save = nullptr;
};

void EditPageTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    EditorTestFiles::copyProject(*m_dir);
    m_pages = std::make_unique<PageContextFixture>();
    m_window = &m_pages->window();
    m_page = new EditPage(m_pages->context(), m_window);
    m_save = new QAction(QStringLiteral("F2"), m_window);
    m_save->setObjectName("aSaveLanguageEntry");
    m_save->setShortcut(Qt::Key_F2);
    m_save->setShortcutContext(Qt::ApplicationShortcut);
    m_window->addAction(m_save);
    connect(m_save, &QAction::triggered, m_page, &EditPage::aSaveLanguageEntryExecute);
    m_page->setSaveAction(m_save);
    m_window->resize(800, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void EditPageTest::cleanup() {
    m_pages.reset();
    m_dir.reset();
}

void EditPageTest::enter() {
    QVERIFY(m_page->bnEditLng({"English", "French", "German", m_dir->path(), "tvl"}));
}

void EditPageTest::clickRow(QTreeView* view, int row, int column) {
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void EditPageTest::pressF2() {
    QTest::keyClick(memo(), Qt::Key_F2);
}

int EditPageTest::selectedValueRow() const {
    const QModelIndexList rows = values()->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

namespace {
struct DelegateProbe : ValueListDelegate {
    using ValueListDelegate::initStyleOption;
};
} // namespace

QStringList EditPageTest::shownLists() const {
    QStringList shown{label("labelLngStatus")};
    for (const QTreeView* view : {sections(), values()}) {
        const QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            QString line;
            for (int column = 0; column < model->columnCount(); ++column) {
                line += model->index(row, column).data().toString() + QLatin1Char('|');
            }
            shown.append(line + QString::number(model->index(row, 0).data(RowMarkRole).toInt()));
        }
    }
    return shown;
}

QFont EditPageTest::fontOf(int row, int column) const {
    QStyleOptionViewItem option;
    option.initFrom(values());
    DelegateProbe probe;
    probe.initStyleOption(&option, values()->model()->index(row, column));
    return option.font;
}

void EditPageTest::enteringListsSectionsWithMarks() {
    enter();
    QAbstractItemModel* model = sections()->model();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row) {
        shown.append(model->index(row, 0).data().toString() + ":" +
                     QString::number(model->index(row, 0).data(RowMarkRole).toInt()));
    }
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Section"));
    QCOMPARE(shown, (QStringList{"Buttons:2", "Empty:0", "Extra:0", "Main:1", "Menu:0", "Messages:1"}));
    QCOMPARE(values()->model()->rowCount(), 0);
    QCOMPARE(label("labelLanguageSection"), QStringLiteral("?"));
    QCOMPARE(label("labelLanguageValue"), QStringLiteral("?"));
    QCOMPARE(m_page->languageFiles().last(), destination());
}

void EditPageTest::incompleteRequestDoesNothing() {
    QVERIFY(!m_page->bnEditLng({"English", "French", "German", m_dir->path(), QString()}));
    QCOMPARE(sections()->model()->rowCount(), 0);
    QVERIFY(!m_page->state().hasDocuments());
}

void EditPageTest::valueListMarksAndFonts() {
    enter();
    clickRow(sections(), 0); // Buttons: Cancel (changed), Help (empty), Ok (equal to the source)
    QAbstractItemModel* model = values()->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(2, 0).data().toString(), QStringLiteral("Ok"));
    QCOMPARE(model->index(2, 1).data().toString(), QStringLiteral("OK"));
    // Cancel differs from the source (italic), Help is empty and Ok equals the source (plain).
    QCOMPARE(fontOf(0, 0).italic(), true);
    QCOMPARE(fontOf(0, 1).italic(), true);
    QCOMPARE(fontOf(0, 1).bold(), false);
    QCOMPARE(fontOf(1, 1).italic(), false);
    QCOMPARE(fontOf(2, 0).italic(), false);
    QCOMPARE(fontOf(2, 0).bold(), false);
    // The first entry is chosen at once.
    QCOMPARE(selectedValueRow(), 0);
    QCOMPARE(memo()->toPlainText(), QStringLiteral("Abbrechen"));
    QCOMPARE(label("labelLngSource"), QStringLiteral("Annuler"));
    QCOMPARE(label("labelLanguageSection"), QStringLiteral("Buttons"));
    QCOMPARE(label("labelLanguageValue"), QStringLiteral("Cancel"));
}

void EditPageTest::walkSectionToItsLastMissingEntry() {
    enter();
    clickRow(sections(), 5); // Messages: Count (present), Done (reference only), Welcome (source)
    QCOMPARE(memo()->toPlainText(), QStringLiteral("%d Dateien von %s"));
    pressF2();
    QCOMPARE(selectedValueRow(), 1);
    QCOMPARE(memo()->toPlainText(), QStringLiteral("100%"));
    memo()->setPlainText(QStringLiteral("100 %"));
    pressF2();
    QCOMPARE(selectedValueRow(), 2);
    QCOMPARE(memo()->toPlainText(), QStringLiteral("Bienvenue\ndans Tolvane"));
    QCOMPARE(label("labelLngSource"), QStringLiteral("Bienvenue\r\ndans Tolvane"));
    memo()->setPlainText(QStringLiteral("Willkommen\nin Tolvane"));
    pressF2();
    const QByteArray expected = "[Main]\r\nLanguageName=Deutsch\r\n\r\n[Buttons]\r\nok=OK\r\nCancel=Abbrechen\r\n"
                                "Help=\r\n\r\n[Messages]\r\nCount=%d Dateien von %s\r\nDone=100 %\r\n"
                                "Welcome=Willkommen%0D%0Ain Tolvane\r\n\r\n";
    QCOMPARE(read(destination()), expected);
    // The last entry stays chosen; the column shows the stored text and the entry is no longer bold.
    QCOMPARE(selectedValueRow(), 2);
    QCOMPARE(values()->model()->index(2, 1).data().toString(), QStringLiteral("Willkommen%0D%0Ain Tolvane"));
    QCOMPARE(values()->model()->index(2, 0).data(RowMarkRole).toInt(), 2);
    QCOMPARE(label("labelLanguageValue"), QStringLiteral("Welcome"));
    pressF2();
    QCOMPARE(read(destination()), expected);
    QVERIFY(errors().isEmpty());
}

void EditPageTest::newSectionIsAppended() {
    enter();
    clickRow(sections(), 4); // Menu, which the destination lacks
    QCOMPARE(memo()->toPlainText(), QStringLiteral("&Edit"));
    memo()->setPlainText(QStringLiteral("&Bearbeiten"));
    pressF2();
    QVERIFY(read(destination()).endsWith("Count=%d Dateien von %s\r\n\r\n[Menu]\r\nEdit=&Bearbeiten\r\n\r\n"));
    QCOMPARE(memo()->toPlainText(), QStringLiteral("&File"));
}

void EditPageTest::f2WithNothingChosenWritesNothing() {
    const QByteArray before = read(destination());
    const QDateTime modified = QFileInfo(destination()).lastModified();
    pressF2(); // before the page was ever entered
    enter();
    pressF2(); // entered, no section chosen
    QCOMPARE(read(destination()), before);
    QCOMPARE(QFileInfo(destination()).lastModified(), modified);
    QVERIFY(errors().isEmpty());
}

void EditPageTest::choosingAnEmptySectionClearsTheKey() {
    enter();
    clickRow(sections(), 0);
    QCOMPARE(m_page->state().currentKey, QByteArray("Cancel"));
    const QByteArray before = read(destination());
    clickRow(sections(), 1); // Empty: no entries anywhere
    QCOMPARE(values()->model()->rowCount(), 0);
    QVERIFY(m_page->state().currentKey.isEmpty());
    memo()->setPlainText(QStringLiteral("stray"));
    pressF2();
    QCOMPARE(read(destination()), before);
}

void EditPageTest::changedFileKeptOnSave() {
    enter();
    clickRow(sections(), 5);
    EditorTestFiles::write(destination(), "[Buttons]\r\nok=OK\r\n\r\n[Sorted]\r\nNew=x\r\n");
    pressF2();
    QCOMPARE(
        read(destination()),
        QByteArray("[Buttons]\r\nok=OK\r\n\r\n[Sorted]\r\nNew=x\r\n\r\n[Messages]\r\nCount=%d Dateien von %s\r\n\r\n"));
    QVERIFY(errors().isEmpty());
    // The page shows the file as it is now, as entering it afresh does.
    const QStringList afterSave = shownLists();
    const QModelIndexList chosen = sections()->selectionModel()->selectedRows();
    QCOMPARE(chosen.size(), 1);
    const int section = chosen.first().row();
    enter();
    clickRow(sections(), section);
    QCOMPARE(afterSave, shownLists());
}

void EditPageTest::failedSaveMovesNothing() {
    enter();
    clickRow(sections(), 5);
    const QByteArray before = read(destination());
    QVERIFY(QFile::setPermissions(destination(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    memo()->setPlainText(QStringLiteral("neu"));
    pressF2();
    QCOMPARE(errors().size(), 1);
    QVERIFY2(errors().first().startsWith("Cannot create file \"" + destination() + "\""), qPrintable(errors().first()));
    QCOMPARE(read(destination()), before);
    QCOMPARE(selectedValueRow(), 0);
    QCOMPARE(memo()->toPlainText(), QStringLiteral("neu"));
    // Once the file can be written again, the same F2 goes through.
    QVERIFY(QFile::setPermissions(destination(), QFile::ReadOwner | QFile::WriteOwner));
    pressF2();
    QVERIFY(read(destination()).contains("Count=neu\r\n"));
    QCOMPARE(selectedValueRow(), 1);
}

void EditPageTest::refusedTextMovesNothing() {
    enter();
    clickRow(sections(), 5);
    clickRow(values(), 1);
    const QByteArray before = read(destination());
    memo()->setPlainText(QStringLiteral("\u0413\u043e\u0442\u043e\u0432\u043e"));
    pressF2();
    QCOMPARE(errors().size(), 1);
    QCOMPARE(read(destination()), before);
    QCOMPARE(selectedValueRow(), 1);
    QCOMPARE(values()->model()->index(1, 0).data(RowMarkRole).toInt(), 0);
}

void EditPageTest::objectNamesAndButton() {
    QStringList names;
    for (QObject* component : m_pages->components().all()) {
        QVERIFY(!component->objectName().isEmpty());
        names.append(component->objectName());
    }
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const char* name : {"lvLanguageSections", "splitterEdit", "lvLanguageValues", "labelLngSource",
                             "labelLanguageSection", "labelLanguageValue", "bnSaveLanguageEntry", "memoLngEdit"}) {
        QVERIFY2(names.contains(QLatin1String(name)), name);
    }
    auto* button = m_page->findChild<QToolButton*>("bnSaveLanguageEntry");
    QCOMPARE(button->defaultAction(), m_save);
    QCOMPARE(button->text(), QStringLiteral("F2"));
    QCOMPARE(values()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Internal"));
    QCOMPARE(values()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Translation"));
    QCOMPARE(values()->header()->sectionSize(0), 120);
}

void EditPageTest::clickOnTheChosenRowRunsItsClickAgain() {
    enter();
    clickRow(sections(), 5); // Messages: Count, Done, Welcome
    clickRow(values(), 2);
    memo()->setPlainText(QStringLiteral("%%"));
    pressF2(); // the last entry: it stays chosen, the field as typed
    QCOMPARE(selectedValueRow(), 2);
    QCOMPARE(memo()->toPlainText(), QStringLiteral("%%"));
    clickRow(values(), 2);
    QCOMPARE(memo()->toPlainText(), QStringLiteral("%"));
    // Chosen by the program, no click: the field keeps its text.
    memo()->setPlainText(QStringLiteral("typed"));
    QVERIFY(m_page->selectValue("Done"));
    QCOMPARE(memo()->toPlainText(), QStringLiteral("typed"));
    // The section chosen again rebuilds its list and starts at its first entry.
    clickRow(sections(), 5);
    QCOMPARE(selectedValueRow(), 0);
    QCOMPARE(label("labelLanguageValue"), QStringLiteral("Count"));
    QCOMPARE(memo()->toPlainText(), QStringLiteral("%d Dateien von %s"));
    QVERIFY(errors().isEmpty());
}

TOLVANE_TEST(EditPageTest)

#include "EditPageTest.moc"
