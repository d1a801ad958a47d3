#include "BenchTiming.h"
#include "ComponentList.h"
#include "EditPage.h"
#include "EditorBenchFiles.h"
#include "HandlerGuard.h"
#include "ImageList.h"
#include "LanguageFolder.h"
#include "LanguageSearch.h"
#include "ProgressBarLender.h"
#include "ProjectSession.h"
#include "ProjectStore.h"
#include "QtDialogs.h"
#include "RegistryHive.h"
#include "SafeFile.h"
#include "SectionListBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

using BenchTiming::threadSeconds;
using BenchTiming::timed;

namespace {

EditRequest editRequest() {
    return {QStringLiteral("English"), QStringLiteral("French"), QStringLiteral("German"),
            EditorBenchFiles::editingFolder(), QStringLiteral("lng")};
}

QStringList filesOf(const QString& folder) {
    return LanguageFolder(folder, QStringLiteral("lng")).files();
}

// What the main window gives a page, on a hive of the benchmark's own.
struct BenchPageContext {
    QTemporaryDir dir;
    RegistryHive hive{dir.filePath(QStringLiteral("HKCU.reg"))};
    ProjectStore store{hive};
    ProjectSession session;
    QtDialogs dialogs;
    HandlerGuard guard{dialogs};
    QWidget holder;
    ImageList ilMain{QStringLiteral("ilMain"), QSize(16, 16)};
    ImageList ilFlags16{QStringLiteral("ilFlags16"), QSize(16, 16)};
    ComponentList components{holder};
    ProgressBarLender progress;
    PageContext context{session, store,     dialogs,    guard,   [](int) { return QString(); },
                        ilMain,  ilFlags16, components, progress};
};

// What any loader must do at least: read each file into a newly allocated buffer.
qsizetype readAll(const QStringList& files) {
    qsizetype bytes = 0;
    for (const QString& file : files) {
        const QByteArray data = SafeFile::readAll(file);
        benchmark::DoNotOptimize(data.constData());
        bytes += data.size();
    }
    return bytes;
}

void floorRead(benchmark::State& state, const QString& folder) {
    const QStringList files = filesOf(folder);
    qsizetype bytes = 0;
    timed(state, [&] { bytes = readAll(files); });
    state.counters["files"] = double(files.size());
    state.counters["MB"] = double(bytes) / 1e6;
}

void FloorRead3(benchmark::State& state) {
    floorRead(state, EditorBenchFiles::editingFolder());
}

// The search button over the three 5 MB files, for a word found in about one line of four.
// Target: within 3 times FloorRead3.
void SearchThree(benchmark::State& state) {
    const EditRequest files = editRequest();
    LanguageSearch::Request request;
    request.term = QStringLiteral("SAVE");
    const QString names[3] = {files.referenceName, files.sourceName, files.destinationName};
    for (int file = 0; file < 3; ++file) {
        request.paths[file] = LanguageFolder(files.folder, files.extension).filePath(names[file]);
    }
    qsizetype rows = 0;
    timed(state, [&] { rows = LanguageSearch::search(request).rows.size(); });
    state.counters["rows"] = double(rows);
}

double bestOf(int runs, const std::function<void()>& work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double start = threadSeconds();
        work();
        best = std::min(best, threadSeconds() - start);
    }
    return best;
}

void EditLanguage(benchmark::State& state) {
    const EditRequest request = editRequest();
    BenchPageContext context;
    EditPage page(context.context);
    timed(state, [&] { page.bnEditLng(request); });
    // Where the time goes: the three loads alone, and the section list alone.
    EditingState loads;
    state.counters["loadsMs"] = 1000.0 * bestOf(3, [&] { loads.load(request); });
    state.counters["sectionListMs"] = 1000.0 * bestOf(3, [&] { page.BuildSectionList(); });
    // Of which the merged rows with their counts, without the list model.
    state.counters["sectionRowsMs"] =
        1000.0 * bestOf(3, [&] {
            benchmark::DoNotOptimize(SectionListBuilder::build(*loads.document(EditingState::Reference),
                                                               *loads.document(EditingState::Source),
                                                               *loads.document(EditingState::Destination)));
        });
}

// Enters the page on the big project, shown, with the big section found.
struct ShownPage {
    BenchPageContext context;
    EditPage page{context.context};
    ShownPage() {
        page.resize(900, 650);
        page.show();
        page.bnEditLng(editRequest());
        QCoreApplication::processEvents();
    }
    void clickBigSection() {
        page.selectSection(EditorBenchFiles::BigSection);
        page.lvLanguageSectionsClick();
        QCoreApplication::processEvents(); // the view lays out and paints the new rows
    }
};

void SectionClick(benchmark::State& state) {
    ShownPage shown;
    timed(state, [&] { shown.clickBigSection(); });
}

void SaveEntry(benchmark::State& state) {
    ShownPage shown;
    shown.clickBigSection();
    auto* memo = shown.page.findChild<QPlainTextEdit*>(QStringLiteral("memoLngEdit"));
    timed(
        state, [&] { shown.page.aSaveLanguageEntryExecute(); }, [&] { memo->setPlainText("Neuer Text"); });
    const QString destination = shown.page.state().path(EditingState::Destination);
    state.counters["fileMB"] = double(QFileInfo(destination).size()) / 1e6;
}

void WriteOnce(benchmark::State& state) {
    const QString destination = EditorBenchFiles::editingFolder() + QStringLiteral("/German.lng");
    const QByteArray bytes = SafeFile::readAll(destination);
    timed(state, [&] { SafeFile::writeAll(destination, bytes); });
}

void FloorRead40(benchmark::State& state) {
    floorRead(state, EditorBenchFiles::discoveryFolder());
}

void Discovery40(benchmark::State& state) {
    const QString folder = EditorBenchFiles::discoveryFolder();
    timed(state, [&] { benchmark::DoNotOptimize(LanguageFolder(folder, QStringLiteral("lng")).flags()); });
}

} // namespace

// The discovery pair runs first, before the editing benchmarks leave free heap blocks of a
// megabyte behind that would hand its 1 MB buffers out warm.
BENCHMARK(FloorRead40)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Discovery40)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(FloorRead3)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SearchThree)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(EditLanguage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SectionClick)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(WriteOnce)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(SaveEntry)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
