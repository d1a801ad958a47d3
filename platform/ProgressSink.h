#pragma once

// Where work over many files reports how far it is. The work runs on the GUI thread, so a sink
// that shows progress repaints at each report.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;

    // position of maximum steps done; 0 of maximum comes first, before the first step.
    virtual void progress(int position, int maximum) = 0;
};
