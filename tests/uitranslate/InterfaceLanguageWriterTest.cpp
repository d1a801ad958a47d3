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
    void englishFileMatchesGolden() {
        EnglishProgram program;
        program.writeEnglish();
        IniDocument written(program.english());
        for (const char* flag : {"Flag16", "Flag32"}) {
            QImage image;
            ReadFlagBitmap(written, "Images", flag, image);
            QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
                     (QByteArray(flag) == "Flag16" ? InterfaceLanguageWriter::englishFlag16()
                                                   : InterfaceLanguageWriter::englishFlag32())
                         .convertToFormat(QImage::Format_RGB32));
        }
        QVERIFY(!InterfaceLanguageWriter::englishFlag16().isNull());
        written.eraseSection("Images");
        const QByteArray golden = TestFiles::fixture(QStringLiteral("uitranslate/English.tvl"));
        if (qEnvironmentVariableIsSet("TOLVANE_UPDATE_GOLDEN")) {
            write(QStringLiteral(TOLVANE_TEST_DATA "/uitranslate/English.tvl"), written.toText());
        }
        QCOMPARE(written.toText(), golden);
    }

    void designKeys_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value"); // "<absent>" for what is never written
        const auto row = [](const char* section, const char* key, const char* value) {
            QTest::addRow("%s %s", section, key) << QByteArray(section) << QByteArray(key) << QByteArray(value);
        };
        row("Forms", "formSearch", "Search results");
        row("formMain.pcMain", "tsOpen", "Open project");
        row("formMain.pcMain.tsOpen", "labelProjectLanguagePath", "Language file path:");
        row("formMain.pcMain.tsEdit.panelLngEditMain", "lvLanguageValues.Items", "Internal%0D%0ATranslation%0D%0A");
        row("formMain.menuMain", "miFile", "&File");
        row("formMain.menuMain.miFile", "miFileOpen", "&Open...");
        row("formMain.alMain", "aProjectAdd", "Add project");
        row("formMain.alMain", "aSaveLanguageEntry", "F2");
        row("Main", "LanguageName", "English");
        row("Main", "Use", "Use english language");
        row("Main", "FontName", "MS Sans Serif");
        row("Main", "FontSize", "8");
        row("Main", "FontCharset", "1");
        row("Main", "HelpFile", "Help\\English.chm");
        row("Messages", "InputDlgFileExtension", "Please enter extension of language files:");
        row("Dialogs", "ButtonYesToAll", "Yes to all");
        row("Dialogs", "DialogTitleCustom", "Custom");
        row("formMain.menuMain.miFile", "N2", "<absent>");
        row("formMain.menuMain.miProject.miProjectAdd", "N1", "<absent>");
        row("formMain.pcMain.tsEdit.panelLngEditMain.panelLngEdit", "bnSaveLanguageEntry", "<absent>");
        row("formMain.pcMain.tsNfo.panelInfoRight.panelInfoTop", "labelInfoEntry", "<absent>");
    }

    void designKeys() {
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        EnglishProgram program;
        // A data label that shows something at the time of writing still writes nothing.
        program.main.find<QLabel>(QStringLiteral("labelInfoEntry"))->setText(QStringLiteral("NoteMiner"));
        const IniDocument english = program.writeEnglish();
        QCOMPARE(english.readString(section, key, "<absent>"), value);
    }

    void hintsAreEscaped_data() {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("percent and blank") << "100% sure" << QByteArray("100%% sure");
        QTest::newRow("placeholders") << "%d of %s" << QByteArray("%d of %s");
        QTest::newRow("two lines") << "first\r\nsecond" << QByteArray("first%0D%0Asecond");
        QTest::newRow("code page") << QStringLiteral("Größe")
                                   << QByteArray("Gr\xF6\xDF"
                                                 "e");
    }

    void hintsAreEscaped() {
        QFETCH(QString, hint);
        QFETCH(QByteArray, stored);
        EnglishProgram program;
        program.main.find<QLabel>(QStringLiteral("labelProjectLanguagePath"))->setToolTip(hint);
        const IniDocument english = program.writeEnglish();
        QCOMPARE(english.readString("formMain.pcMain.tsOpen", "labelProjectLanguagePath.Hint"), stored);
    }

    // Texts go out in the code page of the character set the file announces; one that the code
    // page cannot hold is left out, never written as "?".
    void textsInTheFilesCodePage_data() {
        QTest::addColumn<int>("charset");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("Hebrew") << 177 << QStringLiteral("תוצאות") << QByteArray("\xFA\xE5\xF6\xE0\xE5\xFA");
        QTest::newRow("Russian") << 204 << QStringLiteral("Итоги") << QByteArray("\xC8\xF2\xEE\xE3\xE8");
        QTest::newRow("Hebrew in Western") << 0 << QStringLiteral("תוצאות") << QByteArray("<absent>");
        QTest::newRow("Western") << 1 << QStringLiteral("Ergebnisse") << QByteArray("Ergebnisse");
    }

    void textsInTheFilesCodePage() {
        QFETCH(int, charset);
        QFETCH(QString, caption);
        QFETCH(QByteArray, stored);
        EnglishProgram program;
        for (ComponentList* window : WindowRegistry::application().windows()) {
            window->window().setProperty("charset", charset);
        }
        program.search.setWindowTitle(caption);
        program.writer.saveLanguage(program.english(), {QStringLiteral("X"), {}, {}});
        const IniDocument written(program.english());
        QCOMPARE(written.readString("Forms", "formSearch", "<absent>"), stored);
        QCOMPARE(written.readInteger("Main", "FontCharset", -1), charset);
        QCOMPARE(written.readString("Forms", "formMain"), QByteArray("Tolvane (1.1f)"));
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

    // Every failing step of a safe write: the caller hears of it and the old file is whole; the
    // start-up writing of the English file goes on as if nothing had happened.
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
        // At start-up a step that fails is passed over and the next one is still tried.
        ScopedWriteFault startUp{ScopedWriteFault::Step(step)};
        program.writer.createEnglishLanguage(program.folder(), QStringLiteral("tvl"), {});
        QVERIFY(startUp.fired());
        const IniDocument after(path);
        QCOMPARE(after.readString("Forms", "formMain"), QByteArray("Alt"));
        QVERIFY(after.hasKey("Images", "Flag16") && after.hasKey("Images", "Flag32"));
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

    void defaultMessages_data() {
        QTest::addColumn<QStringList>("pairs"); // key, text, key, text...
        QTest::addColumn<QByteArray>("section");
        QTest::newRow("in order") << QStringList{"B", "2", "A", "1"} << QByteArray("[Messages]\r\nB=2\r\nA=1\r\n\r\n");
        QTest::newRow("later text replaces")
            << QStringList{"A", "1", "B", "2", "a", "3"} << QByteArray("[Messages]\r\nA=3\r\nB=2\r\n\r\n");
        QTest::newRow("empty text removes")
            << QStringList{"A", "1", "B", "2", "A", ""} << QByteArray("[Messages]\r\nB=2\r\n\r\n");
        QTest::newRow("escaped") << QStringList{"A", "50%\r\nof %s"}
                                 << QByteArray("[Messages]\r\nA=50%%%0D%0Aof %s\r\n\r\n");
    }

    void defaultMessages() {
        QFETCH(QStringList, pairs);
        QFETCH(QByteArray, section);
        QList<QPair<QString, QString>> messages;
        for (int i = 0; i + 1 < pairs.size(); i += 2) {
            messages.append({pairs.at(i), pairs.at(i + 1)});
        }
        const InterfaceLanguageWriter writer(WindowRegistry::application(), messages);
        IniDocument ini;
        writer.writeDefaultMessages(ini, 1252);
        QCOMPARE(ini.toText(), section);
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
