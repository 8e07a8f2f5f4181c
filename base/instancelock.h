#pragma once

#include <QLockFile>

#include <memory>

// Refuses a second running instance: a lock file in the per-user runtime
// folder, held for the life of the program. A stale lock of a crashed run is
// taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &name = QStringLiteral("zkvr340a.lock"));
    bool acquired() const { return m_acquired; }
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};
