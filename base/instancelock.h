#pragma once

#include <QLockFile>

#include <memory>

// Refuses a second running instance: a lock file in the per-user runtime
// folder, held for the life of the program. A stale lock of a crashed run is
// taken over. The name carries the user's id, so users who share a runtime
// folder (or fall back to the temporary folder) never lock each other out.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &name = defaultName());
    // "zkvr340a-UID.lock"
    static QString defaultName();

    bool acquired() const { return m_acquired; }
    QString path() const { return m_path; }
    // Why it was not acquired: LockFailedError when another process holds
    // it, otherwise the lock file could not be made.
    QLockFile::LockError error() const { return m_lock->error(); }
    // The process that holds the lock (0 when unknown).
    qint64 holder() const;

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};
