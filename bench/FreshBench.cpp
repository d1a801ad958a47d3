// Load and write-back as the user meets them: each measurement in a process of its own (see
// FreshProcess), beside its floor measured the same way, one after the other in each iteration.

#include "FreshProcess.h"
#include "FreshTasks.h"
#include "LanguageFileGenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

using Shape = LanguageFileGenerator::Shape;

struct Case {
    const char* shapeName;
    Shape shape;
    const char* sizeName;
    qsizetype bytes;
    int iterations;
};

const Case Cases[] = {{"forms", Shape::Forms, "5MB", 5 * 1000 * 1000, 10},
                      {"forms", Shape::Forms, "50MB", 50 * 1000 * 1000, 5},
                      {"dense", Shape::Dense, "5MB", 5 * 1000 * 1000, 10},
                      {"dense", Shape::Dense, "50MB", 50 * 1000 * 1000, 5}};

// Sums of the figures of the iterations, reported as means.
class Sums {
public:
    void add(const FreshProcess::Figures& figures, double fileBytes) {
        m_seconds += figures.seconds;
        m_cpu += figures.cpuSeconds;
        m_faults += figures.faults;
        m_second += figures.secondSeconds;
        m_peak = std::max(m_peak, (figures.peakBytes - figures.baseBytes) / fileBytes);
        m_kept = std::max(m_kept, (figures.endBytes - figures.baseBytes) / fileBytes);
        ++m_count;
    }
    double ms() const { return 1000 * m_seconds / m_count; }
    double cpuMs() const { return 1000 * m_cpu / m_count; }
    double secondMs() const { return 1000 * m_second / m_count; }
    double faults() const { return m_faults / m_count; }
    double peakPerFile() const { return m_peak; }
    double keptPerFile() const { return m_kept; }

private:
    double m_seconds = 0;
    double m_cpu = 0;
    double m_faults = 0;
    double m_second = 0;
    double m_peak = 0;
    double m_kept = 0;
    int m_count = 0;
};

// Times task against floorTask, in turns; the work's figures under plain names, the floor's
// with floorName in front, and the ratios of wall clock and CPU time.
void against(benchmark::State& state, const QString& floorTask, const QStringList& floorArguments, const QString& task,
             const QStringList& arguments, double fileBytes, const std::string& floorName) {
    Sums floor;
    Sums work;
    for (auto _ : state) {
        floor.add(FreshProcess::run(floorTask, floorArguments), fileBytes);
        const FreshProcess::Figures figures = FreshProcess::run(task, arguments);
        work.add(figures, fileBytes);
        state.SetIterationTime(figures.seconds);
    }
    state.counters["ms"] = work.ms();
    state.counters["cpuMs"] = work.cpuMs();
    state.counters["faults"] = work.faults();
    state.counters["peak/file"] = work.peakPerFile();
    state.counters[floorName + "Ms"] = floor.ms();
    state.counters[floorName + "Faults"] = floor.faults();
    state.counters["vs" + floorName] = work.ms() / floor.ms();
    state.counters["vs" + floorName + "Cpu"] = work.cpuMs() / floor.cpuMs();
    if (work.secondMs() > 0) {
        state.counters["loadMs"] = work.ms() - work.secondMs();
    }
    if (task != QLatin1String("load")) {
        state.counters["kept/file"] = work.keptPerFile();
    }
}

// Load plus one look-up of every key, against reading the file and finding its line ends.
void loadAndLookUp(benchmark::State& state, Case c) {
    const QString path = LanguageFileGenerator::plainFile(c.bytes, c.shape);
    against(state, QStringLiteral("floor"), {path}, QStringLiteral("load"), {path, FreshTasks::namesFile(path)},
            double(QFileInfo(path).size()), "Floor");
}

// The same with each section's keys looked up out of their order.
void loadAndLookUpShuffled(benchmark::State& state, Case c) {
    const QString path = LanguageFileGenerator::plainFile(c.bytes, c.shape);
    against(state, QStringLiteral("floor"), {path}, QStringLiteral("load"),
            {path, FreshTasks::namesFile(path), QStringLiteral("shuffled")}, double(QFileInfo(path).size()), "Floor");
}

// The loaded document written back, against one plain safe write of the same bytes.
void writeBack(benchmark::State& state, Case c) {
    const QString path = LanguageFileGenerator::plainFile(c.bytes, c.shape);
    const QString folder = LanguageFileGenerator::folder();
    against(state, QStringLiteral("safewrite"), {path, folder + QStringLiteral("/plain.tvl")},
            QStringLiteral("writeback"), {path, folder + QStringLiteral("/written.tvl")},
            double(QFileInfo(path).size()), "SafeWrite");
}

// A project folder whose destination, German, is the generated file; reference and source small.
QString saveFolder(Case c) {
    const QString folder = LanguageFileGenerator::folder() + QStringLiteral("/save-") + QLatin1String(c.shapeName) +
                           QLatin1String(c.sizeName);
    QDir().mkpath(folder);
    const QString destination = folder + QStringLiteral("/German.lng");
    if (!QFileInfo::exists(destination) &&
        !QFile::copy(LanguageFileGenerator::plainFile(c.bytes, c.shape), destination)) {
        throw std::runtime_error("cannot copy the destination for the save benchmark");
    }
    for (const char* name : {"English", "French"}) {
        QFile file(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".lng"));
        if (!file.open(QIODevice::WriteOnly) || file.write("[Main]\r\nBenchKey=Text\r\n") < 0) {
            throw std::runtime_error("cannot write a language of the save benchmark");
        }
    }
    return folder;
}

// One F2 on the destination (an entry it lacks, then the same entry again), against one plain
// safe write of the same bytes.
void saveEntry(benchmark::State& state, Case c) {
    const QString folder = saveFolder(c);
    const QString destination = folder + QStringLiteral("/German.lng");
    // The first save adds the entry; from then on every save writes the same bytes.
    FreshProcess::run(QStringLiteral("save"), {folder, QStringLiteral("Main"), QStringLiteral("BenchKey")});
    against(state, QStringLiteral("safewrite"), {destination, folder + QStringLiteral("/plain.lng")},
            QStringLiteral("save"), {folder, QStringLiteral("Main"), QStringLiteral("BenchKey")},
            double(QFileInfo(destination).size()), "SafeWrite");
}

const bool Registered = [] {
    using Bench = void (*)(benchmark::State&, Case);
    const std::pair<const char*, Bench> benches[] = {{"LoadAndLookUp", loadAndLookUp},
                                                     {"LoadAndLookUpShuffled", loadAndLookUpShuffled},
                                                     {"WriteBack", writeBack},
                                                     {"SaveEntryFresh", saveEntry}};
    for (const auto& [name, bench] : benches) {
        for (const Case& c : Cases) {
            const std::string fullName = std::string(name) + "/" + c.shapeName + "/" + c.sizeName;
            benchmark::RegisterBenchmark(fullName.c_str(), bench, c)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(c.iterations);
        }
    }
    return true;
}();

} // namespace
