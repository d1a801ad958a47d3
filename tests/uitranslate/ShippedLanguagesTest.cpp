#include "CodePage.h"
#include "CompressedContainer.h"
#include "EnglishProgram.h"
#include "HexBitmap.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include <QSet>
#include <QtTest>

namespace {

QSet<QByteArray> upperKeys(const IniDocument& document, const QByteArray& section) {
    QSet<QByteArray> keys;
    for (const QByteArray& key : document.keys(section)) {
        keys.insert(key.toUpper());
    }
    return keys;
}

QSet<QByteArray> translatedSections(const IniDocument& document) {
    QSet<QByteArray> sections;
    for (const QByteArray& section : document.sections()) {
        sections.insert(section.toUpper());
    }
    sections.remove("MAIN");
    sections.remove("IMAGES");
    return sections;
}

} // namespace

// The interface languages that come with the program: each translates exactly what the English
// file of the running program holds, and the build puts them beside the executable.
class ShippedLanguagesTest : public QObject {
    Q_OBJECT
private slots:
    void translatesEveryText_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("compressed");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QByteArray>("biDiMode");
        QTest::newRow("German") << "Deutsch.tvl" << true << 0 << QByteArray("LR");
        QTest::newRow("Hebrew") << "Hebrew.tvl" << false << 177 << QByteArray("RL");
    }

    void translatesEveryText() {
        QFETCH(QString, file);
        QFETCH(bool, compressed);
        QFETCH(int, charset);
        QFETCH(QByteArray, biDiMode);
        const QString path = QStringLiteral(TOLVANE_LANGUAGES_SOURCE "/") + file;
        const QByteArray bytes = TestFiles::read(path);
        QCOMPARE(bytes.startsWith("TVC1"), compressed);
        QCOMPARE(TestFiles::read(QStringLiteral(TOLVANE_LANGUAGES_BUILT "/") + file), bytes);

        IniDocument shipped;
        LoadLanguageDocument(shipped, path, "TVC");
        EnglishProgram program;
        const IniDocument english = program.writeEnglish();
        QCOMPARE(translatedSections(shipped), translatedSections(english));
        const int codePage = CodePage::forCharset(charset);
        int differing = 0;
        for (const QByteArray& section : english.sections()) {
            if (section == "Main" || section == "Images") {
                continue;
            }
            QCOMPARE(upperKeys(shipped, section), upperKeys(english, section));
            for (const QByteArray& key : english.keys(section)) {
                const QString text = CodePage::decode(shipped.readString(section, key), codePage);
                QVERIFY2(!text.trimmed().isEmpty(), section + '/' + key);
                differing += shipped.readString(section, key) != english.readString(section, key);
            }
        }
        // Names, keys of function keys and "OK" stay as they are; everything else is translated.
        QVERIFY2(differing > english.keys("formMain.pcMain.tsOpen").size() * 5, QByteArray::number(differing));

        QVERIFY(!shipped.readString("Main", "LanguageName").isEmpty());
        QVERIFY(!shipped.readString("Main", "Use").isEmpty());
        QCOMPARE(shipped.readInteger("Main", "FontCharset", -1), charset);
        QCOMPARE(shipped.readString("Main", "BiDiMode", "LR").toUpper(), biDiMode);
        for (const int side : {16, 32}) {
            QImage flag;
            ReadFlagBitmap(shipped, "Images", "Flag" + QByteArray::number(side), flag);
            QCOMPARE(flag.size(), QSize(side, side));
            // Drawn on a ground of its own, which the top-left pixel gives as the transparent colour.
            QVERIFY(flag.pixel(0, 0) != flag.pixel(side / 2, side / 2));
        }
    }
};

TOLVANE_TEST(ShippedLanguagesTest)
#include "ShippedLanguagesTest.moc"
