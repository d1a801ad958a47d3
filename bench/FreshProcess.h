#pragma once

#include <QString>
#include <QStringList>

// Measurements made in a process of their own, so that every byte the work touches is new to
// the process, as when the user starts the program: tolvane_bench runs itself again with a
// hidden first argument, the child does one piece of work and reports on a pipe.
namespace FreshProcess {

constexpr char Argument[] = "--fresh-process";

struct Figures {
    double seconds = 0;    // wall clock of the timed work
    double cpuSeconds = 0; // the process's CPU time in it
    double faults = 0;     // minor page faults in it
    // Resident bytes before the work began (the document's file not yet read), and the peak.
    double baseBytes = 0;
    double peakBytes = 0;
    // Resident bytes once the work is done, what stays between one save and the next.
    double endBytes = 0;
    // A second timed stretch after the first, where the work has one (0 otherwise).
    double secondSeconds = 0;
};

// Runs tolvane_bench with the hidden argument, the task and its arguments; throws when the
// child fails.
Figures run(const QString& task, const QStringList& arguments);

// In the child: what a task times. start() before the timed work, split() between its two
// stretches (when it has two), stop() after it. Memory counts from start(), or from
// countMemory() when untimed work that belongs to the figure comes first.
class Meter {
public:
    void countMemory();
    void start();
    void split();
    void stop();
    const Figures& figures() const { return m_figures; }

private:
    Figures m_figures;
    double m_wall = 0;
    double m_cpu = 0;
    long m_faults = 0;
    bool m_counting = false;
};

// In the child: does the task named by argv and prints its figures; the exit code.
int childMain(int argc, char** argv);

} // namespace FreshProcess
