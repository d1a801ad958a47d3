#include "CompressedContainer.h"
#include "IniDocument.h"
#include "LanguageFileGenerator.h"
#include "MemoryProbe.h"

#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace {

struct FileSize {
    const char* label;
    qsizetype bytes;
    int iterations;
};

const FileSize Sizes[] = {{"50KB", 50 * 1000, 300}, {"5MB", 5 * 1000 * 1000, 20}, {"50MB", 50 * 1000 * 1000, 5}};

// The machine is shared with compilers, so the clock is this thread's CPU time (user and
// system: reading and writing files count); a disk's wait on flush does not.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double secondsOf(const std::function<void()>& work) {
    const double start = threadSeconds();
    work();
    return threadSeconds() - start;
}

// Best of a few runs, as the yardstick the timed operation is compared with.
double bestOf(int runs, const std::function<void()>& work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        best = std::min(best, secondsOf(work));
    }
    return best;
}

// What any loader must do at least: read the file into a new buffer and find its line ends.
qsizetype floorScan(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    return std::count(bytes.begin(), bytes.end(), '\n');
}

void timed(benchmark::State& state, qsizetype bytes, const std::function<void()>& work) {
    double total = 0;
    for (auto _ : state) {
        const double seconds = secondsOf(work);
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["seconds"] = total / double(state.iterations());
}

void setRatio(benchmark::State& state, const char* name, double reference) {
    state.counters[name] = state.counters["seconds"] / reference;
}

void floorBench(benchmark::State& state, FileSize size) {
    const QString path = LanguageFileGenerator::plainFile(size.bytes);
    timed(state, QFileInfo(path).size(), [&] { benchmark::DoNotOptimize(floorScan(path)); });
}

void loadBench(benchmark::State& state, FileSize size) {
    const QString path = LanguageFileGenerator::plainFile(size.bytes);
    const qsizetype fileBytes = QFileInfo(path).size();
    const double floor = bestOf(3, [&] { benchmark::DoNotOptimize(floorScan(path)); });

    // Memory of one loaded document, measured before the timed runs disturb the heap.
    MemoryProbe::resetPeak();
    const size_t residentBefore = MemoryProbe::residentBytes();
    const size_t allocatedBefore = MemoryProbe::allocatedBytes();
    {
        IniDocument document(path);
        state.counters["liveMem/file"] = double(MemoryProbe::allocatedBytes() - allocatedBefore) / double(fileBytes);
        state.counters["peakRSS/file"] = double(MemoryProbe::peakResidentBytes() - residentBefore) / double(fileBytes);
    }

    double total = 0;
    for (auto _ : state) {
        std::optional<IniDocument> document;
        // Only the load is timed; the document is freed after the clock stops.
        const double seconds = secondsOf([&] { document.emplace(path); });
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * fileBytes);
    state.counters["seconds"] = total / double(state.iterations());
    setRatio(state, "vsFloor", floor);
}

void writeBackBench(benchmark::State& state, FileSize size) {
    const QString path = LanguageFileGenerator::plainFile(size.bytes);
    const qsizetype fileBytes = QFileInfo(path).size();
    const double floor = bestOf(3, [&] { benchmark::DoNotOptimize(floorScan(path)); });
    IniDocument document(path);
    document.setFileName(LanguageFileGenerator::folder() + QStringLiteral("/written.tvl"));
    timed(state, fileBytes, [&] { document.writeBack(); });
    setRatio(state, "vsFloor", floor);
}

// Every key of the file is read by section and key name; copyValues false only asks hasKey,
// which shows the index alone without the copy that readString hands out.
void lookupEntries(benchmark::State& state, FileSize size, bool copyValues) {
    const QString path = LanguageFileGenerator::plainFile(size.bytes);
    const double load = bestOf(3, [&] { IniDocument document(path); });
    const IniDocument document(path);
    std::vector<std::pair<QByteArray, QByteArray>> entries;
    for (const QByteArray& section : document.sections()) {
        for (const QByteArray& key : document.keys(section)) {
            entries.emplace_back(section, key);
        }
    }
    timed(state, QFileInfo(path).size(), [&] {
        qsizetype total = 0;
        for (const auto& [section, key] : entries) {
            total += copyValues ? document.readString(section, key).size() : qsizetype(document.hasKey(section, key));
        }
        benchmark::DoNotOptimize(total);
    });
    state.counters["lookups"] = double(entries.size());
    setRatio(state, "vsLoad", load);
}

void lookupAllBench(benchmark::State& state, FileSize size) {
    lookupEntries(state, size, true);
}

void lookupAllHasKeyBench(benchmark::State& state, FileSize size) {
    lookupEntries(state, size, false);
}

void loadCompressedBench(benchmark::State& state, FileSize size) {
    const QString path = LanguageFileGenerator::compressedFile(size.bytes);
    const qsizetype textBytes = QFileInfo(LanguageFileGenerator::plainFile(size.bytes)).size();
    timed(state, textBytes, [&] {
        IniDocument document;
        LoadLanguageDocument(document, path, "TVC");
        benchmark::DoNotOptimize(document.hasSection("Main"));
    });
}

const bool Registered = [] {
    using Bench = void (*)(benchmark::State&, FileSize);
    const std::pair<const char*, Bench> benches[] = {
        {"FloorScan", floorBench},     {"Load", loadBench},
        {"LookupAll", lookupAllBench}, {"LookupAllHasKey", lookupAllHasKeyBench},
        {"WriteBack", writeBackBench}, {"LoadCompressed", loadCompressedBench}};
    for (const FileSize& size : Sizes) {
        for (const auto& [name, bench] : benches) {
            const std::string fullName = std::string(name) + "/" + size.label;
            benchmark::RegisterBenchmark(fullName.c_str(), bench, size)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(size.iterations);
        }
    }
    return true;
}();

} // namespace
