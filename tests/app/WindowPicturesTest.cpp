#include "TestRegistry.h"

#include "OpenPage.h"
#include "SectionListModel.h"
#include "TranslationRoad.h"
#include "ValueListModel.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeView>
#include <QtTest>

// The window on the example product as a user first sees it: the Open page with its flags and
// the Edit page with every mark, bold and italic entries and a text of two lines. Nothing is
// saved, so the example files are used where they are. TOLVANE_SCREENSHOT_DIR=<folder> saves
// open-page-languages.png and edit-page.png there.
class WindowPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void openAndEditPages();

private:
    void save(QWidget& window, const QString& name);
};

void WindowPicturesTest::save(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("TOLVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QVERIFY(window.grab().save(QDir(folder).filePath(name)));
    }
}

void WindowPicturesTest::openAndEditPages() {
    TranslationRoad road(QDir::cleanPath(QStringLiteral(TOLVANE_TEST_DATA "/../../examples/LumenNotes")));
    road.addProject(QStringLiteral("Lumen Notes"), "English", "German", "French");
    QVERIFY(road.open(QStringLiteral("Lumen Notes")));
    const auto before = road.snapshot();
    OpenPage& page = road.fixture().openPage();
    for (QComboBox* box :
         {page.cbProjectLanguageReference(), page.cbProjectLanguageSource(), page.cbProjectLanguageDestination()}) {
        QVERIFY(!box->itemIcon(box->currentIndex()).isNull());
        QVERIFY(box->width() >= box->sizeHint().width());
    }
    QCoreApplication::processEvents();
    save(road.window(), QStringLiteral("open-page-languages.png"));

    QVERIFY(road.pressEditLanguage());
    QVERIFY(road.clickSection(QStringLiteral("MainWindow")));
    QVERIFY(road.clickEntry(QStringLiteral("MenuHelp")));
    road.typeIntoMemo(QStringLiteral("&Aide\nsur Lumen Notes"));
    QCoreApplication::processEvents();

    QSet<int> marks;
    for (const auto& entry : road.sectionMarks()) {
        marks.insert(entry.second);
    }
    QCOMPARE(marks, (QSet<int>{0, 1, 2}));
    // Every section and entry is in view without scrolling, and both lists show whole captions.
    for (QTreeView* list : {road.sections(), road.values()}) {
        const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
        QVERIFY2(list->viewport()->rect().contains(list->visualRect(last)), qPrintable(list->objectName()));
    }
    const QFontMetrics metrics(road.sections()->font());
    QVERIFY(road.sections()->viewport()->width() >= metrics.horizontalAdvance("MainWindow") + 16 + 8);
    QVERIFY(road.memo()->viewport()->height() >= 2 * road.memo()->fontMetrics().lineSpacing());
    auto* source = road.fixture().find<QWidget>(QStringLiteral("labelLngSource"));
    QVERIFY(source->height() >= 2 * source->fontMetrics().lineSpacing());
    save(road.window(), QStringLiteral("edit-page.png"));
    QCOMPARE(road.snapshot(), before);
}

TOLVANE_TEST(WindowPicturesTest)
#include "WindowPicturesTest.moc"
