#include "FreshProcess.h"

#include <benchmark/benchmark.h>

#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#ifdef TOLVANE_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QGuiApplication>
using BenchApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    // A child measuring one piece of work starts as the program does, without the benchmark's
    // allocator settings or a Qt application.
    if (argc > 1 && std::strcmp(argv[1], FreshProcess::Argument) == 0) {
        return FreshProcess::childMain(argc, argv);
    }
#if defined(__GLIBC__)
    // glibc raises its mmap threshold after the first large free, so later iterations would
    // get heap memory that earlier ones already touched, and a bare read would look far
    // cheaper than any loader. A fixed threshold gives every large buffer fresh pages, for
    // the floors and for the timed work alike.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
    // Benchmarks that need a window system get the offscreen one unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    BenchApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
