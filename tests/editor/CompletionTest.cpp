#include "Completion.h"
#include "EditorTestFiles.h"
#include "NextUntranslated.h"
#include "TestRegistry.h"

#include <QtTest>

// Completion figures and the next untranslated entry, on the project fixture: English
// reference, French source, German destination.
class CompletionTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void figures_data();
    void figures();
    void nextUntranslated_data();
    void nextUntranslated();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<IniDocument> m_documents[3];
};

namespace {

const QList<QByteArray> sectionList = {"Buttons", "Empty", "Extra", "Main", "Menu", "Messages"};

} // namespace

void CompletionTest::initTestCase() {
    EditorTestFiles::copyProject(m_dir);
    const char* names[] = {"English.tvl", "French.tvl", "German.tvl"};
    for (int i = 0; i < 3; ++i) {
        m_documents[i] = std::make_unique<IniDocument>(m_dir.filePath(QLatin1String(names[i])));
    }
}

void CompletionTest::figures_data() {
    QTest::addColumn<QByteArray>("section"); // empty: the whole file
    QTest::addColumn<int>("present");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("equalSource");
    QTest::newRow("one of two") << QByteArray("Main") << 1 << 2 << 0;
    QTest::newRow("keys in other case, one equal") << QByteArray("Buttons") << 3 << 3 << 1;
    QTest::newRow("empty in the reference") << QByteArray("Empty") << 0 << 0 << 0;
    QTest::newRow("source has no such key") << QByteArray("Messages") << 1 << 3 << 0;
    QTest::newRow("untouched") << QByteArray("Menu") << 0 << 2 << 0;
    QTest::newRow("not in the reference") << QByteArray("Extra") << 0 << 0 << 0;
    QTest::newRow("file") << QByteArray() << 5 << 10 << 1;
}

void CompletionTest::figures() {
    QFETCH(QByteArray, section);
    QFETCH(int, present);
    QFETCH(int, total);
    QFETCH(int, equalSource);
    const IniDocument& reference = *m_documents[0];
    const Completion actual = section.isEmpty()
                                  ? Completion::ofFile(reference, *m_documents[1], *m_documents[2])
                                  : Completion::ofSection(reference, *m_documents[1], *m_documents[2], section);
    QCOMPARE(actual.present, present);
    QCOMPARE(actual.total, total);
    QCOMPARE(actual.equalSource, equalSource);
}

void CompletionTest::nextUntranslated_data() {
    QTest::addColumn<QByteArray>("destination"); // empty: the fixture's German
    QTest::addColumn<int>("fromSection");
    QTest::addColumn<int>("fromRow");
    QTest::addColumn<int>("section"); // -1: none left
    QTest::addColumn<int>("row");
    QTest::newRow("nothing chosen") << QByteArray() << -1 << -1 << 2 << 0;
    QTest::newRow("complete and empty sections passed") << QByteArray() << 0 << 1 << 2 << 0;
    QTest::newRow("taken from the source") << QByteArray() << 2 << 0 << 3 << 0;
    QTest::newRow("after a present entry") << QByteArray() << 5 << 0 << 5 << 1;
    QTest::newRow("wraps round") << QByteArray() << 5 << 2 << 2 << 0;
    QTest::newRow("section without a chosen entry") << QByteArray() << 4 << -1 << 4 << 0;
    QTest::newRow("only the entry itself") << QByteArray("[Buttons]\r\nOk=\r\nCancel=\r\n[Main]\r\nLanguageName=x\r\n"
                                                         "FontCharset=0\r\n[Messages]\r\nWelcome=\r\nCount=\r\n"
                                                         "Done=\r\n[Menu]\r\nFile=\r\nEdit=\r\n[Extra]\r\nOnly=\r\n")
                                           << 0 << 1 << 0 << 1;
    QTest::newRow("none left") << QByteArray("[Buttons]\r\nOk=\r\nCancel=\r\nHelp=\r\n[Main]\r\nLanguageName=x\r\n"
                                             "FontCharset=0\r\n[Messages]\r\nWelcome=\r\nCount=\r\nDone=\r\n"
                                             "[Menu]\r\nFile=\r\nEdit=\r\n[Extra]\r\nOnly=\r\n")
                               << 3 << 0 << -1 << -1;
}

void CompletionTest::nextUntranslated() {
    QFETCH(QByteArray, destination);
    QFETCH(int, fromSection);
    QFETCH(int, fromRow);
    QFETCH(int, section);
    QFETCH(int, row);
    const std::unique_ptr<IniDocument> typed = EditorTestFiles::document(destination);
    const IniDocument& target = destination.isEmpty() ? *m_documents[2] : *typed;
    const std::optional<NextUntranslated::Place> next =
        NextUntranslated::find(*m_documents[0], *m_documents[1], target, sectionList, {fromSection, fromRow});
    QCOMPARE(next ? next->section : -1, section);
    QCOMPARE(next ? next->row : -1, row);
}

TOLVANE_TEST(CompletionTest)
#include "CompletionTest.moc"
