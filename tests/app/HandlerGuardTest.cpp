#include "TestRegistry.h"

#include "HandlerGuard.h"
#include "MessageTable.h"
#include "ScriptedDialogs.h"

#include <QtTest>

#include <new>

class HandlerGuardTest : public QObject {
    Q_OBJECT
private slots:
    void fileErrorEndsHandlerWithMessage();
    void messageTable_data();
    void messageTable();
};

void HandlerGuardTest::fileErrorEndsHandlerWithMessage() {
    ScriptedDialogs dialogs;
    HandlerGuard guard(dialogs);
    bool after = false;
    guard.run([&] {
        throw FileError::cannotOpen(QStringLiteral("x.tvl"), QStringLiteral("No such file or directory"));
        after = true;
    });
    QVERIFY(!after);
    QCOMPARE(dialogs.errors(), QStringList{"Cannot open file \"x.tvl\". No such file or directory"});
    bool ran = false;
    guard.run([&] { ran = true; });
    QVERIFY(ran);
    QCOMPARE(dialogs.errors().size(), 1);
    // Memory exhausted by a huge file must not end the program either.
    guard.run([] { throw std::bad_alloc(); });
    QCOMPARE(dialogs.errors().size(), 2);
}

void HandlerGuardTest::messageTable_data() {
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
    QTest::newRow("outside") << 10 << ""
                             << ""
                             << "";
}

void HandlerGuardTest::messageTable() {
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(QString, argument);
    QFETCH(QString, shown);
    QCOMPARE(MessageTable::key(index), key);
    QCOMPARE(MessageTable::format(MessageTable::defaultText(index), argument), shown);
}

TOLVANE_TEST(HandlerGuardTest)
#include "HandlerGuardTest.moc"
