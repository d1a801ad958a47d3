#include "NvDialogStrings.h"
#include "ProgramSettings.h"
#include "Screenshot.h"
#include "TestRegistry.h"
#include "TnvTranslator.h"
#include "TranslationRoad.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
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
        // The shipped languages in a folder of the test's own: the start writes English there too.
        QTemporaryDir folder;
        for (const char* file : {"Deutsch.tvl", "Hebrew.tvl"}) {
            QVERIFY(QFile::copy(QStringLiteral(TOLVANE_LANGUAGES_BUILT "/") + file, folder.filePath(file)));
        }
        TranslationRoad road(QDir::cleanPath(QStringLiteral(TOLVANE_TEST_DATA "/../../examples/LumenNotes")));
        road.addProject(QStringLiteral("Lumen Notes"), "English", "German", "French");
        QVERIFY(road.fixture().writeValue(ProgramSettings::key, ProgramSettings::valueLanguage, "Deutsch"));
        road.window().translator()->SetLanguageFolder(folder.path() + QDir::separator(), QStringLiteral("tvl"));
        QVERIFY(road.open(QStringLiteral("Lumen Notes")));
        QCOMPARE(road.fixture().action(QStringLiteral("miFile"))->text(), QStringLiteral("&Datei"));
        QCoreApplication::processEvents();
        QVERIFY(saveScreenshot(road.window(), QStringLiteral("main-window-german.png")));

        QMenu* languages = road.fixture().action(QStringLiteral("miLanguages"))->menu();
        QAction* hebrew = nullptr;
        for (QAction* entry : languages->actions()) {
            if (entry->toolTip() == QLatin1String("Hebrew")) {
                hebrew = entry;
            }
        }
        QVERIFY(hebrew != nullptr);
        QCOMPARE(hebrew->text(), QString::fromUtf8("עברית"));
        hebrew->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(road.window().layoutDirection(), Qt::RightToLeft);
        QVERIFY(road.fixture().action(QStringLiteral("miFile"))->text() != QStringLiteral("&Datei"));
        QVERIFY(QFile::exists(folder.filePath("English.tvl")));
        QVERIFY(saveScreenshot(road.window(), QStringLiteral("main-window-hebrew.png")));
    }
};

TOLVANE_TEST(InterfacePicturesTest)
#include "InterfacePicturesTest.moc"
