#include "InterfaceLanguageWriter.h"
#include "EnglishProgram.h"
#include "FileError.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "ScopedWriteFault.h"
#include "TestFiles.h"
#include "TestRegistry.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <zlib.h>

#include <optional>

using TestFiles::read;
using TestFiles::write;

namespace {

QByteArray compressed(const QByteArray& plain) {
    QByteArray stream(int(compressBound(uLong(plain.size()))), '\0');
    uLongf size = uLongf(stream.size());
    compress(reinterpret_cast<Bytef*>(stream.data()), &size, reinterpret_cast<const Bytef*>(plain.constData()),
             uLong(plain.size()));
    return "TVC1" + stream.left(int(size));
}

} // namespace

// The English interface language file as the program writes it from its windows, and the
// writing of texts, messages and flags into existing files.
class InterfaceLanguageWriterTest : public QObject {
    Q_OBJECT
private slots:
    // Every window, nested container, menu level and action list under its section; separators,
    // empty texts, a button that shows an action and the data labels (tag 1) are not written.
    void englishFileMatchesGolden() {
        EnglishProgram program;
        program.main.find<QLabel>(QStringLiteral("labelInfoEntry"))->setText(QStringLiteral("NoteMiner"));
        IniDocument written = program.writeEnglish();
        QImage flag16, flag32;
        ReadFlagBitmap(written, "Images", "Flag16", flag16);
        ReadFlagBitmap(written, "Images", "Flag32", flag32);
        QCOMPARE(flag16.convertToFormat(QImage::Format_RGB32),
                 InterfaceLanguageWriter::englishFlag16().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(flag32.convertToFormat(QImage::Format_RGB32),
                 InterfaceLanguageWriter::englishFlag32().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(flag32.size(), QSize(32, 32));
        written.eraseSection("Images");
        if (qEnvironmentVariableIsSet("TOLVANE_UPDATE_GOLDEN")) {
            write(QStringLiteral(TOLVANE_TEST_DATA "/uitranslate/English.tvl"), written.toText());
        }
        QCOMPARE(written.toText(), TestFiles::fixture(QStringLiteral("uitranslate/English.tvl")));
    }

    // Control texts are escaped, and every text goes out in the code page of the character set
    // the file announces; one that the code page cannot hold is left out, never written as "?".
    void textsAsStored_data() {
        QTest::addColumn<int>("charset");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("percent and blank") << 1 << "100% sure" << QByteArray("100%% sure");
        QTest::newRow("placeholders") << 1 << "%d of %s" << QByteArray("%d of %s");
        QTest::newRow("two lines") << 1 << "first\r\nsecond" << QByteArray("first%0D%0Asecond");
        QTest::newRow("Western") << 0 << QStringLiteral("Größe")
                                 << QByteArray("Gr\xF6\xDF"
                                               "e");
        QTest::newRow("Hebrew") << 177 << QStringLiteral("תוצאות") << QByteArray("\xFA\xE5\xF6\xE0\xE5\xFA");
        QTest::newRow("Russian") << 204 << QStringLiteral("Итоги") << QByteArray("\xC8\xF2\xEE\xE3\xE8");
        QTest::newRow("Hebrew in Western") << 0 << QStringLiteral("תוצאות") << QByteArray("<absent>");
    }

    void textsAsStored() {
        QFETCH(int, charset);
        QFETCH(QString, hint);
        QFETCH(QByteArray, stored);
        EnglishProgram program;
        program.main.window().setProperty("charset", charset);
        program.search.setProperty("charset", charset);
        program.main.find<QLabel>(QStringLiteral("labelProjectLanguagePath"))->setToolTip(hint);
        const IniDocument english = program.writeEnglish();
        QCOMPARE(english.readString("formMain.pcMain.tsOpen", "labelProjectLanguagePath.Hint", "<absent>"), stored);
        QCOMPARE(english.readInteger("Main", "FontCharset", -1), charset);
        QCOMPARE(english.readString("formMain.pcMain", "tsOpen"), QByteArray("Open project"));
    }

    void existingEntriesStay_data() {
        QTest::addColumn<QByteArray>("before");
        const QByteArray plain = "[Forms]\r\nformMain=Alt\r\nformOld=Weg\r\n[Images]\r\nFlag16=00\r\n";
        QTest::newRow("plain") << plain;
        QTest::newRow("compressed") << compressed(plain);
    }

    void existingEntriesStay() {
        QFETCH(QByteArray, before);
        EnglishProgram program;
        write(program.english(), before);
        const IniDocument english = program.writeEnglish();
        QCOMPARE(english.readString("Forms", "formOld"), QByteArray("Weg"));
        QCOMPARE(english.readString("Forms", "formMain"), QByteArray("Tolvane (1.1f)"));
        QCOMPARE(english.sections().first(), QByteArray("Forms"));
        QVERIFY(read(program.english()).startsWith("[Forms]\r\n"));
    }

    void displayNameFallsBackToBaseName_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("realName");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("empty") << "Deutsch.tvl"
                               << "" << QByteArray("Deutsch");
        QTest::newRow("dotted") << "Portugues.Brasil.tvl"
                                << "" << QByteArray("Portugues.Brasil");
        QTest::newRow("given") << "Dansk.tvl"
                               << "Dansk sprog" << QByteArray("Dansk sprog");
    }

    void displayNameFallsBackToBaseName() {
        QFETCH(QString, file);
        QFETCH(QString, realName);
        QFETCH(QByteArray, written);
        EnglishProgram program;
        const QString path = program.dir.filePath(file);
        program.writer.saveLanguage(path, {realName, QStringLiteral("Hint"), {}});
        QCOMPARE(IniDocument(path).readString("Main", "LanguageName"), written);
    }

    // Every failing step of a safe write: the caller hears of it and the old file is whole.
    void writeFaultsKeepTheOldFile_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("write"); // 0 saveLanguage, 1 saveFlag16, 2 saveFlag32
        for (int step = ScopedWriteFault::CreateTemporary; step <= ScopedWriteFault::Rename; ++step) {
            for (int which = 0; which < 3; ++which) {
                QTest::addRow("step %d write %d", step, which) << step << which;
            }
        }
    }

    void writeFaultsKeepTheOldFile() {
        QFETCH(int, step);
        QFETCH(int, write);
        EnglishProgram program;
        const QByteArray before = "[Forms]\r\nformMain=Alt\r\n\r\n";
        TestFiles::write(program.english(), before);
        ScopedWriteFault fault{ScopedWriteFault::Step(step)};
        const InterfaceLanguageWriter& writer = program.writer;
        const QString path = program.english();
        const QImage flag = InterfaceLanguageWriter::englishFlag16();
        const std::function<void()> writes[] = {[&] { writer.saveLanguage(path, {}); },
                                                [&] { writer.saveFlag16(flag, path); },
                                                [&] { writer.saveFlag32(flag, path); }};
        QVERIFY_THROWS_EXCEPTION(FileError, writes[write]());
        QVERIFY(fault.fired());
        QCOMPARE(read(path), before);
    }

    void noFolderNoEnglishFile_data() {
        QTest::addColumn<int>("trouble");
        QTest::newRow("missing folder") << 0;
        QTest::newRow("a file in the folder's place") << 1;
        QTest::newRow("folder refuses new files") << 2;
    }

    void noFolderNoEnglishFile() {
        QFETCH(int, trouble);
        EnglishProgram program;
        const QString folder = program.dir.filePath(QStringLiteral("Languages"));
        if (trouble == 1) {
            write(folder, "");
        }
        // Each of the three writes (texts, two flags) finds no room for its temporary file.
        std::optional<ScopedWriteFault> first, second, third;
        if (trouble == 2) {
            QVERIFY(QDir().mkdir(folder));
            first.emplace(ScopedWriteFault::CreateTemporary, 1, EACCES);
            second.emplace(ScopedWriteFault::CreateTemporary, 2, EACCES);
            third.emplace(ScopedWriteFault::CreateTemporary, 3, EACCES);
        }
        program.writer.createEnglishLanguage(folder + QLatin1Char('/'), QStringLiteral("tvl"), {});
        QVERIFY(!QFile::exists(folder + QStringLiteral("/English.tvl")));
    }

    // Raised for every component of every window, before that component's texts are written.
    void ownerSaveSeesEveryComponent() {
        EnglishProgram program;
        QStringList sections;
        program.writer.setOwnerSave([&](const QString& section, QObject* obj, IniDocument& ini) {
            QCOMPARE(section.section(QLatin1Char('.'), 1), obj->objectName());
            sections.append(section);
            if (obj->objectName() == QLatin1String("pcMain")) {
                ini.writeString("formMain.pcMain", "tsOpen", "from the handler");
            }
        });
        const IniDocument english = program.writeEnglish();
        QStringList expected;
        for (const ComponentList* window : WindowRegistry::application().windows()) {
            for (const QObject* component : window->all()) {
                expected.append(window->window().objectName() + QLatin1Char('.') + component->objectName());
            }
        }
        QCOMPARE(sections, expected);
        // The page's caption is among pcMain's texts, written after pcMain's event.
        QCOMPARE(english.readString("formMain.pcMain", "tsOpen"), QByteArray("Open project"));
    }
};

TOLVANE_TEST(InterfaceLanguageWriterTest)
#include "InterfaceLanguageWriterTest.moc"
