#include "TestRegistry.h"

#include <QByteArray>
#include <QtTest>

#include <memory>
#include <utility>
#include <vector>

#ifdef TOLVANE_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

namespace {

std::vector<std::pair<const char*, std::function<QObject*()>>>& tests() {
    static std::vector<std::pair<const char*, std::function<QObject*()>>> all;
    return all;
}

} // namespace

bool TestRegistry::add(const char* name, std::function<QObject*()> factory) {
    tests().emplace_back(name, std::move(factory));
    return true;
}

int TestRegistry::runAll(int argc, char** argv) {
    const QByteArray only = qgetenv("TOLVANE_TEST_CLASS");
    int failed = 0;
    for (const auto& [name, factory] : tests()) {
        if (!only.isEmpty() && only != name) {
            continue;
        }
        std::unique_ptr<QObject> test(factory());
        // Arguments (a function name, -v2...) only make sense for a single chosen class.
        failed += only.isEmpty() ? QTest::qExec(test.get()) : QTest::qExec(test.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TestApplication app(argc, argv);
    return TestRegistry::runAll(argc, argv);
}
