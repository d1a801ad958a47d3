#pragma once

#include <QtGlobal>

// A seam for tests: while one lives, INI documents compact the storage of their written values
// once it passes `bytes` (and holds more dead than live bytes) instead of 1 MiB, so that short
// inputs reach the compaction.
class ScopedCompactThreshold {
public:
    explicit ScopedCompactThreshold(qsizetype bytes);
    ~ScopedCompactThreshold();
    ScopedCompactThreshold(const ScopedCompactThreshold&) = delete;
    ScopedCompactThreshold& operator=(const ScopedCompactThreshold&) = delete;

    static qsizetype current();

private:
    qsizetype m_previous;
};
