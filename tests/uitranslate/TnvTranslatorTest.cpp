#include "ComponentList.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "RegistryHive.h"
#include "TLanguageListItem.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "TnvTranslator.h"
#include "WindowRegistry.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

QByteArray withSmallFlag(const QByteArray& text, int width) {
    IniDocument document;
    document.setFromText(text);
    QImage flag(width, width, QImage::Format_RGB32);
    flag.fill(Qt::blue);
    WriteFlagBitmap(document, "Images", "Flag16", flag);
    return document.toText();
}

} // namespace

// The translator's own behaviour around a language: the catalogue shown for picking, the pick,
// and the events of an application.
class TnvTranslatorTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_hive = std::make_unique<RegistryHive>(m_dir->filePath(QStringLiteral("HKCU.reg")));
        m_translator = std::make_unique<TnvTranslator>();
        m_translator->SetRegistryLocation(m_hive.get(), QStringLiteral("Software\\Test"), QStringLiteral("Language"));
        m_translator->SetLanguageFolder(m_dir->path() + QLatin1Char('/'), QStringLiteral("tvl"));
        write("Zulu", withSmallFlag("[Main]\r\nLanguageName=Alpha\r\nUse=First\r\n", 16));
        write("Able", withSmallFlag("[Main]\r\nLanguageName=Beta\r\n[Forms]\r\nformTest=Beta window\r\n", 32));
    }
    void cleanup() {
        m_translator.reset();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void menuListsTheCatalogue() {
        QMenu menu;
        auto* item = menu.addMenu(QStringLiteral("&Languages"))->menuAction();
        item->menu()->addAction(QStringLiteral("Designed entry"));
        m_translator->setDisplayMenuItem(item);
        QVERIFY(item->menu()->isEmpty());
        m_translator->ScanLanguages(false);
        const QList<QAction*> entries = item->menu()->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), QStringLiteral("Beta"));
        QCOMPARE(entries[0]->toolTip(), QStringLiteral("Able"));
        QVERIFY(entries[0]->icon().isNull());
        QCOMPARE(entries[1]->text(), QStringLiteral("Alpha"));
        QVERIFY(!entries[1]->icon().isNull());
        for (QAction* entry : entries) {
            QVERIFY(entry->objectName().isEmpty());
        }
        entries[1]->trigger();
        QCOMPARE(m_translator->ReadLanguageChoice(), QStringLiteral("Zulu"));
        QCOMPARE(m_translator->LanguageName(), QStringLiteral("Zulu"));
        QCOMPARE(m_translator->LanguageHint(), QStringLiteral("First"));
    }

    void listViewSortsByDisplayName() {
        QTreeWidget view;
        view.setHeaderLabels({QStringLiteral("Language")});
        m_translator->setDisplayListView(&view);
        QCOMPARE(view.topLevelItemCount(), 0);
        m_translator->ScanLanguages(false);
        QCOMPARE(view.columnCount(), 3);
        QCOMPARE(view.headerItem()->text(0), QStringLiteral("Language"));
        QCOMPARE(view.columnWidth(0), 100);
        QCOMPARE(view.columnWidth(2), 0);
        QCOMPARE(view.topLevelItemCount(), 2);
        QStringList rows;
        for (int i = 0; i < view.topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = view.topLevelItem(i);
            rows << row->text(0) + QLatin1Char('|') + row->text(1) + QLatin1Char('|') + row->text(2);
        }
        QCOMPARE(rows, (QStringList{"Alpha|First|Zulu", "Beta||Able"}));
        auto* beta = dynamic_cast<TLanguageListItem*>(view.topLevelItem(1));
        QVERIFY(beta != nullptr);
        QCOMPARE(beta->Language, &m_translator->Languages()[0]);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(beta).center());
        QCOMPARE(m_translator->ReadLanguageChoice(), QStringLiteral("Able"));
        QCOMPARE(m_translator->LanguageRealName(), QStringLiteral("Beta"));
    }

    void eventsOfAnApplication_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("ownerLoads");
        QTest::addColumn<int>("completed");
        QTest::addColumn<QString>("caption");
        QTest::newRow("a language") << "Able.tvl" << 2 << 1 << "Beta window";
        QTest::newRow("a missing file") << "Gone.tvl" << 0 << 0 << "Test window";
    }
    void eventsOfAnApplication() {
        QFETCH(QString, file);
        QFETCH(int, ownerLoads);
        QFETCH(int, completed);
        QFETCH(QString, caption);
        QWidget form;
        form.setObjectName(QStringLiteral("formTest"));
        form.setWindowTitle(QStringLiteral("Test window"));
        ComponentList window(form);
        window.add(new QLabel(&form));
        window.add(new QLabel(&form));
        WindowRegistry::application().add(window);
        int loads = 0;
        int done = 0;
        m_translator->OnOwnerLoad = [&](const QString&, QObject*, const IniDocument&) { ++loads; };
        m_translator->OnApplicationLoadCompleted = [&] { ++done; };
        m_translator->LoadLanguage(m_dir->filePath(file), true);
        WindowRegistry::application().remove(window);
        QCOMPARE(loads, ownerLoads);
        QCOMPARE(done, completed);
        QCOMPARE(form.windowTitle(), caption);
    }

private:
    void write(const char* name, const QByteArray& bytes) {
        TestFiles::write(m_dir->filePath(QLatin1String(name) + ".tvl"), bytes);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RegistryHive> m_hive;
    std::unique_ptr<TnvTranslator> m_translator;
};

TOLVANE_TEST(TnvTranslatorTest)
#include "TnvTranslatorTest.moc"
