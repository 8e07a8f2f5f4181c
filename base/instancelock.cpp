#include "instancelock.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

InstanceLock::InstanceLock(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = dir + u'/' + name;
    m_lock = std::make_unique<QLockFile>(m_path);
    m_lock->setStaleLockTime(0); // only a lock whose process is gone is stale
    m_acquired = m_lock->tryLock(0);
}

QString InstanceLock::defaultName()
{
    return QStringLiteral("zkvr340a-%1.lock").arg(::getuid());
}

qint64 InstanceLock::holder() const
{
    qint64 pid = 0;
    QString host, app;
    return m_lock->getLockInfo(&pid, &host, &app) ? pid : 0;
}
