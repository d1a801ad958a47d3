#include "TestRegistry.h"

#include "MainWindowFixture.h"
#include "OpenPage.h"
#include "ProgressBarLender.h"

#include <QProgressBar>
#include <QtTest>

// pgLoad lent to another page for a piece of long work, and back at the Open page's foot.
class ProgressBarLoanTest : public QObject {
    Q_OBJECT
private slots:
    void lentBarComesHomeHidden();
};

void ProgressBarLoanTest::lentBarComesHomeHidden() {
    MainWindowFixture f;
    QVERIFY(f.show());
    OpenPage& open = f.openPage();
    QProgressBar* bar = open.pgLoad();
    QWidget* sorter = f.window().tsSorter();
    auto* panel = f.find<QWidget>(QStringLiteral("panelOpenLeft"));
    {
        ProgressBarLoan loan(*bar, *sorter);
        QCOMPARE(bar->parentWidget(), sorter);
        QVERIFY(bar->isHidden());
        loan.progress(2, 5);
        QVERIFY(!bar->isHidden());
        QCOMPARE(bar->value(), 2);
        QCOMPARE(bar->maximum(), 5);
        // Away from home it takes no room on the Open page.
        QCOMPARE(panel->height(), open.height());
    }
    QCOMPARE(bar->parentWidget(), &open);
    QVERIFY(bar->isHidden());
    QCOMPARE(panel->height(), open.height());
    {
        ProgressBarLoan loan(*bar, open);
        loan.progress(0, 1);
        QCOMPARE(panel->height() + bar->height(), open.height());
        QCOMPARE(bar->geometry().bottom(), open.height() - 1);
    }
    QCOMPARE(panel->height(), open.height());
}

TOLVANE_TEST(ProgressBarLoanTest)
#include "ProgressBarLoanTest.moc"
