#include "FreshTasks.h"

#include "EditingState.h"
#include "EntrySaver.h"
#include "IniDocument.h"
#include "LineScanner.h"
#include "SafeFile.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <utility>

namespace {

void floor(const QStringList& arguments, FreshProcess::Meter& meter) {
    meter.start();
    const QByteArray bytes = SafeFile::readAll(arguments.at(0));
    size_t lines = 0;
    for (size_t pos = 0; pos < size_t(bytes.size()); pos = findLineEnd(bytes.constData(), pos, bytes.size()) + 1) {
        ++lines;
    }
    benchmark::DoNotOptimize(lines);
    meter.stop();
}

// Every key by its section's handle, the key's bytes taken from the document as a caller
// takes them from a list.
void load(const QStringList& arguments, FreshProcess::Meter& meter) {
    meter.start();
    const IniDocument document(arguments.at(0));
    meter.split();
    for (const IniDocument::SectionRef section : document.sectionRefs()) {
        for (const IniDocument::LineView& line : document.lineViews(section)) {
            if (!line.value.isNull()) {
                const QByteArrayView value = document.valueView(section, line.key);
                benchmark::DoNotOptimize(value.data());
            }
        }
    }
    meter.stop();
}

void safeWrite(const QStringList& arguments, FreshProcess::Meter& meter) {
    const QByteArray bytes = SafeFile::readAll(arguments.at(0));
    meter.start();
    SafeFile::writeAll(arguments.at(1), bytes);
    meter.stop();
}

// Memory is counted from before the load, so that the peak is the document's and the save's.
void writeBack(const QStringList& arguments, FreshProcess::Meter& meter) {
    meter.countMemory();
    IniDocument document(arguments.at(0));
    document.setFileName(arguments.at(1));
    meter.start();
    document.writeBack();
    meter.stop();
}

void save(const QStringList& arguments, FreshProcess::Meter& meter) {
    meter.countMemory();
    EditingState state;
    state.load({QStringLiteral("English"), QStringLiteral("French"), QStringLiteral("German"), arguments.at(0),
                QStringLiteral("lng")});
    state.currentSection = arguments.at(1).toLatin1();
    state.currentKey = arguments.at(2).toLatin1();
    meter.start();
    const EntrySaver::Result result = EntrySaver::save(state, QStringLiteral("Neuer Text"));
    meter.stop();
    if (!result.saved) {
        throw std::runtime_error(result.error.toStdString());
    }
}

} // namespace

namespace FreshTasks {

bool run(const QString& task, const QStringList& arguments, FreshProcess::Meter& meter) {
    using Task = void (*)(const QStringList&, FreshProcess::Meter&);
    const std::pair<const char*, Task> tasks[] = {
        {"floor", floor}, {"load", load}, {"safewrite", safeWrite}, {"writeback", writeBack}, {"save", save}};
    for (const auto& [name, work] : tasks) {
        if (task == QLatin1String(name)) {
            work(arguments, meter);
            return true;
        }
    }
    return false;
}

} // namespace FreshTasks
