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
// holds them apart from the document: views into the names file's bytes, in lists made at their
// size at once, so that reading them frees nothing that the document could then take without a
// page fault.
struct Names {
    QByteArray bytes;
    std::vector<QByteArrayView> keys;
    struct Section {
        QByteArrayView name;
        size_t begin; // of its keys in keys
        size_t end;
    };
    std::vector<Section> sections;
};

void readNames(const QString& fileName, Names& names) {
    names.bytes = SafeFile::readAll(fileName);
    const QByteArrayView bytes(names.bytes);
    names.keys.reserve(size_t(bytes.count('\n')));
    names.sections.reserve(size_t(bytes.count('[')));
    for (qsizetype pos = 0; pos < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', pos);
        end = end < 0 ? bytes.size() : end;
        const QByteArrayView line = bytes.sliced(pos, end - pos);
        if (line.startsWith('[')) {
            names.sections.push_back({line.sliced(1), names.keys.size(), names.keys.size()});
        } else if (!names.sections.empty() && !line.isEmpty()) {
            names.keys.push_back(line);
            names.sections.back().end = names.keys.size();
        }
        pos = end + 1;
    }
}

// The names are read before the clock starts; their memory is not the document's. With a third
// argument "shuffled", each section's keys are looked up in an order of their own.
void load(const QStringList& arguments, FreshProcess::Meter& meter) {
    Names names;
    readNames(arguments.at(1), names);
    if (arguments.size() > 2 && arguments.at(2) == QLatin1String("shuffled")) {
        std::mt19937 random(15);
        for (const Names::Section& section : names.sections) {
            std::shuffle(names.keys.begin() + qsizetype(section.begin), names.keys.begin() + qsizetype(section.end),
                         random);
        }
    }
    meter.start();
    const IniDocument document(arguments.at(0));
    meter.split();
    for (const Names::Section& section : names.sections) {
        const IniDocument::SectionRef ref = document.findSection(section.name);
        for (size_t i = section.begin; i < section.end; ++i) {
            benchmark::DoNotOptimize(document.valueView(ref, names.keys[i]).data());
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
