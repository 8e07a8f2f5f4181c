#include "base/installlayout.h"

#include <QDir>
#include <QFileInfo>

QString privateLibraryDir(const QString &programDir)
{
#ifdef ZK_PRIVATE_LIBDIR
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(ZK_PRIVATE_LIBDIR)));
#else
    Q_UNUSED(programDir);
    return {};
#endif
}

bool isInstalledProgramDir(const QString &programDir)
{
    const QString dir = privateLibraryDir(programDir);
    return !dir.isEmpty() && QFileInfo(dir).isDir();
}
