#include "DialogCaptionLoader.h"
#include "IniText.h"
#include "InterfaceMessages.h"
#include "LanguageChoice.h"
#include "LanguageTextReader.h"
#include "NvDialogStrings.h"
#include "RegistryHive.h"
#include "TestRegistry.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TBiDiMode)

namespace {

using Pairs = InterfaceMessages::Pairs;

QString captionsNow() {
    QStringList captions;
    for (const QString& key : nvCaptionKeys()) {
        captions << nvGetCaption(key);
    }
    return captions.join(QLatin1Char('|'));
}

} // namespace

// What an interface language file says apart from the windows' texts: reading order, font,
// messages, dialog captions, and where the choice of language is kept.
class InterfaceLanguageReadTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { nvResetCaptions(); }

    void readingOrder_data() {
        QTest::addColumn<QByteArray>("main");
        QTest::addColumn<TBiDiMode>("mode");
        QTest::newRow("absent") << QByteArray() << TBiDiMode::bdLeftToRight;
        QTest::newRow("LR") << QByteArray("BiDiMode=LR") << TBiDiMode::bdLeftToRight;
        QTest::newRow("rl in lower case") << QByteArray("BiDiMode=rl") << TBiDiMode::bdRightToLeft;
        QTest::newRow("RLNA") << QByteArray("BiDiMode=RLNA") << TBiDiMode::bdRightToLeftNoAlign;
        QTest::newRow("Rlro") << QByteArray("BiDiMode=Rlro") << TBiDiMode::bdRightToLeftReadingOnly;
        QTest::newRow("unknown") << QByteArray("BiDiMode=RTL") << TBiDiMode::bdLeftToRight;
        QTest::newRow("empty") << QByteArray("BiDiMode=") << TBiDiMode::bdLeftToRight;
    }
    void readingOrder() {
        QFETCH(QByteArray, main);
        QFETCH(TBiDiMode, mode);
        const IniDocument document = iniFromText("[Main]\r\n" + main + "\r\n");
        QCOMPARE(LanguageTextReader(document).ReadBiDiMode(), mode);
        QCOMPARE(LanguageTextReader(document).fontSettings().BiDiMode, mode);
    }

    void font_data() {
        QTest::addColumn<QByteArray>("main");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("charset");
        QTest::newRow("defaults") << QByteArray() << "MS Sans Serif" << 8 << 0;
        QTest::newRow("given") << QByteArray("FontName=Tahoma\r\nFontSize=10\r\nFontCharset=177") << "Tahoma" << 10
                               << 177;
        QTest::newRow("not whole numbers") << QByteArray("FontSize=ten\r\nFontCharset=1.5") << "MS Sans Serif" << 8
                                           << 0;
        QTest::newRow("low byte of the charset") << QByteArray("FontCharset=460") << "MS Sans Serif" << 8 << 204;
    }
    void font() {
        QFETCH(QByteArray, main);
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(int, charset);
        const IniDocument document = iniFromText("[Main]\r\n" + main + "\r\n");
        const TFontSettings font = LanguageTextReader(document).fontSettings();
        QCOMPARE(font.Name, name);
        QCOMPARE(font.Size, size);
        QCOMPARE(int(font.Charset), charset);
    }

    void textsDecodedByCharset_data() {
        QTest::addColumn<QByteArray>("charset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ANSI") << QByteArray("0") << QByteArray("Caf\xe9") << QString::fromUtf8("Café");
        QTest::newRow("Hebrew") << QByteArray("177") << QByteArray("\xf9\xec\xe5\xed") << QString::fromUtf8("שלום");
        QTest::newRow("Russian") << QByteArray("204") << QByteArray("\xcc\xe8\xf0") << QString::fromUtf8("Мир");
        QTest::newRow("Greek") << QByteArray("161") << QByteArray("\xea\xe1\xeb\xdc") << QString::fromUtf8("καλά");
    }
    void textsDecodedByCharset() {
        QFETCH(QByteArray, charset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        const IniDocument document =
            iniFromText("[Main]\r\nFontCharset=" + charset + "\r\n[formMain]\r\nlabel=" + bytes + "%0D%0A%%\r\n");
        const LanguageTextReader reader(document);
        QCOMPARE(reader.plain("formMain", "LABEL"), std::optional<QString>(text + "%0D%0A%%"));
        QCOMPARE(reader.escaped("FORMMAIN", "label"), std::optional<QString>(text + "\r\n%"));
        QCOMPARE(reader.plain("formMain", "missing"), std::nullopt);
    }

    void lookupMessage_data() {
        QTest::addColumn<QByteArray>("messages");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        const QByteArray some = "First=One%0D%0ATwo\r\nfirst=Later\r\nEmpty=\r\nPercent=50%% done\r\n";
        QTest::newRow("escaped line break") << some << "First" << "One\r\nTwo";
        QTest::newRow("the first of two lines, any case") << some << "FIRST" << "One\r\nTwo";
        QTest::newRow("empty value is not the default") << some << "Empty" << "";
        QTest::newRow("percent signs") << some << "Percent" << "50% done";
        QTest::newRow("missing key gives the default") << some << "Greeting" << "Hello";
        QTest::newRow("neither gives nothing") << some << "Nowhere" << "";
        QTest::newRow("no section") << QByteArray() << "Greeting" << "Hello";
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

    void defaultMessages_data() {
        QTest::addColumn<Pairs>("given");
        QTest::addColumn<Pairs>("kept");
        QTest::newRow("in order") << Pairs{{"B", "2"}, {"A", "1"}} << Pairs{{"B", "2"}, {"A", "1"}};
        QTest::newRow("later text replaces in place")
            << Pairs{{"A", "1"}, {"B", "2"}, {"a", "3"}} << Pairs{{"A", "3"}, {"B", "2"}};
        QTest::newRow("empty text removes") << Pairs{{"A", "1"}, {"B", "2"}, {"A", ""}} << Pairs{{"B", "2"}};
    }
    void defaultMessages() {
        QFETCH(Pairs, given);
        QFETCH(Pairs, kept);
        InterfaceMessages table;
        table.setDefaults({{"Old", "gone"}});
        table.setDefaults(given);
        QCOMPARE(table.defaults(), kept);
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

    void languageChoice_data() {
        QTest::addColumn<QString>("hive");
        QTest::addColumn<QString>("choice");
        const QString header = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tolvane]\r\n";
        QTest::newRow("nothing stored") << QString() << "English";
        QTest::newRow("key without the value") << header << "English";
        QTest::newRow("a string") << header + "\"Language\"=\"Deutsch\"\r\n" << "Deutsch";
        QTest::newRow("not a string") << header + "\"Language\"=dword:00000001\r\n" << "English";
    }
    void languageChoice() {
        QFETCH(QString, hive);
        QFETCH(QString, choice);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("HKCU.reg"));
        if (!hive.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(hive.toUtf8());
        }
        RegistryHive registry(path);
        const LanguageChoice location(&registry, QStringLiteral("\\Software\\Tolvane"), QStringLiteral("Language"));
        QCOMPARE(location.read(), choice);
        location.store(QStringLiteral("Portugues.Brasil"));
        QCOMPARE(LanguageChoice(&registry, QStringLiteral("Software\\TOLVANE"), QStringLiteral("language")).read(),
                 QStringLiteral("Portugues.Brasil"));
    }
};

TOLVANE_TEST(InterfaceLanguageReadTest)
#include "InterfaceLanguageReadTest.moc"
