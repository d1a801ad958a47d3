#include "DialogCaptionLoader.h"
#include "IniText.h"
#include "InterfaceMessages.h"
#include "LanguageTextReader.h"
#include "NvDialogStrings.h"
#include "TestRegistry.h"

#include <QtTest>

namespace {

QString captionsNow() {
    QStringList captions;
    for (const QString& key : nvCaptionKeys()) {
        captions << nvGetCaption(key);
    }
    return captions.join(QLatin1Char('|'));
}

} // namespace

// The messages and dialog captions of an interface language.
class InterfaceLanguageReadTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { nvResetCaptions(); }

    void lookupMessage_data() {
        QTest::addColumn<QByteArray>("messages");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        const QByteArray some = "First=One%0D%0ATwo\r\nfirst=Later\r\nEmpty=\r\nPercent=50%% done\r\n";
        QTest::newRow("escaped line break") << some << "First"
                                            << "One\r\nTwo";
        QTest::newRow("the first of two lines, any case") << some << "FIRST"
                                                          << "One\r\nTwo";
        QTest::newRow("empty value is not the default") << some << "Empty"
                                                        << "";
        QTest::newRow("percent signs") << some << "Percent"
                                       << "50% done";
        QTest::newRow("missing key gives the default") << some << "Greeting"
                                                       << "Hello";
        QTest::newRow("neither gives nothing") << some << "Nowhere"
                                               << "";
        QTest::newRow("no section") << QByteArray() << "Greeting"
                                    << "Hello";
    }
    void lookupMessage() {
        QFETCH(QByteArray, messages);
        QFETCH(QString, key);
        QFETCH(QString, text);
        InterfaceMessages table;
        table.setDefaults({{"Greeting", "Hello"}, {"Empty", "Default"}});
        const IniDocument document = iniFromText("[Messages]\r\n" + messages);
        table.load(LanguageTextReader(document));
        QCOMPARE(table.lookup(key), text);
    }

    void dialogCaptions_data() {
        QTest::addColumn<QByteArrayList>("languages");
        QTest::addColumn<QString>("captions");
        const QString rest = "OK|Cancel|Abort|Retry|Ignore|All|No to all|Yes to all|Help|Warning|Error|Information|"
                             "Confirmation|Custom";
        QTest::newRow("only yes and no") << QByteArrayList{"ButtonYes=Ja\r\nButtonNo=Nein"} << "Ja|Nein|" + rest;
        QTest::newRow("taken as they stand")
            << QByteArrayList{"ButtonYes=&Ja%%\r\nButtonNo=Nein%0D%0A"} << "&Ja%%|Nein%0D%0A|" + rest;
        QTest::newRow("a later language without the key keeps the caption")
            << QByteArrayList{"ButtonCancel=Abbrechen", "ButtonOK=Bien"}
            << "Yes|No|Bien|Abbrechen|Abort|Retry|Ignore|All|No to all|Yes to all|Help|Warning|Error|Information|"
               "Confirmation|Custom";
        QTest::newRow("titles") << QByteArrayList{"DialogTitleCustom=Eigen\r\ndialogtitlewarning=Warnung"}
                                << "Yes|No|OK|Cancel|Abort|Retry|Ignore|All|No to all|Yes to all|Help|Warnung|"
                                   "Error|Information|Confirmation|Eigen";
    }
    void dialogCaptions() {
        QFETCH(QByteArrayList, languages);
        QFETCH(QString, captions);
        for (const QByteArray& dialogs : languages) {
            const IniDocument document = iniFromText("[Dialogs]\r\n" + dialogs + "\r\n");
            LoadDialogCaptions(LanguageTextReader(document));
        }
        QCOMPARE(captionsNow(), captions);
    }
};

TOLVANE_TEST(InterfaceLanguageReadTest)
#include "InterfaceLanguageReadTest.moc"
