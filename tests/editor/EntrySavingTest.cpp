#include "CodePage.h"
#include "EditingState.h"
#include "EditorTestFiles.h"
#include "EntrySaver.h"
#include "EntryTexts.h"
#include "TestRegistry.h"

#include <QtTest>

using EditorTestFiles::read;
using EditorTestFiles::write;

// Entry texts and saving against real files: escapes, code pages, changes made by others on
// disk and writes that fail.
class EntrySavingTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void savedBytes_data();
    void savedBytes();
    void entryTextsUnescapeAndDecodePerFile();
    void textTheCodePageCannotHoldIsRefused();
    void savedFontCharsetSetsTheCodePageOfLaterTexts_data();
    void savedFontCharsetSetsTheCodePageOfLaterTexts();
    void changedFileIsReloadedBeforeSaving();
    void failedWriteLeavesFileAndKeepsEntry_data();
    void failedWriteLeavesFileAndKeepsEntry();
    void nothingChosenSavesNothing();

private:
    EditRequest request() const;
    void load(const QByteArray& destination, const QByteArray& section, const QByteArray& key);

    std::unique_ptr<QTemporaryDir> m_dir;
    EditingState m_state;
};

EditRequest EntrySavingTest::request() const {
    return {QStringLiteral("Ref"), QStringLiteral("Src"), QStringLiteral("Dst"), m_dir->path(), QStringLiteral("lng")};
}

void EntrySavingTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = EditingState();
}

void EntrySavingTest::load(const QByteArray& destination, const QByteArray& section, const QByteArray& key) {
    write(m_dir->filePath("Ref.lng"), "[S]\r\nKey=Reference text\r\n");
    write(m_dir->filePath("Src.lng"), "[S]\r\nKey=Source%0D%0Atext\r\n");
    write(m_dir->filePath("Dst.lng"), destination);
    m_state.load(request());
    m_state.currentSection = section;
    m_state.currentKey = key;
}

void EntrySavingTest::savedBytes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("two lines") << QStringLiteral("a\nb") << QByteArray("Key=a%0D%0Ab");
    QTest::newRow("every kind of line break")
        << QStringLiteral("a\rb\r\nc\nd\u2029e") << QByteArray("Key=a%0D%0Ab%0D%0Ac%0D%0Ad%0D%0Ae");
    QTest::newRow("placeholders stay") << QStringLiteral("100 %s") << QByteArray("Key=100 %s");
    QTest::newRow("trailing percent stays single") << QStringLiteral("5%") << QByteArray("Key=5%");
    QTest::newRow("percent before a break doubled") << QStringLiteral("50%\nx") << QByteArray("Key=50%%%0D%0Ax");
    QTest::newRow("Western letters in 1252") << QStringLiteral("Fran\u00e7ais")
                                             << QByteArray("Key=Fran\xe7"
                                                           "ais");
}

void EntrySavingTest::savedBytes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, line);
    load("[S]\r\nOther=1\r\n", "S", "Key");
    const EntrySaver::Result result = EntrySaver::save(m_state, text);
    QVERIFY2(result.saved, qPrintable(result.error));
    QCOMPARE(read(m_dir->filePath("Dst.lng")), "[S]\r\nOther=1\r\n" + line + "\r\n\r\n");
}

void EntrySavingTest::entryTextsUnescapeAndDecodePerFile() {
    write(m_dir->filePath("Ref.lng"), "[S]\r\nKey=Cancel 100%%\r\n");
    write(m_dir->filePath("Src.lng"), "[Main]\r\nFontCharset=238\r\n[S]\r\n");
    write(m_dir->filePath("Dst.lng"), "[Main]\r\nFontCharset=204\r\n[S]\r\nKey=\xce\xf2\xec\xe5\xed\xe0%0D%0A!\r\n");
    m_state.load(request());
    m_state.currentSection = "S";
    QCOMPARE(m_state.codePage(EditingState::Destination), 1251);
    const EntryTexts current = EntryTexts::of(m_state, "Key", "\xce\xf2\xec\xe5\xed\xe0%0D%0A!", MarkPresent);
    QCOMPARE(current.edit, QStringLiteral("\u041e\u0442\u043c\u0435\u043d\u0430\r\n!"));
    QCOMPARE(current.sourceLabel, QStringLiteral("Cancel 100%"));
    QCOMPARE(current.hint, "Current translation:\r\n" + current.edit +
                               "\r\n\r\nSource translation:\r\n\r\n\r\nReference translation:\r\nCancel 100%");
    // A text taken over from the reference is read in the reference's code page.
    QCOMPARE(EntryTexts::of(m_state, "Key", "\xe9", MarkMissing).edit, QStringLiteral("\u00e9"));

    m_state.currentKey = "Key";
    QVERIFY(EntrySaver::save(m_state, QStringLiteral("\u0413\u043e\u0442\u043e\u0432\u043e")).saved);
    QVERIFY(read(m_dir->filePath("Dst.lng")).contains("Key=\xc3\xee\xf2\xee\xe2\xee\r\n"));
}

void EntrySavingTest::textTheCodePageCannotHoldIsRefused() {
    const QByteArray before = "[Main]\r\nFontCharset=204\r\n\r\n[S]\r\nKey=old\r\n\r\n";
    load(before, "S", "Key");
    const EntrySaver::Result result = EntrySaver::save(m_state, QStringLiteral("caf\u00e9 \u65e5\u672c"));
    QVERIFY(!result.saved);
    QVERIFY(result.error.contains(QLatin1String("1251")));
    QCOMPARE(read(m_dir->filePath("Dst.lng")), before);
    QCOMPARE(m_state.destination()->readString("S", "Key"), QByteArray("old"));
}

void EntrySavingTest::savedFontCharsetSetsTheCodePageOfLaterTexts_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("charset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("Western to Cyrillic") << QByteArray("0") << QStringLiteral("204") << QStringLiteral("\u0416")
                                         << QByteArray("\xc6");
    QTest::newRow("Cyrillic to Western") << QByteArray("204") << QStringLiteral("0") << QStringLiteral("\u00e9")
                                         << QByteArray("\xe9");
    QTest::newRow("Japanese to Central European")
        << QByteArray("128") << QStringLiteral("238") << QStringLiteral("\u010d") << QByteArray("\xe8");
    QTest::newRow("not a number reads as Western")
        << QByteArray("204") << QStringLiteral("Cyrillic") << QStringLiteral("\u00e9") << QByteArray("\xe9");
}

void EntrySavingTest::savedFontCharsetSetsTheCodePageOfLaterTexts() {
    QFETCH(QByteArray, before);
    QFETCH(QString, charset);
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);
    load("[Main]\r\nFontCharset=" + before + "\r\n[S]\r\nKey=old\r\n", "Main", "FontCharset");
    QVERIFY(EntrySaver::save(m_state, charset).saved);
    m_state.currentSection = "S";
    m_state.currentKey = "Key";
    const EntrySaver::Result result = EntrySaver::save(m_state, text);
    QVERIFY2(result.saved, qPrintable(result.error));
    QVERIFY(read(m_dir->filePath("Dst.lng")).contains("Key=" + stored + "\r\n"));
}

void EntrySavingTest::changedFileIsReloadedBeforeSaving() {
    load("[S]\r\nKey=old\r\n\r\n", "S", "Key");
    // Someone else (the sorter, another copy of the program) rewrites the file meanwhile.
    write(m_dir->filePath("Dst.lng"), "[Other]\r\nAdded=elsewhere\r\n\r\n[S]\r\nKey=old\r\nMore=1\r\n\r\n");
    QVERIFY(EntrySaver::save(m_state, QStringLiteral("new")).saved);
    QCOMPARE(read(m_dir->filePath("Dst.lng")), "[Other]\r\nAdded=elsewhere\r\n\r\n[S]\r\nKey=new\r\nMore=1\r\n\r\n");
    // Our own write is not mistaken for a foreign change.
    m_state.currentKey = "More";
    QVERIFY(EntrySaver::save(m_state, QStringLiteral("2")).saved);
    QCOMPARE(read(m_dir->filePath("Dst.lng")), "[Other]\r\nAdded=elsewhere\r\n\r\n[S]\r\nKey=new\r\nMore=2\r\n\r\n");
}

void EntrySavingTest::failedWriteLeavesFileAndKeepsEntry_data() {
    QTest::addColumn<bool>("removeFolder");
    QTest::addColumn<QByteArray>("section");
    QTest::newRow("read-only file, existing key") << false << QByteArray("S");
    QTest::newRow("read-only file, new section") << false << QByteArray("New");
    QTest::newRow("folder gone") << true << QByteArray("S");
}

void EntrySavingTest::failedWriteLeavesFileAndKeepsEntry() {
    QFETCH(bool, removeFolder);
    QFETCH(QByteArray, section);
    const QByteArray before = "[S]\r\nKey=old\r\n\r\n";
    load(before, section, "Key");
    const QString fileName = m_dir->filePath("Dst.lng");
    if (removeFolder) {
        QVERIFY(QDir(m_dir->path()).removeRecursively());
    } else {
        QVERIFY(QFile::setPermissions(fileName, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    const EntrySaver::Result result = EntrySaver::save(m_state, QStringLiteral("new"));
    QVERIFY(!result.saved);
    QVERIFY2(result.error.startsWith(QLatin1String("Cannot create file \"") + fileName), qPrintable(result.error));
    if (!removeFolder) {
        QCOMPARE(read(fileName), before);
    }
    // The entry stays in the document, for the next save that succeeds.
    IniDocument expected = iniFromText(before);
    expected.writeString(section, "Key", "new");
    QCOMPARE(m_state.destination()->toText(), expected.toText());
}

void EntrySavingTest::nothingChosenSavesNothing() {
    load("[S]\r\nKey=old\r\n", "S", QByteArray());
    const EntrySaver::Result result = EntrySaver::save(m_state, QStringLiteral("new"));
    QVERIFY(!result.saved);
    QVERIFY(result.error.isEmpty());
    QCOMPARE(read(m_dir->filePath("Dst.lng")), QByteArray("[S]\r\nKey=old\r\n"));
}

TOLVANE_TEST(EntrySavingTest)

#include "EntrySavingTest.moc"
