#include "FreshTasks.h"

#include "EditingState.h"
#include "EntrySaver.h"
#include "IniDocument.h"
#include "LineScanner.h"
#include "SafeFile.h"

#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

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

// The names of every section and its keys, one per line ("[section]" or the key), as a caller
// holds them apart from the document.
struct Names {
    QByteArray section;
    QList<QByteArray> keys;
};

std::vector<Names> readNames(const QString& fileName) {
    std::vector<Names> names;
    for (const QByteArray& line : SafeFile::readAll(fileName).split('\n')) {
        if (line.startsWith('[')) {
            names.push_back({line.mid(1), {}});
        } else if (!names.empty() && !line.isEmpty()) {
            names.back().keys.append(line);
        }
    }
    return names;
}

// The names are read before the clock starts; their memory is not the document's. With a third
// argument "shuffled", each section's keys are looked up in an order of their own.
void load(const QStringList& arguments, FreshProcess::Meter& meter) {
    std::vector<Names> names = readNames(arguments.at(1));
    if (arguments.size() > 2 && arguments.at(2) == QLatin1String("shuffled")) {
        std::mt19937 random(15);
        for (Names& section : names) {
            std::shuffle(section.keys.begin(), section.keys.end(), random);
        }
    }
    meter.start();
    const IniDocument document(arguments.at(0));
    meter.split();
    for (const Names& section : names) {
        const IniDocument::SectionRef ref = document.findSection(section.section);
        for (const QByteArray& key : section.keys) {
            benchmark::DoNotOptimize(document.valueView(ref, key).data());
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

QString namesFile(const QString& fileName) {
    const QString names = fileName + QStringLiteral(".names");
    if (!QFileInfo::exists(names)) {
        const IniDocument document(fileName);
        QByteArray text;
        for (const IniDocument::SectionRef section : document.sectionRefs()) {
            text += '[' + document.sectionName(section).toByteArray() + '\n';
            for (const IniDocument::LineView& line : document.lineViews(section)) {
                if (!line.value.isNull()) {
                    text += line.key.toByteArray() + '\n';
                }
            }
        }
        SafeFile::writeAll(names, text);
    }
    return names;
}

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
