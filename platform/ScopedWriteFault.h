#pragma once

#include <cerrno>

// A seam for tests: while one lives, a step of every safe write (SafeFile::writeAll) fails as
// a full disk, a broken file system or a folder without room for a temporary file would. The
// steps are counted over all safe writes made while it lives, from 1.
//
//     ScopedWriteFault fault(ScopedWriteFault::Flush);
//     ... save through the writer under test ...
//     QVERIFY(fault.fired()); // and the old file is byte-identical, the caller got the error
class ScopedWriteFault {
public:
    enum Step {
        CreateTemporary, // the temporary file beside the target cannot be made
        Write,           // one block of the data (SafeFile::WriteBlockSize bytes or fewer)
        Flush,           // the data cannot be brought to the disk
        Rename           // the temporary file cannot replace the target
    };

    explicit ScopedWriteFault(Step step, int nth = 1, int errorNumber = ENOSPC);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

    // How often the step was reached so far, and whether the fault was raised.
    int reached() const { return m_reached; }
    bool fired() const { return m_reached >= m_nth; }

    // For the safe write: 0 when the step may go on, else the error number it fails with.
    static int failure(Step step);

private:
    Step m_step;
    int m_nth;
    int m_errorNumber;
    int m_reached = 0;
    ScopedWriteFault* m_outer;
};
