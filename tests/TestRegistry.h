#pragma once

#include <QObject>

#include <functional>

// Every test class of a folder registers itself here; the folder's one test executable
// runs them all. TOLVANE_TEST_CLASS=<name> runs one class (its arguments then go to QTest).
namespace TestRegistry {
bool add(const char* name, std::function<QObject*()> factory);
int runAll(int argc, char** argv);
} // namespace TestRegistry

#define TOLVANE_TEST(Class)                                                                                            \
    static const bool Class##Registered = TestRegistry::add(#Class, [] { return static_cast<QObject*>(new Class); });
