#include "BenchTiming.h"
#include "BulkRunner.h"
#include "EditorBenchFiles.h"
#include "IniDocument.h"
#include "RulesFile.h"
#include "SafeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <stdexcept>

// Targets: sorting the 40 language files of 1 MB each (SortAll40) and applying 200 rules to
// them (ApplyRules40) each take at most 4 times FloorReadWrite40, reading and writing each
// file once through the safe write, measured in the same run ("xFloor" below 4).

using BenchTiming::timed;

namespace {

// A copy of the 40 files that every iteration starts from again, untimed.
class WorkFolder {
public:
    WorkFolder() {
        const QDir source(EditorBenchFiles::discoveryFolder());
        for (const QString& name : source.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name)) {
            m_paths.append(m_dir.filePath(name));
            m_originals.append(SafeFile::readAll(source.filePath(name)));
        }
        restore();
    }
    void restore() const {
        for (qsizetype i = 0; i < m_paths.size(); ++i) {
            QFile file(m_paths.at(i));
            if (!file.open(QIODevice::WriteOnly) || file.write(m_originals.at(i)) != m_originals.at(i).size()) {
                throw std::runtime_error("cannot restore a benchmark file");
            }
        }
    }
    const QStringList& paths() const { return m_paths; }

private:
    QTemporaryDir m_dir;
    QStringList m_paths;
    QList<QByteArray> m_originals;
};

WorkFolder& work() {
    static WorkFolder folder;
    return folder;
}

// Moves and copies of values and whole sections among the files' Form sections (Form0 to
// about Form230), in all the spellings a maintainer uses.
QByteArray rulesText() {
    QByteArray text = "; 200 rules\r\n";
    for (int i = 0; i < 50; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray control = "Control" + QByteArray::number(i % 80) + ".Caption";
        text += "MOVEVALUE,Form" + n + ",Form" + QByteArray::number(i + 100) + "," + control + "\r\n";
        text += "COPYVALUE Form" + QByteArray::number(i + 50) + " form" + n + " " + control + "\r\n";
        text += "COPYKEY, Form" + QByteArray::number(i + 120) + " , \"Copied " + n + "\"\r\n";
        text += "MOVEKEY \"Form" + QByteArray::number(i + 170) + "\" \"Moved, " + n + "\"\r\n";
    }
    return text;
}

double floorMs = 0;

void reportAgainstFloor(benchmark::State& state) {
    if (floorMs > 0) {
        state.counters["xFloor"] = state.counters["ms"] / floorMs;
    }
}

void FloorReadWrite40(benchmark::State& state) {
    const QStringList& paths = work().paths();
    timed(
        state,
        [&] {
            for (const QString& path : paths) {
                SafeFile::writeAll(path, SafeFile::readAll(path));
            }
        },
        [] { work().restore(); });
    floorMs = state.counters["ms"];
}

void SortAll40(benchmark::State& state) {
    const QStringList& paths = work().paths();
    timed(
        state, [&] { benchmark::DoNotOptimize(BulkRunner::sortFiles(paths)); }, [] { work().restore(); });
    if (IniDocument(paths.first()).sections().value(0) != "Form0") {
        state.SkipWithError("the files were not sorted");
    }
    reportAgainstFloor(state);
}

void ApplyRules40(benchmark::State& state) {
    const QStringList& paths = work().paths();
    const QByteArray text = rulesText();
    timed(
        state, [&] { benchmark::DoNotOptimize(BulkRunner::applyRules(paths, RulesFile::parse(text))); },
        [] { work().restore(); });
    if (!IniDocument(paths.first()).hasSection("Moved, 49")) {
        state.SkipWithError("the rules changed nothing");
    }
    reportAgainstFloor(state);
}

} // namespace

BENCHMARK(FloorReadWrite40)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SortAll40)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ApplyRules40)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
