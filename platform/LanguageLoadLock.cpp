#include "LanguageLoadLock.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

QString LanguageLoadLock::defaultPath() {
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::tempPath();
    }
    return folder + QStringLiteral("/nvTranslator_LanguageLoadLock");
}

LanguageLoadLock::LanguageLoadLock(const QString& lockFilePath) : m_lock(lockFilePath) {}

LanguageLoadLock::~LanguageLoadLock() {
    release();
}

bool LanguageLoadLock::acquire() {
    if (m_lock.isLocked()) {
        return true;
    }
    // The marker is free when nobody holds it shared, i.e. when an exclusive lock succeeds.
    for (int wait = 0;; ++wait) {
        if (m_lock.tryLockExclusive() && m_lock.downgrade()) {
            return true;
        }
        if (wait == MaxWaits) {
            break;
        }
        QThread::msleep(WaitMs);
    }
    // Proceed anyway, joining the holders so the marker stays while this load runs.
    for (int attempt = 0; attempt < 3 && !m_lock.tryLockShared(); ++attempt) {
        QThread::msleep(1);
    }
    return false;
}

void LanguageLoadLock::release() {
    m_lock.unlock();
}
