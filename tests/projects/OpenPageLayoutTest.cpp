#include "TestRegistry.h"

#include "MainWindowFixture.h"
#include "OpenPage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

// The Open page at the window's start size: every control inside the page, none over another.
// TOLVANE_SCREENSHOT=<file.png> also saves a picture of the window.
class OpenPageLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void controlsFitWithoutOverlap();
};

void OpenPageLayoutTest::controlsFitWithoutOverlap() {
    MainWindowFixture f;
    for (const char* name : {"Tolvane", "Wardlock", "Corvina", "Custom project"}) {
        f.writeProject(QLatin1String(name),
                       {{"Path", "/opt/" + QString::fromLatin1(name).toLower() + "/Languages/"}, {"Extension", "tvl"}});
    }
    f.writeValue(ProjectStore::projectKey(QStringLiteral("Wardlock")), QStringLiteral("SpecialPath"),
                 "/opt/wardlock/Includes/");
    f.writeValue(ProjectStore::projectKey(QStringLiteral("Wardlock")), QStringLiteral("SpecialExtension"), "nfo");
    QVERIFY(f.show());
    QVERIFY(f.clickProject(QStringLiteral("Wardlock")));
    OpenPage& page = f.openPage();
    for (QComboBox* box :
         {page.cbProjectLanguageReference(), page.cbProjectLanguageSource(), page.cbProjectLanguageDestination()}) {
        box->addItem(QStringLiteral("English"));
    }
    QCoreApplication::processEvents();

    QList<QWidget*> controls;
    for (QObject* component : f.window().components()) {
        auto* widget = qobject_cast<QWidget*>(component);
        if (widget != nullptr && widget != &page && page.isAncestorOf(widget) && widget->isVisible() &&
            widget->parentWidget() == &page) {
            controls.append(widget);
        }
    }
    QVERIFY(controls.size() >= 20);
    for (int i = 0; i < controls.size(); ++i) {
        const QRect a = controls[i]->geometry();
        QVERIFY2(page.rect().contains(a), qPrintable(controls[i]->objectName()));
        QVERIFY2(controls[i]->sizeHint().height() <= a.height() + 2 || qobject_cast<QLabel*>(controls[i]),
                 qPrintable(controls[i]->objectName()));
        for (int j = i + 1; j < controls.size(); ++j) {
            QVERIFY2(!a.intersects(controls[j]->geometry()),
                     qPrintable(controls[i]->objectName() + " / " + controls[j]->objectName()));
        }
    }
    const QLabel* info = page.labelInfo();
    QVERIFY(info->heightForWidth(info->width()) <= info->height());

    const QString shot = qEnvironmentVariable("TOLVANE_SCREENSHOT");
    if (!shot.isEmpty()) {
        QVERIFY(f.window().grab().save(shot));
    }
}

TOLVANE_TEST(OpenPageLayoutTest)
#include "OpenPageLayoutTest.moc"
