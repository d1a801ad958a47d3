#pragma once

#include "FileLock.h"

#include <QString>

// The system-wide marker that interface-language loads of all running copies respect.
// It is advisory: acquire looks up to ten times, 50 ms apart, for the marker to be gone and
// then takes it regardless. Every holder keeps a shared flock on one file in the runtime
// folder; the marker "exists" while anyone holds it, as a use-counted named atom would.
class LanguageLoadLock {
public:
    static constexpr int MaxWaits = 10;
    static constexpr int WaitMs = 50;

    // nvTranslator_LanguageLoadLock in the user's runtime folder (/tmp when there is none).
    static QString defaultPath();

    explicit LanguageLoadLock(const QString& lockFilePath = defaultPath());
    ~LanguageLoadLock();
    LanguageLoadLock(const LanguageLoadLock&) = delete;
    LanguageLoadLock& operator=(const LanguageLoadLock&) = delete;

    // True when the marker was free within the waits, false when it went on regardless.
    bool acquire();
    void release();
    bool isHeld() const { return m_lock.isLocked(); }

private:
    FileLock m_lock;
};
