#include "TestRegistry.h"

#include "MessageTable.h"

#include <QtTest>

class MessageTableTest : public QObject {
    Q_OBJECT
private slots:
    void messageTable_data();
    void messageTable();
    void formatSeveral_data();
    void formatSeveral();
};

void MessageTableTest::messageTable_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("shown");
    QTest::newRow("0") << 0 << "WarningDestLanguage"
                       << ""
                       << "Please select a destination language first!";
    QTest::newRow("1") << 1 << "FileDoesNotExist"
                       << "a.txt"
                       << "File a.txt does not exist!";
    QTest::newRow("2") << 2 << "InputDlgFileExtensionTitle"
                       << ""
                       << "File extension";
    QTest::newRow("3") << 3 << "InputDlgFileExtension"
                       << ""
                       << "Please enter extension of language files:";
    QTest::newRow("4") << 4 << "InputDlgFileExtension2"
                       << ""
                       << "Please enter extension of special files:";
    QTest::newRow("5") << 5 << "InputDlgDescriptionTitle"
                       << ""
                       << "Description:";
    QTest::newRow("6") << 6 << "InputDlgDescription"
                       << ""
                       << "Please enter description:";
    QTest::newRow("7") << 7 << "ConfirmationProjectDelete"
                       << "100% sure"
                       << "Are you sure you want to delete the project 100% sure?";
    QTest::newRow("8") << 8 << "DialogProjectRenameCaption"
                       << ""
                       << "Rename project";
    QTest::newRow("9") << 9 << "DialogProjectRenamePrompt"
                       << "%s"
                       << "Please enter the new project name for %s:";
    QTest::newRow("15") << 15 << "CheckEndPunctuation"
                        << ""
                        << "The ending punctuation differs from the source text";
    QTest::newRow("18") << 18 << "NoUntranslatedEntry"
                        << ""
                        << "No untranslated entry is left.";
    QTest::newRow("outside") << MessageTable::count() << ""
                             << ""
                             << "";
}

void MessageTableTest::messageTable() {
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(QString, argument);
    QFETCH(QString, shown);
    QCOMPARE(MessageTable::key(index), key);
    QCOMPARE(MessageTable::format(MessageTable::defaultText(index), argument), shown);
}

void MessageTableTest::formatSeveral_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("shown");
    QTest::newRow("in order") << "%s of %s" << QStringList{"1", "2"} << "1 of 2";
    QTest::newRow("argument holding %s") << "[%s] %s" << QStringList{"%s", "x"} << "[%s] x";
    QTest::newRow("too few") << "%s %s %s" << QStringList{"a"} << "a %s %s";
    QTest::newRow("literal percent") << "100% %s" << QStringList{"done"} << "100% done";
}

void MessageTableTest::formatSeveral() {
    QFETCH(QString, text);
    QFETCH(QStringList, arguments);
    QFETCH(QString, shown);
    QCOMPARE(MessageTable::format(text, arguments), shown);
}

TOLVANE_TEST(MessageTableTest)
#include "MessageTableTest.moc"
