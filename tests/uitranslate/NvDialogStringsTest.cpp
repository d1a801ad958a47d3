#include "NvDialogStrings.h"
#include "NvButtonWidthCache.h"
#include "TestRegistry.h"

#include <QtTest>

class NvDialogStringsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        nvResetCaptions();
        NvButtonWidthCache::instance().clear();
    }

    void keysInLanguageFileOrder() {
        const QStringList expected{"ButtonYes",
                                   "ButtonNo",
                                   "ButtonOK",
                                   "ButtonCancel",
                                   "ButtonAbort",
                                   "ButtonRetry",
                                   "ButtonIgnore",
                                   "ButtonAll",
                                   "ButtonNoToAll",
                                   "ButtonYesToAll",
                                   "ButtonHelp",
                                   "DialogTitleWarning",
                                   "DialogTitleError",
                                   "DialogTitleInformation",
                                   "DialogTitleConfirmation",
                                   "DialogTitleCustom"};
        QCOMPARE(nvCaptionKeys(), expected);
    }

    void defaults_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("yes") << "ButtonYes"
                             << "Yes";
        QTest::newRow("no to all") << "ButtonNoToAll"
                                   << "No to all";
        QTest::newRow("yes to all") << "ButtonYesToAll"
                                    << "Yes to all";
        QTest::newRow("help") << "ButtonHelp"
                              << "Help";
        QTest::newRow("warning") << "DialogTitleWarning"
                                 << "Warning";
        QTest::newRow("confirmation") << "DialogTitleConfirmation"
                                      << "Confirmation";
        QTest::newRow("custom") << "DialogTitleCustom"
                                << "Custom";
        QTest::newRow("unknown") << "ButtonMaybe"
                                 << "";
    }
    void defaults() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QCOMPARE(nvGetCaption(key), text);
    }

    void setCaptionByKeyInAnyCase() {
        QVERIFY(nvSetCaption("buttoncancel", "Abbrechen"));
        QCOMPARE(nvGetCaption("ButtonCancel"), QString("Abbrechen"));
        QCOMPARE(nvButtonCaption(mbCancel), QString("Abbrechen"));
        QVERIFY(nvSetCaption("DIALOGTITLEERROR", "Fehler"));
        QCOMPARE(nvTypeTitle(MsgDlgType::Error), QString("Fehler"));
        // Neighbours keep their texts.
        QCOMPARE(nvButtonCaption(mbOK), QString("OK"));
        QCOMPARE(nvTypeTitle(MsgDlgType::Warning), QString("Warning"));
    }

    void unknownKeyChangesNothing() {
        QVERIFY(!nvSetCaption("ButtonMaybe", "Vielleicht"));
        QVERIFY(!nvSetCaption("", "x"));
        for (const QString& key : nvCaptionKeys()) {
            QVERIFY(nvGetCaption(key) != "Vielleicht");
        }
    }

    void resetRestoresDefaults() {
        for (const QString& key : nvCaptionKeys()) {
            nvSetCaption(key, "x");
        }
        nvResetCaptions();
        QCOMPARE(nvGetCaption("ButtonIgnore"), QString("Ignore"));
        QCOMPARE(nvGetCaption("DialogTitleInformation"), QString("Information"));
    }

    void widthCacheMeasuresOnceAndKeepsTheWidth() {
        NvButtonWidthCache& cache = NvButtonWidthCache::instance();
        int calls = 0;
        const auto measure = [&calls](const QString& caption) {
            ++calls;
            return caption.size() * 10;
        };
        QVERIFY(!cache.isMeasured(mbRetry));
        QCOMPARE(cache.width(mbRetry, measure), 50);
        QVERIFY(cache.isMeasured(mbRetry));
        // A later dialog measuring differently still gets the first width.
        QCOMPARE(cache.width(mbRetry, [](const QString&) { return 999; }), 50);
        QCOMPARE(calls, 1);
        QCOMPARE(cache.widest(mbRetry | mbYesToAll | mbOK, measure), 100);
        QCOMPARE(calls, 3);
        QCOMPARE(cache.widest(0, measure), 0);
    }

    void widthCacheRemeasuresAReplacedCaption() {
        NvButtonWidthCache& cache = NvButtonWidthCache::instance();
        const auto measure = [](const QString& caption) { return caption.size() * 10; };
        QCOMPARE(cache.width(mbCancel, measure), 60);
        nvSetCaption("ButtonCancel", "Abbrechen");
        QCOMPARE(cache.width(mbCancel, measure), 90);
    }
};

TOLVANE_TEST(NvDialogStringsTest)
#include "NvDialogStringsTest.moc"
