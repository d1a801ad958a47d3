#include "TestRegistry.h"

#include "EditPage.h"
#include "FlagStore.h"
#include "IniDocument.h"
#include "TformSearch.h"
#include "TranslationRoad.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

// The search window and the flag menu entries, driven from the editing page of the example
// product. TOLVANE_SCREENSHOT_DIR=<folder> saves search-window.png there.
class SearchAndFlagTest : public QObject {
    Q_OBJECT
private slots:
    void doubleClickedHitOpensItsEntry();
    void flagThenF2KeepsBoth();
    void notABitmapChangesNothing();
};

namespace {

template <typename T> T* child(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

QString selectedCaption(QTreeView* view) {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : rows.constFirst().data().toString();
}

} // namespace

void SearchAndFlagTest::doubleClickedHitOpensItsEntry() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEntry(QStringLiteral("MainWindow"), QStringLiteral("MenuFile")));
    TformSearch search;
    road.window().setSearchWindow(&search);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(search.isVisible());
    search.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&search));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("eSearchTerm"));
    // Non-ASCII letters match only in their own case, in the code page of the file.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Übersetzer"));
    QTest::mouseClick(child<QPushButton>(search, "bnStartSearch"), Qt::LeftButton);

    auto* results = child<QTreeWidget>(search, "lvResults");
    QCOMPARE(child<QTabWidget>(search, "pcSearch")->currentWidget()->objectName(), QStringLiteral("tsResults"));
    QCOMPARE(results->topLevelItemCount(), 1);
    QTreeWidgetItem* hit = results->topLevelItem(0);
    QCOMPARE((QStringList{hit->text(0), hit->text(1), hit->text(2)}),
             (QStringList{"About", "Thanks", "Danke an alle Übersetzer!"}));

    const QRect row = results->visualItemRect(hit);
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(selectedCaption(road.sections()), QStringLiteral("About"));
    QCOMPARE(road.selectedKey(), QStringLiteral("Thanks"));
    QVERIFY(search.isVisible());

    if (const QString folder = qEnvironmentVariable("TOLVANE_SCREENSHOT_DIR"); !folder.isEmpty()) {
        child<QTabWidget>(search, "pcSearch")->setCurrentIndex(0);
        child<QLineEdit>(search, "eSearchTerm")->selectAll();
        QTest::keyClicks(child<QLineEdit>(search, "eSearchTerm"), QStringLiteral("lumen"));
        QTest::mouseClick(child<QPushButton>(search, "bnStartSearch"), Qt::LeftButton);
        search.resize(460, 300);
        QCoreApplication::processEvents();
        QVERIFY(search.grab().save(QDir(folder).filePath(QStringLiteral("search-window.png"))));
    }
}

void SearchAndFlagTest::flagThenF2KeepsBoth() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEntry(QStringLiteral("About"), QStringLiteral("Title")));
    const QString bitmap = road.fixture().path(QStringLiteral("flag.bmp"));
    QImage picture(16, 16, QImage::Format_RGB888);
    picture.fill(QColor(0x20, 0x40, 0xC0));
    QVERIFY(picture.save(bitmap, "BMP"));

    road.fixture().dialogs().setNextFile(bitmap);
    QVERIFY(road.fixture().trigger(QStringLiteral("pmiAddBitmapSmall")));
    road.typeIntoMemo(QStringLiteral("À propos de Lumen Notes"));
    road.pressF2();

    QCOMPARE(road.fixture().dialogs().errors(), QStringList());
    const IniDocument saved(road.file(QStringLiteral("French")));
    QCOMPARE(saved.readString("About", "Title"), QByteArray("\xC0 propos de Lumen Notes"));
    const QByteArray flag = saved.readString("Images", "Flag16");
    QVERIFY(flag.startsWith("424D"));
    QCOMPARE(saved.readString("MainWindow", "MenuFile"), QByteArray("&Fichier"));
}

void SearchAndFlagTest::notABitmapChangesNothing() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEditPage());
    const QString notBitmap = road.fixture().path(QStringLiteral("flag.bmp"));
    QFile file(notBitmap);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("BM but not a picture at all");
    file.close();
    const auto before = road.snapshot();

    for (const char* item : {"pmiAddBitmapSmall", "pmiAddBitmapLarge"}) {
        road.fixture().dialogs().setNextFile(notBitmap);
        QVERIFY(road.fixture().trigger(QString::fromLatin1(item)));
    }
    QCOMPARE(road.fixture().dialogs().errors(), (QStringList{FlagStore::InvalidBitmap, FlagStore::InvalidBitmap}));
    QCOMPARE(road.snapshot(), before);
}

TOLVANE_TEST(SearchAndFlagTest)
#include "SearchAndFlagTest.moc"
