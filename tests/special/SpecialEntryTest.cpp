#include "SpecialEntryLayers.h"
#include "SpecialEntryList.h"
#include "SpecialEntrySaver.h"
#include "SpecialTestFiles.h"
#include "TestRegistry.h"

#include <QtTest>

using SpecialTestFiles::describe;
using SpecialTestFiles::fieldsFrom;
using SpecialTestFiles::writeCategory;

// Showing an entry from its layers and saving it with F3, checked on the bytes on disk.
class SpecialEntryTest : public QObject {
    Q_OBJECT
private slots:
    void layers_data();
    void layers();
    void savedBytes_data();
    void savedBytes();
    void referenceOnlyEntrySavedWithAllKeys();
    void saveAndMove_data();
    void saveAndMove();
};

void SpecialEntryTest::layers_data() {
    QTest::addColumn<QByteArray>("destination"); // a null text: no such file
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<QString>("expected");
    QTest::newRow("destination over source over reference")
        << QByteArray("[E]\nCompany=D\nMarwickID=7\n") << QByteArray("[E]\nCompany=S\nProduct=S\n") << QByteArray()
        << QByteArray("[E]\nCompany=R\nProduct=R\nThreat=R\nDescription=R\n[Other]\nPrivacy=no\n")
        << "Company=D|Product=S|Threat=R|Description=R|MarwickID=7";
    QTest::newRow("empty destination value hides the source's text")
        << QByteArray("[E]\nThreat=\n") << QByteArray("[E]\nThreat=Worm\nCompany=S\n") << QByteArray() << QByteArray()
        << "Company=S";
    QTest::newRow("no source or base: reference and destination still show")
        << QByteArray("[E]\nProduct=D\n") << QByteArray() << QByteArray() << QByteArray("[E]\nCompany=R\n")
        << "Company=R|Product=D";
    QTest::newRow("base stands in for a missing reference")
        << QByteArray() << QByteArray("[E]\nProduct=S\n") << QByteArray("[E]\nCompany=B\n") << QByteArray()
        << "Company=B|Product=S";
    QTest::newRow("section and keys matched ignoring case, last duplicate wins")
        << QByteArray("[e]\nTHREAT=old\nthreat=T\n") << QByteArray("[E]\nEditDate=2004-03-01\n[E]\nXBlockID=9\n")
        << QByteArray() << QByteArray() << "Threat=T|XBlockID=9";
}

void SpecialEntryTest::layers() {
    QFETCH(QByteArray, destination);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, reference);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const SpecialFiles files = writeCategory(dir.path(), destination, source, base, reference);
    QCOMPARE(describe(SpecialEntryLayers::show(files, "Cat", "E")), expected);
}

void SpecialEntryTest::savedBytes_data() {
    QTest::addColumn<QByteArray>("before"); // a null text: no destination file yet
    QTest::addColumn<QString>("fields");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("error"); // how the message starts when nothing is saved
    const QByteArray emptyKeys =
        "Product=\r\nThreat=\r\nCompanyURL=\r\nCompanyProductURL=\r\nCompanyPrivacyURL=\r\n"
        "Functionality=\r\nPrivacy=\r\nDescription=\r\nEditDate=\r\nXBlockID=\r\nMarwickID=\r\n";
    const QByteArray old = "[E]\nCompany=old\n";
    QTest::newRow("first save creates the file")
        << QByteArray() << "Company=Lumen" << 1252 << false << "[E]\r\nCompany=Lumen\r\n" + emptyKeys + "\r\n"
        << "";
    QTest::newRow("keys keep their place, other sections stay")
        << QByteArray("; note\n[Other]\nA=1\n[e]\ndescription=old\nExtra=x\n")
        << "Company=C|Description=new|EditDate=2004-03-01" << 1252 << false
        << QByteArray("[Other]\r\nA=1\r\n\r\n[e]\r\nDescription=new\r\nExtra=x\r\nCompany=C\r\nProduct=\r\nThreat=\r\n"
                      "CompanyURL=\r\nCompanyProductURL=\r\nCompanyPrivacyURL=\r\nFunctionality=\r\nPrivacy=\r\n"
                      "EditDate=2004-03-01\r\nXBlockID=\r\nMarwickID=\r\n\r\n")
        << "";
    QTest::newRow("line breaks become single spaces, nothing escaped")
        << QByteArray() << QStringLiteral("Company=a\r\nb\nc\rd\u2029e\0f 50%%0D%0A") << 1252 << false
        << "[E]\r\nCompany=a b c d e f 50%%0D%0A\r\n" + emptyKeys + "\r\n"
        << "";
    QTest::newRow("encoded in the destination's code page")
        << QByteArray() << QString::fromUtf8("Company=\xd0\xa7\xd0\xb5\xd1\x80\xd0\xb2\xd1\x8c") << 1251 << false
        << "[E]\r\nCompany=\xd7\xe5\xf0\xe2\xfc\r\n" + emptyKeys + "\r\n"
        << "";
    QTest::newRow("text the code page cannot hold")
        << old << QStringLiteral("Company=ok|Privacy=\u65e5\u672c") << 1251 << false << old
        << "The text of \"Privacy\" holds characters that the code page of the destination language file (1251) "
           "cannot store. Nothing was saved.";
    QTest::newRow("read-only destination") << old << "Company=new" << 1252 << true << old << "Cannot create file \"";
    QTest::newRow("destination with a byte-order mark")
        << "\xEF\xBB\xBF" + old << "Company=new" << 1252 << false << "\xEF\xBB\xBF" + old << "Cannot create file \"";
}

// Saved as the middle one of the rows D, E, F: a save marks it and moves on, a failure neither.
void SpecialEntryTest::savedBytes() {
    QFETCH(QByteArray, before);
    QFETCH(QString, fields);
    QFETCH(int, codePage);
    QFETCH(bool, readOnly);
    QFETCH(QByteArray, after);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const SpecialFiles files = writeCategory(dir.path(), before, {}, {}, {}, codePage);
    if (readOnly) {
        QVERIFY(QFile::setPermissions(files.destinationFile("Cat"), QFile::ReadOwner));
    }
    const QList<SpecialEntryRow> rows = {{"D", "D", MarkMissing}, {"E", "E", MarkMissing}, {"F", "F", MarkMissing}};
    const SpecialEntrySaver::Step step = SpecialEntrySaver::saveAndMove(files, "Cat", "E", fieldsFrom(fields), rows, 1);
    QCOMPARE(step.result.error.left(error.size()), error);
    QCOMPARE(step.result.saved, error.isEmpty());
    QCOMPARE(step.markedRow, error.isEmpty() ? 1 : -1);
    QCOMPARE(step.nextRow.value_or(-1), error.isEmpty() ? 2 : -1);
    QCOMPARE(TestFiles::read(files.destinationFile("Cat")), after);
}

void SpecialEntryTest::referenceOnlyEntrySavedWithAllKeys() {
    QTemporaryDir dir;
    const QByteArray reference = "[Tracker]\nCompany=Acme\nThreat=Spy\nEditDate=2003-11-02\n";
    const SpecialFiles files = writeCategory(dir.path(), {}, "[Other]\n", {}, reference);
    QCOMPARE(SpecialEntryList::build(files, "Cat").at(1).mark, MarkMissing);
    const SpecialEntryFields shown = SpecialEntryLayers::show(files, "Cat", "Tracker");
    QVERIFY(SpecialEntrySaver::save(files, "Cat", "Tracker", shown).saved);
    const IniDocument saved(files.destinationFile("Cat"));
    QCOMPARE(saved.keys("Tracker").size(), qsizetype(SpecialKeys::FieldCount));
    QCOMPARE(saved.readString("Tracker", "EditDate"), QByteArray("2003-11-02"));
    QCOMPARE(SpecialEntryList::build(files, "Cat").at(1).mark, MarkPresent);
    // Later changes to the reference no longer show: the destination holds every key.
    TestFiles::write(files.referenceFile("Cat"), "[Tracker]\nCompany=Other\nProduct=New\n");
    QCOMPARE(describe(SpecialEntryLayers::show(files, "Cat", "Tracker")),
             "Company=Acme|Threat=Spy|EditDate=2003-11-02");
}

void SpecialEntryTest::saveAndMove_data() {
    QTest::addColumn<int>("count"); // rows A, B, C... of that many
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<int>("marked");
    QTest::addColumn<int>("next"); // -1: the selection stays
    QTest::newRow("entry found ignoring case") << 3 << 0 << "Cat" << QByteArray("b") << 1 << 1;
    QTest::newRow("last entry stays selected") << 3 << 2 << "Cat" << QByteArray("C") << 2 << -1;
    QTest::newRow("no selection: nothing saved, first entry next") << 3 << -1 << "Cat" << QByteArray() << -1 << 0;
    QTest::newRow("no category: nothing saved, moves on") << 3 << 0 << "" << QByteArray("A") << -1 << 1;
    QTest::newRow("empty list") << 0 << -1 << "Cat" << QByteArray() << -1 << -1;
}

void SpecialEntryTest::saveAndMove() {
    QFETCH(int, count);
    QFETCH(int, selected);
    QFETCH(QString, category);
    QFETCH(QByteArray, entry);
    QFETCH(int, marked);
    QFETCH(int, next);
    QTemporaryDir dir;
    const SpecialFiles files = writeCategory(dir.path(), {}, {}, {}, {});
    QList<SpecialEntryRow> rows;
    for (char name = 'A'; name < 'A' + count; ++name) {
        rows.append({QByteArray(1, name), QString(QLatin1Char(name)), MarkMissing});
    }
    const SpecialEntrySaver::Step step = SpecialEntrySaver::saveAndMove(files, category, entry, {}, rows, selected);
    QVERIFY(step.result.error.isEmpty());
    QCOMPARE(step.result.saved, marked >= 0);
    QCOMPARE(SpecialFiles::exists(files.destinationFile("Cat")), marked >= 0);
    QCOMPARE(step.markedRow, qsizetype(marked));
    QCOMPARE(step.nextRow.value_or(-1), qsizetype(next));
}

TOLVANE_TEST(SpecialEntryTest)

#include "SpecialEntryTest.moc"
