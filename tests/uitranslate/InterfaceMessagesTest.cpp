#include "InterfaceMessages.h"
#include "IniText.h"
#include "LanguageTextReader.h"
#include "TestRegistry.h"

#include <QtTest>

// The message texts of an interface language, before the defaults the program registered.
class InterfaceMessagesTest : public QObject {
    Q_OBJECT
private slots:
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
};

TOLVANE_TEST(InterfaceMessagesTest)
#include "InterfaceMessagesTest.moc"
