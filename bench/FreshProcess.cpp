#include "FreshProcess.h"

#include "BenchTiming.h"
#include "FreshTasks.h"
#include "MemoryProbe.h"

#include <QFile>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            return text;
        }
        text.append(buffer, size_t(n));
    }
}

} // namespace

namespace FreshProcess {

void Meter::countMemory() {
    m_figures.baseBytes = double(MemoryProbe::residentBytes());
    m_counting = true;
}

void Meter::start() {
    if (!m_counting) {
        countMemory();
    }
    m_faults = BenchTiming::minorFaults(RUSAGE_SELF);
    m_cpu = BenchTiming::seconds(CLOCK_PROCESS_CPUTIME_ID);
    m_wall = BenchTiming::seconds(CLOCK_MONOTONIC);
}

void Meter::split() {
    m_figures.seconds = BenchTiming::seconds(CLOCK_MONOTONIC) - m_wall;
}

void Meter::stop() {
    const double wall = BenchTiming::seconds(CLOCK_MONOTONIC) - m_wall;
    if (m_figures.seconds > 0) {
        m_figures.secondSeconds = wall - m_figures.seconds;
    }
    m_figures.seconds = wall;
    m_figures.cpuSeconds = BenchTiming::seconds(CLOCK_PROCESS_CPUTIME_ID) - m_cpu;
    m_figures.faults = double(BenchTiming::minorFaults(RUSAGE_SELF) - m_faults);
    m_figures.peakBytes = double(MemoryProbe::peakResidentBytes());
    m_figures.endBytes = double(MemoryProbe::residentBytes());
}

Figures run(const QString& task, const QStringList& arguments) {
    std::vector<std::string> words = {"tolvane_bench", Argument, task.toStdString()};
    for (const QString& argument : arguments) {
        words.push_back(argument.toStdString());
    }
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    const std::string output = spawned == 0 ? readAll(pipeEnds[0]) : std::string();
    ::close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("fresh process for " + task.toStdString() + " failed");
    }
    Figures figures;
    if (std::sscanf(output.c_str(), "%lf %lf %lf %lf %lf %lf %lf", &figures.seconds, &figures.cpuSeconds,
                    &figures.faults, &figures.baseBytes, &figures.peakBytes, &figures.endBytes,
                    &figures.secondSeconds) != 7) {
        throw std::runtime_error("fresh process for " + task.toStdString() + " gave no figures");
    }
    return figures;
}

int childMain(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    QStringList arguments;
    for (int i = 3; i < argc; ++i) {
        arguments.append(QFile::decodeName(argv[i]));
    }
    Meter meter;
    if (!FreshTasks::run(QString::fromLatin1(argv[2]), arguments, meter)) {
        return 2;
    }
    const Figures& f = meter.figures();
    std::printf("%.9f %.9f %.0f %.0f %.0f %.0f %.9f\n", f.seconds, f.cpuSeconds, f.faults, f.baseBytes, f.peakBytes,
                f.endBytes, f.secondSeconds);
    return 0;
}

} // namespace FreshProcess
