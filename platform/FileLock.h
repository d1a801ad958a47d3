#pragma once

#include <QString>

// An advisory lock on a file (flock), shared between processes. The system drops it when
// the holder ends, so a crashed process never leaves a stale lock behind.
class FileLock {
public:
    explicit FileLock(QString lockFilePath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Polls until the exclusive lock is had or timeoutMs has passed.
    bool lockExclusive(int timeoutMs);
    bool tryLockExclusive();
    bool tryLockShared();
    // Exclusive to shared. flock converts by unlocking first, so another process may slip in
    // between; false (and nothing held) when it did.
    bool downgrade();
    void unlock();
    bool isLocked() const { return m_locked; }

private:
    bool open();
    bool tryLock(int operation);

    QString m_path;
    int m_fd = -1;
    bool m_locked = false;
};
