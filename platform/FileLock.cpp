#include "FileLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

FileLock::FileLock(QString lockFilePath) : m_path(std::move(lockFilePath)) {}

FileLock::~FileLock() {
    unlock();
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool FileLock::open() {
    if (m_fd < 0) {
        const QByteArray name = QFile::encodeName(m_path);
        do {
            m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        } while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0 && errno == EACCES) {
            // Another user's lock file: flock works on a read-only descriptor too.
            m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        }
    }
    return m_fd >= 0;
}

bool FileLock::tryLock(int operation) {
    if (!open()) {
        return false;
    }
    int rc;
    do {
        rc = ::flock(m_fd, operation | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    m_locked = m_locked || rc == 0;
    return rc == 0;
}

bool FileLock::lockExclusive(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!tryLockExclusive()) {
        if (m_fd < 0 || timer.elapsed() >= timeoutMs) {
            return false;
        }
        QThread::msleep(2);
    }
    return true;
}

bool FileLock::tryLockExclusive() {
    return tryLock(LOCK_EX);
}

bool FileLock::tryLockShared() {
    return tryLock(LOCK_SH);
}

bool FileLock::downgrade() {
    m_locked = m_locked && ::flock(m_fd, LOCK_SH | LOCK_NB) == 0;
    return m_locked;
}

void FileLock::unlock() {
    if (m_locked) {
        ::flock(m_fd, LOCK_UN);
        m_locked = false;
    }
}
