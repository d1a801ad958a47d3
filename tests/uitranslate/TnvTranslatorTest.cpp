#include "TnvTranslator.h"
#include "RegistryHive.h"
#include "TLanguageListItem.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// The catalogue as a list view to pick from: rows in the order of the display names.
class TnvTranslatorTest : public QObject {
    Q_OBJECT
private slots:
    void listViewSortsByDisplayName() {
        QTemporaryDir dir;
        TestFiles::write(dir.filePath("Zulu.tvl"), "[Main]\r\nLanguageName=Alpha\r\nUse=First\r\n");
        TestFiles::write(dir.filePath("Able.tvl"), "[Main]\r\nLanguageName=Beta\r\n");
        RegistryHive hive(dir.filePath(QStringLiteral("HKCU.reg")));
        TnvTranslator translator;
        translator.SetRegistryLocation(&hive, QStringLiteral("Software\\Test"), QStringLiteral("Language"));
        translator.SetLanguageFolder(dir.path() + QLatin1Char('/'), QStringLiteral("tvl"));
        QTreeWidget view;
        view.setHeaderLabels({QStringLiteral("Language")});
        translator.setDisplayListView(&view);
        translator.ScanLanguages(false);
        QCOMPARE(view.headerItem()->text(0), QStringLiteral("Language"));
        QCOMPARE(view.columnCount(), 3);
        QCOMPARE(view.columnWidth(0), 100);
        QCOMPARE(view.columnWidth(2), 0);
        QStringList rows;
        for (int i = 0; i < view.topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = view.topLevelItem(i);
            rows << row->text(0) + QLatin1Char('|') + row->text(1) + QLatin1Char('|') + row->text(2);
        }
        QCOMPARE(rows, (QStringList{"Alpha|First|Zulu", "Beta||Able"}));
        auto* beta = dynamic_cast<TLanguageListItem*>(view.topLevelItem(1));
        QVERIFY(beta != nullptr);
        QCOMPARE(beta->Language, &translator.Languages()[0]);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(beta).center());
        QCOMPARE(translator.ReadLanguageChoice(), QStringLiteral("Able"));
        QCOMPARE(translator.LanguageRealName(), QStringLiteral("Beta"));
    }
};

TOLVANE_TEST(TnvTranslatorTest)
#include "TnvTranslatorTest.moc"
