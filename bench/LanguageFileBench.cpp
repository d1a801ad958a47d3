#include "CompressedContainer.h"
#include "IniDocument.h"
#include "LanguageFileGenerator.h"
#include "MemoryProbe.h"
#include "SafeFile.h"

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

// The machine is shared with compilers, so the reported clock is this thread's CPU time
// (user and system: reading and writing files count); wall-clock time is kept beside it,
// since that is what the user waits for.
double clockSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

struct Seconds {
    double cpu = 0;
    double real = 0;
};

Seconds secondsOf(const std::function<void()>& work) {
    const double cpu = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double real = clockSeconds(CLOCK_MONOTONIC);
    work();
    return {clockSeconds(CLOCK_THREAD_CPUTIME_ID) - cpu, clockSeconds(CLOCK_MONOTONIC) - real};
}

// Best of a few runs, as the yardstick the timed operation is compared with.
// A yardstick is measured as the benchmarks are, by the mean of its runs, so that a ratio
// compares like with like.
Seconds meanOf(int runs, const std::function<void()>& work) {
    Seconds total{0, 0};
    for (int i = 0; i < runs; ++i) {
        const Seconds run = secondsOf(work);
        total = {total.cpu + run.cpu, total.real + run.real};
    }
    return {total.cpu / runs, total.real / runs};
}

// Keeps the mean CPU and wall-clock seconds of the iterations as counters.
class Totals {
public:
    void add(benchmark::State& state, Seconds seconds) {
        state.SetIterationTime(seconds.cpu);
        m_total.cpu += seconds.cpu;
        m_total.real += seconds.real;
    }
    void report(benchmark::State& state, qsizetype bytes) const {
        const double iterations = double(state.iterations());
        state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
        state.counters["seconds"] = m_total.cpu / iterations;
        state.counters["realSeconds"] = m_total.real / iterations;
    }

private:
    Seconds m_total;
};

void timed(benchmark::State& state, qsizetype bytes, const std::function<void()>& work) {
    Totals totals;
    for (auto _ : state) {
        totals.add(state, secondsOf(work));
    }
    totals.report(state, bytes);
}

// The ratio to a yardstick on both clocks: name (CPU) and name + "Real".
void setRatio(benchmark::State& state, const std::string& name, Seconds reference) {
    state.counters[name] = state.counters["seconds"] / reference.cpu;
    state.counters[name + "Real"] = state.counters["realSeconds"] / reference.real;
}

// The memory a loaded document holds beyond its text, per entry (a line with "="): what the
// index and the line list cost.
void indexBytesBench(benchmark::State& state, FileSize size, LanguageFileGenerator::Shape shape) {
    const QString path = LanguageFileGenerator::plainFile(size.bytes, shape);
    const QByteArray text = SafeFile::readAll(path);
    double entries = 0;
    double loaded = 0;
    double indexed = 0;
    for (auto _ : state) {
        MemoryProbe::resetPeak();
        const size_t before = MemoryProbe::allocatedBytes();
        IniDocument document;
        document.setFromText(text); // the text is shared, not copied
        loaded = double(MemoryProbe::allocatedBytes() - before);
        state.SetIterationTime(1e-3);
        entries = 0;
        // Counting builds every section's key index, which loading leaves to the first look-up
        // out of order.
        for (const IniDocument::SectionRef section : document.sectionRefs()) {
            entries += document.distinctKeyCount(section);
        }
        indexed = double(MemoryProbe::allocatedBytes() - before);
    }
    state.counters["entries"] = entries;
    state.counters["loaded/entry"] = loaded / entries;
    state.counters["bytes/entry"] = indexed / entries;
    state.counters["index/text"] = indexed / double(text.size());
}

// The names of every section and of its keys, held apart from the document as a caller
// holds them, so that a look-up never starts from a line's position.
struct Names {
    QByteArray section;
    QList<QByteArray> keys;
};

std::vector<Names> namesOf(const IniDocument& document) {
    std::vector<Names> names;
    for (const QByteArray& section : document.sections()) {
        names.push_back({section, {}});
        for (const QByteArray& key : document.keys(section)) {
            if (!key.isEmpty()) {
                names.back().keys.append(key);
            }
        }
    }
    return names;
}

enum class LookupKind { SectionRef, ReadString, HasKey };

// Every key of the file is looked up by name. SectionRef resolves each section once and
// reads each value's bytes where they lie, as the editor's value list does; ReadString
// copies each value out by section and key name; HasKey shows the name index alone.
void lookupEntries(benchmark::State& state, FileSize size, LookupKind kind) {
    const QString path = LanguageFileGenerator::plainFile(size.bytes);
    const Seconds load = meanOf(5, [&] { IniDocument document(path); });
    const IniDocument document(path);
    const std::vector<Names> names = namesOf(document);
    qsizetype lookups = 0;
    for (const Names& section : names) {
        lookups += section.keys.size();
    }
    timed(state, QFileInfo(path).size(), [&] {
        for (const Names& section : names) {
            if (kind == LookupKind::SectionRef) {
                const IniDocument::SectionRef ref = document.findSection(section.section);
                for (const QByteArray& key : section.keys) {
                    const QByteArrayView value = document.valueView(ref, key);
                    benchmark::DoNotOptimize(value.data());
                    benchmark::DoNotOptimize(value.size());
                }
            } else if (kind == LookupKind::ReadString) {
                for (const QByteArray& key : section.keys) {
                    const QByteArray value = document.readString(section.section, key);
                    benchmark::DoNotOptimize(value.constData());
                    benchmark::DoNotOptimize(value.size());
                }
            } else {
                for (const QByteArray& key : section.keys) {
                    benchmark::DoNotOptimize(document.hasKey(section.section, key));
                }
            }
        }
    });
    state.counters["lookups"] = double(lookups);
    setRatio(state, "vsLoad", load);
}

void lookupAllBench(benchmark::State& state, FileSize size) {
    lookupEntries(state, size, LookupKind::SectionRef);
}

void lookupAllReadStringBench(benchmark::State& state, FileSize size) {
    lookupEntries(state, size, LookupKind::ReadString);
}

void lookupAllHasKeyBench(benchmark::State& state, FileSize size) {
    lookupEntries(state, size, LookupKind::HasKey);
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
    const std::pair<const char*, Bench> benches[] = {{"LookupAll", lookupAllBench},
                                                     {"LookupAllReadString", lookupAllReadStringBench},
                                                     {"LookupAllHasKey", lookupAllHasKeyBench},
                                                     {"LoadCompressed", loadCompressedBench}};
    for (const FileSize& size : Sizes) {
        for (const auto& [name, bench] : benches) {
            const std::string fullName = std::string(name) + "/" + size.label;
            benchmark::RegisterBenchmark(fullName.c_str(), bench, size)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(size.iterations);
        }
        for (const auto& [shapeName, shape] : {std::pair("forms", LanguageFileGenerator::Shape::Forms),
                                               std::pair("dense", LanguageFileGenerator::Shape::Dense)}) {
            const std::string fullName = std::string("IndexBytes/") + shapeName + "/" + size.label;
            benchmark::RegisterBenchmark(fullName.c_str(), indexBytesBench, size, shape)
                ->UseManualTime()
                ->Iterations(1);
        }
    }
    return true;
}();

} // namespace
