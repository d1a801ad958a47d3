#include "TestFiles.h"
#include "TestRegistry.h"

#include "OpenPage.h"
#include "ProjectListWidget.h"
#include "TranslationRoad.h"
#include "ValueEscapes.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTreeView>
#include <QtTest>

namespace {

// A project "P" of three files: reference and source hold "[S]" with "K", the destination
// its own bytes; opened at that entry. The files' code pages come from their [Main].
bool openEntryK(TranslationRoad& road, const QByteArray& source, const QByteArray& destination) {
    road.writeFile(QStringLiteral("Ref"), "[S]\r\nK=x\r\n");
    road.writeFile(QStringLiteral("Src"), source);
    road.writeFile(QStringLiteral("Dst"), destination);
    road.addProject(QStringLiteral("P"), QStringLiteral("Ref"), QStringLiteral("Src"), QStringLiteral("Dst"));
    return road.open(QStringLiteral("P")) && road.pressEditLanguage() && road.clickSection(QStringLiteral("S")) &&
           road.clickEntry(QStringLiteral("K"));
}

} // namespace

// The edit field and F2 as the user drives them, where a byte could be lost.
class SafeEditingRoadTest : public QObject {
    Q_OBJECT
private slots:
    void shownTextSavedUnchangedIsByteIdentical_data() {
        QTest::addColumn<int>("fontCharset");
        for (const int charset : {0, 161, 162, 177, 178, 186, 204, 238, 222}) {
            QTest::addRow("FontCharset %d", charset) << charset;
        }
    }

    // Every byte that decodes to a character (no NUL, no line break), shown in the field and
    // saved with F2 as it is, comes back as it was.
    void shownTextSavedUnchangedIsByteIdentical() {
        QFETCH(int, fontCharset);
        QByteArray text = "a";
        for (int byte = 1; byte < 256; ++byte) {
            if (byte != '\r' && byte != '\n') {
                text += char(byte);
            }
        }
        text += "b";
        EscapeLanguageValue(text);
        const QByteArray file =
            "[Main]\r\nFontCharset=" + QByteArray::number(fontCharset) + "\r\n\r\n[S]\r\nK=" + text + "\r\n\r\n";
        TranslationRoad road;
        QVERIFY(openEntryK(road, "[S]\r\nK=x\r\n", file));
        road.pressF2();
        QCOMPARE(road.fixture().dialogs().errors(), QStringList());
        QCOMPARE(road.bytes(QStringLiteral("Dst")), file);
    }

    void typedOrPastedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QByteArray>("line"); // empty: refused, nothing saved
        QTest::newRow("typed no-break spaces") << QStringLiteral("1\u00A0000 Prix\u00A0:") << false
                                               << QByteArray("K=1\xA0"
                                                             "000 Prix\xA0:");
        QTest::newRow("pasted NUL") << QString(QChar(0)) << true << QByteArray();
    }

    void typedOrPastedText() {
        QFETCH(QString, text);
        QFETCH(bool, paste);
        QFETCH(QByteArray, line);
        TranslationRoad road;
        const QByteArray before = "[S]\r\nK=old\r\n\r\n";
        QVERIFY(openEntryK(road, "[S]\r\nK=x\r\n", before));
        if (paste) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(road.memo(), Qt::Key_V, Qt::ControlModifier);
        } else {
            road.typeIntoMemo(text);
        }
        road.pressF2();
        QCOMPARE(road.fixture().dialogs().errors().size(), line.isEmpty() ? 1 : 0);
        QCOMPARE(road.bytes(QStringLiteral("Dst")), line.isEmpty() ? before : "[S]\r\n" + line + "\r\n\r\n");
    }

    void rowsReadInTheCodePageOfTheirFile() {
        TranslationRoad road;
        QVERIFY(openEntryK(road, "[Main]\r\nFontCharset=204\r\n\r\n[S]\r\nK=\xC0\xC1\r\n",
                           "[Main]\r\nFontCharset=0\r\n\r\n[S]\r\n"));
        QCOMPARE(road.column(road.values(), 1), QStringList{QStringLiteral("\u0410\u0411")});
    }

    void damagedHiveToldOnceAtStartUp() {
        MainWindowFixture fixture;
        const QByteArray damaged =
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Harvik Software\\Editors\\Tolvane\\Projects\\Kept]\r\n"
            "\"Path\"=\"/x\"\r\n\"Extension\"=\"ln";
        QDir().mkpath(QFileInfo(fixture.hivePath()).absolutePath());
        TestFiles::write(fixture.hivePath(), damaged);
        QVERIFY(fixture.show());
        const QFileInfoList aside = QFileInfo(fixture.hivePath()).dir().entryInfoList({QStringLiteral("*.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestFiles::read(aside.first().filePath()), damaged);
        const QStringList errors = fixture.dialogs().errors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(aside.first().filePath()), qPrintable(errors.first()));
        QCOMPARE(fixture.openPage().lbProjects()->count(), 1);
        QCOMPARE(fixture.projectValue(QStringLiteral("Kept"), QStringLiteral("Path")), QStringLiteral("/x"));
    }
};

TOLVANE_TEST(SafeEditingRoadTest)
#include "SafeEditingRoadTest.moc"
