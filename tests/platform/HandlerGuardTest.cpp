#include "TestRegistry.h"

#include "HandlerGuard.h"
#include "ScriptedDialogs.h"

#include <QtTest>

#include <new>

class HandlerGuardTest : public QObject {
    Q_OBJECT
private slots:
    void fileErrorEndsHandlerWithMessage();
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
    // A handler connected as a slot runs inside the guard as well.
    struct Page {
        void click() { throw FileError::cannotOpen(QStringLiteral("y.tvl"), QStringLiteral("Gone")); }
    } page;
    guard.handler(&page, &Page::click)();
    QCOMPARE(dialogs.errors().constLast(), QStringLiteral("Cannot open file \"y.tvl\". Gone"));
}

TOLVANE_TEST(HandlerGuardTest)
#include "HandlerGuardTest.moc"
