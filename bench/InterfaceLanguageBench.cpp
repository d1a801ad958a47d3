#include "BenchTiming.h"
#include "InterfaceLanguageWriter.h"
#include "MessageTable.h"
#include "TformMain.h"
#include "TformSearch.h"
#include "WindowRegistry.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The English interface language file written from both windows, as at every start.
void WriteEnglish(benchmark::State& state) {
    QTemporaryDir dir;
    // The main window opens its hive from the environment: one of the benchmark's own.
    qputenv("TOLVANE_REGISTRY", QFile::encodeName(dir.filePath(QStringLiteral("HKCU.reg"))));
    TformMain main;
    TformSearch search;
    QList<QPair<QString, QString>> messages;
    for (int i = 0; i < MessageTable::count(); ++i) {
        messages.append({MessageTable::key(i), MessageTable::defaultText(i)});
    }
    const InterfaceLanguageWriter writer(WindowRegistry::application(), messages);
    const QString folder = dir.path() + QLatin1Char('/');
    BenchTiming::timed(state, [&] {
        writer.createEnglishLanguage(folder, QStringLiteral("tvl"), QStringLiteral("Help\\English.chm"));
    });
    state.counters["KB"] = double(QFileInfo(folder + QStringLiteral("English.tvl")).size()) / 1e3;
}

} // namespace

BENCHMARK(WriteEnglish)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
