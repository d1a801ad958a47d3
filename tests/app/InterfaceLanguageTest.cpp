#include "CodePage.h"
#include "ComponentList.h"
#include "ComponentTexts.h"
#include "CompressedLanguageText.h"
#include "IniDocument.h"
#include "InterfaceTexts.h"
#include "MainWindowFixture.h"
#include "MessageTable.h"
#include "NvDialogStrings.h"
#include "NvMessageDialog.h"
#include "ProgramSettings.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "TformSearch.h"
#include "TnvTranslator.h"
#include "ValueEscapes.h"
#include "WindowRegistry.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

namespace {

// Every text of every window of the program, as the key scheme lists it.
QList<InterfaceText> programTexts() {
    QList<InterfaceText> texts;
    for (const ComponentList* window : WindowRegistry::application().windows()) {
        texts += InterfaceTexts::ofWindow(*window);
    }
    return texts;
}

QStringList described(const QList<InterfaceText>& texts) {
    QStringList lines;
    for (const InterfaceText& text : texts) {
        lines << text.section + QLatin1Char('|') + text.key + QLatin1Char('=') + text.value;
    }
    return lines;
}

// A language file holding the given texts, with [Main] before them.
QByteArray languageText(const QList<InterfaceText>& texts, const QByteArray& main, int codePage = CodePage::Ansi) {
    IniDocument document;
    document.setFromText("[Main]\r\n" + main + "\r\n");
    for (const InterfaceText& text : texts) {
        QByteArray value = CodePage::encode(text.value, codePage).value_or("?");
        if (text.escaped) {
            EscapeLanguageValue(value);
        }
        document.writeString(text.section.toLatin1(), text.key.toLatin1(), value);
    }
    return document.toText();
}

// Every step-th text (from the first) replaced by a text of its own in the given script; list
// texts line by line, each line still followed by a line break.
QList<InterfaceText> translated(QList<InterfaceText> texts, int step, const QString& word) {
    for (int i = 0; i < texts.size(); i += step) {
        InterfaceText& text = texts[i];
        if (text.key.endsWith(QLatin1String(".Items"))) {
            const qsizetype lines = text.value.count(QStringLiteral("\r\n"));
            text.value.clear();
            for (qsizetype line = 0; line < lines; ++line) {
                text.value += word + QString::number(i) + QLatin1Char('.') + QString::number(line) + "\r\n";
            }
        } else {
            text.value = word + QString::number(i);
        }
    }
    return texts;
}

} // namespace

// The program's interface in another language: every window, menu, action, message and dialog
// caption follows the language applied, and the choice is kept for the next start.
class InterfaceLanguageTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fixture = std::make_unique<MainWindowFixture>();
        m_search = std::make_unique<TformSearch>();
        m_fixture->window().setSearchWindow(m_search.get());
        m_folder = m_fixture->makeFolder(QStringLiteral("Languages")) + QDir::separator();
        translator().SetLanguageFolder(m_folder, QStringLiteral("tvl"));
    }
    void cleanup() {
        m_fixture.reset();
        m_search.reset();
        nvResetCaptions();
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void appliesEveryTextItHasAndKeepsTheRest_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QByteArray>("main");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("compressed");
        QTest::newRow("every text") << 1 << 1252 << QByteArray() << QString::fromUtf8("Übersetzt ") << false;
        QTest::newRow("every second, compressed")
            << 2 << 1252 << QByteArray() << QString::fromUtf8("Traducción ") << true;
        QTest::newRow("every third, Hebrew")
            << 3 << 1255 << QByteArray("FontCharset=177\r\nBiDiMode=RL") << QString::fromUtf8("טקסט ") << false;
        QTest::newRow("every seventh, Russian, compressed")
            << 7 << 1251 << QByteArray("FontCharset=204") << QString::fromUtf8("Текст ") << true;
    }
    void appliesEveryTextItHasAndKeepsTheRest() {
        QFETCH(int, step);
        QFETCH(int, codePage);
        QFETCH(QByteArray, main);
        QFETCH(QString, word);
        QFETCH(bool, compressed);
        QVERIFY(m_fixture->show());
        const QList<InterfaceText> designed = programTexts();
        QVERIFY(described(designed).contains(QStringLiteral("Forms|formSearch=Search results")));
        QVERIFY(described(designed).contains(QStringLiteral("formMain.alMain|aProjectAdd=Add project")));
        const QList<InterfaceText> expected = translated(designed, step, word);
        const QByteArray text = languageText(expected, main, codePage);
        writeLanguage("Other", compressed ? compressedLanguageText(text) : text);
        writeLanguage("English", languageText(designed, {}));

        translator().LoadLanguage(m_folder + "Other.tvl", false);
        QCOMPARE(described(programTexts()), described(expected));
        QCOMPARE(translator().LanguageName(), QStringLiteral("Other"));

        translator().LoadLanguage(m_folder + "English.tvl", false);
        QCOMPARE(described(programTexts()), described(designed));
    }

    void keySchemeEdges_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QString>("text");
        QTest::newRow("an empty value empties")
            << QByteArray("[formMain.pcMain.tsOpen]\r\nlabelProjectLanguagePath=") << "labelProjectLanguagePath"
            << "";
        QTest::newRow("window caption as it stands") << QByteArray("[Forms]\r\nformMain=50%%") << "formMain"
                                                     << "50%%";
        QTest::newRow("action caption as it stands")
            << QByteArray("[formMain.alMain]\r\naProjectAdd=Neu%%") << "aProjectAdd"
            << "Neu%%";
        QTest::newRow("three lines on two columns")
            << QByteArray("[formMain.pcMain.tsEdit.panelLngEditMain]\r\nlvLanguageValues.Items=A%0D%0AB%0D%0AC%0D%0A")
            << "lvLanguageValues"
            << "A|B";
    }
    void keySchemeEdges() {
        QFETCH(QByteArray, language);
        QFETCH(QString, component);
        QFETCH(QString, text);
        QVERIFY(m_fixture->show());
        writeLanguage("Edge", language + "\r\n");
        translator().LoadLanguage(m_folder + "Edge.tvl", false);
        QObject* object = m_fixture->window().componentList().find(component);
        object = object != nullptr ? object : &m_fixture->window();
        QCOMPARE(ComponentTexts::hasListTexts(object) ? ComponentTexts::listTexts(object).join(QLatin1Char('|'))
                                                      : ComponentTexts::caption(object),
                 text);
    }

    void ownFontsKeepFaceAndSize() {
        QVERIFY(m_fixture->show());
        writeLanguage("Font", "[Main]\r\nFontName=Tahoma\r\nFontSize=10\r\n");
        translator().LoadLanguage(m_folder + "Font.tvl", false);
        const QFont inherited = m_fixture->find<QLabel>(QStringLiteral("labelProjectLanguagePath"))->font();
        QCOMPARE(inherited.family() + QString::number(inherited.pointSize()), QStringLiteral("Tahoma10"));
        const QFont own = m_fixture->find<QLabel>(QStringLiteral("labelLanguageSection"))->font();
        QCOMPARE(own.family() + QString::number(own.pointSize()), QStringLiteral("MS Sans Serif8"));
        QVERIFY(own.bold());
    }

    void rightToLeftMirrorsTheWindows_data() {
        QTest::addColumn<QByteArray>("mode");
        QTest::addColumn<bool>("mirrored");
        QTest::newRow("RL") << QByteArray("RL") << true;
        QTest::newRow("rlna") << QByteArray("rlna") << true;
        QTest::newRow("RLRO") << QByteArray("RLRO") << true;
        QTest::newRow("LR") << QByteArray("LR") << false;
        QTest::newRow("unknown") << QByteArray("XX") << false;
    }
    void rightToLeftMirrorsTheWindows() {
        QFETCH(QByteArray, mode);
        QFETCH(bool, mirrored);
        QVERIFY(m_fixture->show());
        auto* label = m_fixture->find<QLabel>(QStringLiteral("labelProjectLanguagePath"));
        QVERIFY(label != nullptr);
        writeLanguage("Mirror", "[Main]\r\nBiDiMode=" + mode + "\r\n");
        translator().LoadLanguage(m_folder + "Mirror.tvl", false);
        QCoreApplication::processEvents();
        const Qt::LayoutDirection direction = mirrored ? Qt::RightToLeft : Qt::LeftToRight;
        QCOMPARE(QGuiApplication::layoutDirection(), direction);
        QCOMPARE(m_search->layoutDirection(), direction);
        QCOMPARE(label->layoutDirection(), direction);
        // The labels stand right of their fields, the menu bar starts at the right edge, the labels'
        // text stands at their right.
        const int fieldX = m_fixture->find<QWidget>(QStringLiteral("editProjectLanguagePath"))->x();
        QCOMPARE(label->x() > fieldX, mirrored);
        QMenuBar* bar = m_fixture->window().menuBar();
        const int fileX = bar->actionGeometry(m_fixture->action(QStringLiteral("miFile"))).center().x();
        QCOMPARE(fileX > bar->width() / 2, mirrored);
        QCOMPARE(bool(QStyle::visualAlignment(label->layoutDirection(), label->alignment()) & Qt::AlignRight),
                 mirrored);
    }

    void messagesAndDialogCaptionsFollow() {
        QVERIFY(m_fixture->show());
        TformMain& window = m_fixture->window();
        const auto yesWidth = [] {
            NvMessageDialog dialog(QStringLiteral("?"), MsgDlgType::Confirmation, mbYes | mbNo);
            return dialog.button(mbYes)->width();
        };
        const int englishYes = yesWidth();
        writeLanguage("Deutsch", "[Messages]\r\nConfirmationProjectDelete=Projekt %s%0D%0Awirklich entfernen?\r\n"
                                 "[Dialogs]\r\nButtonYes=Ja, ganz bestimmt und sofort entfernen\r\n");
        translator().LoadLanguage(m_folder + "Deutsch.tvl", false);
        QCOMPARE(window.GetMessageText(MessageTable::ConfirmationProjectDelete),
                 QStringLiteral("Projekt %s\r\nwirklich entfernen?"));
        QCOMPARE(window.GetMessageText(MessageTable::DialogProjectRenameCaption),
                 MessageTable::defaultText(MessageTable::DialogProjectRenameCaption));
        QCOMPARE(nvButtonCaption(mbYes), QStringLiteral("Ja, ganz bestimmt und sofort entfernen"));
        QCOMPARE(nvButtonCaption(mbNo), QStringLiteral("No"));
        // The longer caption is measured again rather than taken from the English width.
        NvMessageDialog dialog(QStringLiteral("?"), MsgDlgType::Confirmation, mbYes | mbNo);
        QPushButton* yes = dialog.button(mbYes);
        QVERIFY(yes->width() > englishYes);
        QVERIFY(yes->width() >= yes->fontMetrics().horizontalAdvance(yes->text()));
        QCOMPARE(yesWidth(), yes->width());
        // A language without the caption keeps the one in force.
        writeLanguage("Plain", "[Dialogs]\r\nButtonNo=Nein\r\n");
        translator().LoadLanguage(m_folder + "Plain.tvl", false);
        QCOMPARE(nvButtonCaption(mbYes) + nvButtonCaption(mbNo),
                 QStringLiteral("Ja, ganz bestimmt und sofort entfernenNein"));
    }

    void theChoiceSurvivesARestart() {
        writeLanguage("Deutsch", "[Main]\r\nLanguageName=Deutsch\r\n[Forms]\r\nformMain=Tolvane auf Deutsch\r\n"
                                 "[formMain.menuMain]\r\nmiFile=&Datei\r\n");
        writeLanguage("English", "[Main]\r\nLanguageName=English\r\n");
        QVERIFY(m_fixture->show());
        QMenu* menu = m_fixture->action(QStringLiteral("miLanguages"))->menu();
        QStringList entries;
        for (QAction* entry : menu->actions()) {
            entries << entry->text();
        }
        QCOMPARE(entries, (QStringList{"Deutsch", "English"}));
        menu->actions().constFirst()->trigger();
        QCOMPARE(m_fixture->window().windowTitle(), QStringLiteral("Tolvane auf Deutsch"));
        QCOMPARE(m_fixture->hive().readString(ProgramSettings::key, ProgramSettings::valueLanguage),
                 std::optional<QString>(QStringLiteral("Deutsch")));

        m_fixture->rebuildWindow();
        m_fixture->window().setSearchWindow(m_search.get());
        translator().SetLanguageFolder(m_folder, QStringLiteral("tvl"));
        QCOMPARE(m_fixture->window().windowTitle(), QStringLiteral("Tolvane (1.1f)"));
        QVERIFY(m_fixture->show());
        QCOMPARE(m_fixture->window().windowTitle(), QStringLiteral("Tolvane auf Deutsch"));
        QCOMPARE(m_fixture->action(QStringLiteral("miFile"))->text(), QStringLiteral("&Datei"));
        QCOMPARE(translator().LanguageName(), QStringLiteral("Deutsch"));
    }

    // The languages that come with the program, on top of the English file the start writes.
    void shippedLanguagesApplyAndTheWrittenEnglishRestores_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Qt::LayoutDirection>("direction");
        QTest::newRow("German, compressed") << QStringLiteral("Deutsch.tvl") << Qt::LeftToRight;
        QTest::newRow("Hebrew") << QStringLiteral("Hebrew.tvl") << Qt::RightToLeft;
    }
    void shippedLanguagesApplyAndTheWrittenEnglishRestores() {
        QFETCH(QString, file);
        QFETCH(Qt::LayoutDirection, direction);
        QVERIFY(QFile::copy(QStringLiteral(TOLVANE_LANGUAGES_BUILT "/") + file, m_folder + file));
        QVERIFY(m_fixture->show());
        QVERIFY(QFile::exists(m_folder + "English.tvl"));
        QCOMPARE(m_fixture->action(QStringLiteral("miLanguages"))->menu()->actions().size(), 2);
        const QStringList designed = described(programTexts());

        translator().LoadLanguage(m_folder + file, false);
        const QStringList shown = described(programTexts());
        int kept = 0;
        for (const QString& text : shown) {
            kept += designed.contains(text);
        }
        QVERIFY2(kept <= 15, qPrintable(QString::number(kept)));
        QCOMPARE(m_fixture->window().layoutDirection(), direction);
        QVERIFY(m_fixture->window().GetMessageText(MessageTable::FileDoesNotExist) !=
                MessageTable::defaultText(MessageTable::FileDoesNotExist));

        translator().LoadLanguage(m_folder + "English.tvl", false);
        QCOMPARE(described(programTexts()), designed);
        QCOMPARE(m_fixture->window().layoutDirection(), Qt::LeftToRight);
        QCOMPARE(m_fixture->window().GetMessageText(MessageTable::FileDoesNotExist),
                 MessageTable::defaultText(MessageTable::FileDoesNotExist));
    }

    void aMissingLanguagesFolderNeverStopsTheStart_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("missing") << QStringLiteral("Nowhere/");
        QTest::newRow("a file") << QStringLiteral("File.tvl/");
    }
    void aMissingLanguagesFolderNeverStopsTheStart() {
        QFETCH(QString, folder);
        TestFiles::write(m_fixture->path(QStringLiteral("File.tvl")), "[Forms]\r\nformMain=Never\r\n");
        translator().SetLanguageFolder(m_fixture->path(folder), QStringLiteral("tvl"));
        QVERIFY(m_fixture->show());
        QVERIFY(m_fixture->window().isVisible());
        QVERIFY(m_fixture->dialogs().questions().isEmpty());
        QCOMPARE(m_fixture->window().pcMain()->currentWidget(), m_fixture->window().tsOpen());
        QCOMPARE(m_fixture->window().GetMessageText(MessageTable::FileDoesNotExist),
                 MessageTable::defaultText(MessageTable::FileDoesNotExist));
    }

private:
    TnvTranslator& translator() { return *m_fixture->window().translator(); }
    void writeLanguage(const char* name, const QByteArray& bytes) {
        TestFiles::write(m_folder + QLatin1String(name) + ".tvl", bytes);
    }

    std::unique_ptr<MainWindowFixture> m_fixture;
    std::unique_ptr<TformSearch> m_search;
    QString m_folder;
};

TOLVANE_TEST(InterfaceLanguageTest)
#include "InterfaceLanguageTest.moc"
