#include "TestRegistry.h"

#include "OpenPage.h"
#include "ProjectStore.h"
#include "TranslationRoad.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>
#include <QtTest>

// The window as a translator uses it: its size whatever an entry holds, its smallest size, where
// the keys go and the tips of texts that a column cuts off.
class WindowFitTest : public QObject {
    Q_OBJECT
private slots:
    void entryKeepsWindowSize_data();
    void entryKeepsWindowSize();
    void minimumSizeCutsNothingOff();
    void chosenEntryTakesTheKeys();
    void tabVisitsEveryControl_data();
    void tabVisitsEveryControl();
    void cutOffTextShowsAsTip_data();
    void cutOffTextShowsAsTip();
};

namespace {

const QByteArray longWord(20000, 'x');

void appendToEnglish(TranslationRoad& road, const QByteArray& text) {
    road.writeFile(QStringLiteral("English"), road.bytes(QStringLiteral("English")) + "\n" + text);
}

QRect rectIn(const QWidget* widget, const QWidget* ancestor) {
    return QRect(widget->mapTo(ancestor, QPoint()), widget->size());
}

} // namespace

void WindowFitTest::entryKeepsWindowSize_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("20,000 characters without a space") << "Long"
                                                       << "Word";
    QTest::newRow("small flag") << "Images"
                                << "Flag16";
    QTest::newRow("large flag") << "Images"
                                << "Flag32";
}

void WindowFitTest::entryKeepsWindowSize() {
    QFETCH(QString, section);
    QFETCH(QString, key);
    TranslationRoad road;
    appendToEnglish(road, "[Long]\nWord=" + longWord + "\n");
    road.addLumen();
    QVERIFY(road.openEditPage());
    const QSize size = road.window().size();
    const int sectionsWidth = road.sections()->width();
    QVERIFY(road.clickSection(section));
    QVERIFY(road.clickEntry(key));
    QCoreApplication::processEvents();
    QCOMPARE(road.window().size(), size);
    QCOMPARE(road.sections()->width(), sectionsWidth);
    auto* save = road.fixture().find<QToolButton>(QStringLiteral("bnSaveLanguageEntry"));
    QVERIFY(road.window().rect().contains(rectIn(save, &road.window())));
}

void WindowFitTest::minimumSizeCutsNothingOff() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.open(QStringLiteral("Lumen")));
    TformMain& window = road.window();
    window.resize(1, 1);
    QCoreApplication::processEvents();
    QVERIFY(window.width() > 1 && window.height() > 1);
    for (QWidget* page : {window.tsOpen(), window.tsEdit()}) {
        if (page == window.tsEdit()) {
            QVERIFY(road.pressEditLanguage());
            QVERIFY(road.clickSection(QStringLiteral("MainWindow")));
            QCoreApplication::processEvents();
        }
        for (QWidget* control : page->findChildren<QWidget*>()) {
            const bool measured = qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
                                  qobject_cast<QLineEdit*>(control) || qobject_cast<QPlainTextEdit*>(control);
            if (!measured || !control->isVisibleTo(page)) {
                continue;
            }
            const QString name = page->objectName() + "/" + control->objectName();
            QVERIFY2(page->rect().contains(rectIn(control, page)), qPrintable(name));
            const QSize least = control->minimumSizeHint();
            QVERIFY2(control->width() >= least.width() && control->height() >= least.height(), qPrintable(name));
        }
    }
    const QLabel* info = road.fixture().openPage().labelInfo();
    QVERIFY(info->height() >= info->heightForWidth(info->width()));
}

void WindowFitTest::chosenEntryTakesTheKeys() {
    TranslationRoad road;
    road.addLumen();
    QVERIFY(road.openEditPage());
    QVERIFY(road.clickSection(QStringLiteral("MainWindow")));
    QCOMPARE(QApplication::focusWidget(), road.sections());
    QVERIFY(road.clickEntry(QStringLiteral("MenuHelp")));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Aide"));
    road.pressF2();
    // F2 moved on to the next missing entry: its pre-filled text goes the same way.
    QCOMPARE(road.selectedKey(), QStringLiteral("StatusReady"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Pret"));
    road.pressF2();
    const QByteArray french = road.bytes(QStringLiteral("French"));
    QVERIFY2(french.contains("\nMenuHelp=Aide\r\nStatusReady=Pret\r\n"), french.constData());
}

void WindowFitTest::tabVisitsEveryControl_data() {
    QTest::addColumn<bool>("editPage");
    QTest::addColumn<QStringList>("controls");
    QTest::newRow("Open page") << false
                               << QStringList{"lbProjects",
                                              "editProjectLanguagePath",
                                              "editProjectLanguageExtension",
                                              "editProjectSpecialPath",
                                              "editProjectSpecialExtension",
                                              "cbProjectLanguageReference",
                                              "cbProjectLanguageSource",
                                              "cbProjectLanguageDestination",
                                              "bnRefreshLanguages",
                                              "bnEditLng",
                                              "bnSortPage",
                                              "bnEditSpecial"};
    QTest::newRow("Edit page") << true
                               << QStringList{"lvLanguageSections", "lvLanguageValues", "bnSaveLanguageEntry",
                                              "memoLngEdit"};
}

void WindowFitTest::tabVisitsEveryControl() {
    QFETCH(bool, editPage);
    QFETCH(QStringList, controls);
    TranslationRoad road;
    road.addLumen();
    for (const QString& value : {ProjectStore::valueSpecialPath, ProjectStore::valueSpecialExtension}) {
        QVERIFY(road.fixture().writeValue(ProjectStore::projectKey(QStringLiteral("Lumen")), value, "lnl"));
    }
    QVERIFY(editPage ? road.openEntry(QStringLiteral("MainWindow"), QStringLiteral("MenuHelp"))
                     : road.open(QStringLiteral("Lumen")));
    road.fixture().find<QWidget>(controls.constFirst())->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < controls.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    QCOMPARE(visited, controls.mid(1) << controls.constFirst());
}

void WindowFitTest::cutOffTextShowsAsTip_data() {
    QTest::addColumn<bool>("valueList");
    QTest::addColumn<int>("column");
    QTest::newRow("section") << false << 0;
    QTest::newRow("key") << true << 0;
    QTest::newRow("text") << true << 1;
}

void WindowFitTest::cutOffTextShowsAsTip() {
    QFETCH(bool, valueList);
    QFETCH(int, column);
    TranslationRoad road;
    const QByteArray section(150, 'S');
    appendToEnglish(road, "[" + section + "]\n" + QByteArray(150, 'K') + "=" + QByteArray(300, 'v') + "\n");
    road.addLumen();
    QVERIFY(road.openEditPage());
    QVERIFY(road.clickSection(QString::fromLatin1(section)));
    QTreeView* view = valueList ? road.values() : road.sections();
    const QModelIndex index = view->model()->index(valueList ? 0 : road.column(view, 0).indexOf(section), column);
    const QString text = index.data().toString();
    const QRect cell = view->visualRect(index);
    QVERIFY(view->fontMetrics().horizontalAdvance(text) > cell.width());
    QHelpEvent help(QEvent::ToolTip, cell.center(), view->viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(view->viewport(), &help);
    // A section's tip adds its completion figures on a line of their own.
    QCOMPARE(QToolTip::text().section(QLatin1Char('\n'), 0, 0), text);
    QToolTip::hideText();
}

TOLVANE_TEST(WindowFitTest)
#include "WindowFitTest.moc"
