#include "LanguageCatalogue.h"
#include "CompressedLanguageText.h"
#include "HexBitmap.h"
#include "ImageList.h"
#include "IniText.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "TnvLanguageList.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Files = QList<QPair<QString, QByteArray>>;

QByteArray flagEntry(const char* key, int width) {
    QImage flag(width, width, QImage::Format_RGB32);
    flag.fill(Qt::red);
    IniDocument document;
    WriteFlagBitmap(document, "Images", key, flag);
    return document.toText();
}

QString describe(const TnvLanguageList& languages) {
    QStringList rows;
    for (int i = 0; i < languages.Count(); ++i) {
        const TnvLanguage& language = languages[i];
        rows << language.LanguageName + QLatin1Char('|') + language.LanguageRealName + QLatin1Char('|') +
                    language.LanguageHint + QLatin1Char('|') + QString::number(language.ImageIndex16) +
                    QLatin1Char('|') + QString::number(language.ImageIndex32);
    }
    return rows.join(QLatin1Char(';'));
}

} // namespace

class LanguageCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void catalogue_data() {
        QTest::addColumn<Files>("files");
        // Each row: base name | display name | hint | small flag index | large flag index.
        QTest::addColumn<QString>("expected");
        const QByteArray deutsch = "[Main]\r\nLanguageName=Deutsch (Deutschland)\r\nUse=Deutsch verwenden\r\n";
        QTest::newRow("sorted by file name, not display name")
            << Files{{"English.tvl", "[Main]\r\nLanguageName=Zulu\r\n"}, {"Deutsch.tvl", deutsch}}
            << "Deutsch|Deutsch (Deutschland)|Deutsch verwenden|0|0;English|Zulu||1|1";
        QTest::newRow("only the last dot ends the base name")
            << Files{{"Portugues.Brasil.tvl", "[Main]\r\nLanguageName=\r\n"}}
            << "Portugues.Brasil|Portugues.Brasil||0|0";
        QTest::newRow("other extensions and folders are not languages, case does not decide the order")
            << Files{{"Notes.txt", ""}, {"English.tvl.bak", ""}, {"dansk.tvl", ""}, {"Cymraeg.tvl", ""}}
            << "Cymraeg|Cymraeg||0|0;dansk|dansk||1|1";
        QTest::newRow("compressed reads like plain") << Files{{"Deutsch.tvl", compressedLanguageText(deutsch)}}
                                                     << "Deutsch|Deutsch (Deutschland)|Deutsch verwenden|0|0";
        QTest::newRow("display name decoded by its charset")
            << Files{{"Russkij.tvl", "[Main]\r\nFontCharset=204\r\nLanguageName=\xd0\xf3\xf1\xf1\xea\xe8\xe9\r\n"}}
            << QString::fromUtf8("Russkij|Русский||0|0");
        QTest::newRow("flag of the wrong width shows none")
            << Files{{"A.tvl", flagEntry("Flag16", 32)}, {"B.tvl", flagEntry("Flag32", 16)}, {"C.tvl", ""}}
            << "A|A||-1|0;B|B||0|-1;C|C||1|1";
    }
    void catalogue() {
        QFETCH(Files, files);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("Folder.tvl")));
        for (const auto& [name, text] : files) {
            TestFiles::write(dir.filePath(name), text);
        }
        TnvLanguageList languages;
        ImageList small(QStringLiteral("small"), QSize(16, 16));
        ImageList large(QStringLiteral("large"), QSize(32, 32));
        QVERIFY(LanguageCatalogue::scan(dir.path(), QStringLiteral("tvl"), "TVC", true, {languages, small, large}));
        QCOMPARE(describe(languages), expected);
        QCOMPARE(languages[0].FileName, QDir::toNativeSeparators(dir.filePath(languages[0].LanguageName + ".tvl")));
    }
};

TOLVANE_TEST(LanguageCatalogueTest)
#include "LanguageCatalogueTest.moc"
