#include "NvDialogStrings.h"
#include "ProgramSettings.h"
#include "Screenshot.h"
#include "TestRegistry.h"
#include "TnvTranslator.h"
#include "TranslationRoad.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

// The main window on the example product in a translated and in a right-to-left interface
// language, the first chosen at an earlier start, the second picked from the "Languages" menu.
// TOLVANE_SCREENSHOT_DIR=<folder> saves main-window-german.png and main-window-hebrew.png there.
class InterfacePicturesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        // The dialogs' captions and the reading order belong to the whole program.
        nvResetCaptions();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void translatedMainWindow() {
        TranslationRoad road(QDir::cleanPath(QStringLiteral(TOLVANE_TEST_DATA "/../../examples/LumenNotes")));
        road.addProject(QStringLiteral("Lumen Notes"), "English", "German", "French");
        QVERIFY(road.fixture().writeValue(ProgramSettings::key, ProgramSettings::valueLanguage, "Deutsch"));
        road.window().translator()->SetLanguageFolder(QStringLiteral(TOLVANE_TEST_DATA "/uitranslate/"),
                                                      QStringLiteral("tvl"));
        QVERIFY(road.open(QStringLiteral("Lumen Notes")));
        QCOMPARE(road.window().windowTitle(), QStringLiteral("Tolvane (1.1f) - Übersetzungseditor"));
        QCOMPARE(road.fixture().action(QStringLiteral("miFile"))->text(), QStringLiteral("&Datei"));
        QCoreApplication::processEvents();
        QVERIFY(saveScreenshot(road.window(), QStringLiteral("main-window-german.png")));

        QMenu* languages = road.fixture().action(QStringLiteral("miLanguages"))->menu();
        QAction* hebrew = nullptr;
        for (QAction* entry : languages->actions()) {
            if (entry->toolTip() == QLatin1String("Ivrit")) {
                hebrew = entry;
            }
        }
        QVERIFY(hebrew != nullptr);
        QCOMPARE(hebrew->text(), QString::fromUtf8("עברית"));
        hebrew->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(road.window().layoutDirection(), Qt::RightToLeft);
        QCOMPARE(road.fixture().action(QStringLiteral("miFile"))->text(), QString::fromUtf8("&קובץ"));
        QVERIFY(saveScreenshot(road.window(), QStringLiteral("main-window-hebrew.png")));
    }
};

TOLVANE_TEST(InterfacePicturesTest)
#include "InterfacePicturesTest.moc"
