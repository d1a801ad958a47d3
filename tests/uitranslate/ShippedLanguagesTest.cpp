#include "CodePage.h"
#include "CompressedContainer.h"
#include "EnglishProgram.h"
#include "HexBitmap.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include <QSet>
#include <QtTest>

namespace {

// "SECTION|KEY" of every entry outside [Main] and [Images].
QSet<QByteArray> translatedKeys(const IniDocument& document) {
    QSet<QByteArray> keys;
    for (const QByteArray& section : document.sections()) {
        if (section != "Main" && section != "Images") {
            for (const QByteArray& key : document.keys(section)) {
                keys.insert((section + '|' + key).toUpper());
            }
        }
    }
    return keys;
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
        QCOMPARE(translatedKeys(shipped), translatedKeys(english));
        int unchanged = 0;
        for (const QByteArray& entry : translatedKeys(english)) {
            const QByteArray section = entry.left(entry.indexOf('|')), key = entry.mid(entry.indexOf('|') + 1);
            const QByteArray text = shipped.readString(section, key);
            QVERIFY2(!CodePage::decode(text, CodePage::forCharset(charset)).trimmed().isEmpty(), entry);
            unchanged += text == english.readString(section, key);
        }
        // Only names, function keys, "OK" and the like stay as they are.
        QVERIFY2(unchanged <= 15, QByteArray::number(unchanged));

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
