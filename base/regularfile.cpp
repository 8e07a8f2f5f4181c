#include "base/regularfile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// Reads the open descriptor up to one byte past `maxBytes`.
FileBytes readDescriptor(int fd, qint64 maxBytes)
{
    FileBytes out;
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const qint64 room = maxBytes + 1 - bytes.size();
        if (room <= 0)
            break;
        const ssize_t n = ::read(fd, chunk, size_t(std::min<qint64>(room, qint64(sizeof chunk))));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.status = FileRead::Unreadable;
            out.reason = QString::fromLocal8Bit(std::strerror(errno));
            return out;
        }
        if (n == 0)
            break;
        bytes.append(chunk, qsizetype(n));
    }
    if (bytes.size() > maxBytes) {
        out.status = FileRead::TooLarge;
        return out;
    }
    out.status = FileRead::Done;
    out.bytes = std::move(bytes);
    return out;
}
#endif

} // namespace

FileBytes readRegularFile(const QString &path, qint64 maxBytes)
{
    FileBytes out;
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    // Looked at before it is opened: opening a device may already do
    // something (a serial port raises its lines), and a pipe waits.
    if (::stat(name.constData(), &st) != 0) {
        out.status = errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Unreadable;
        out.reason = QString::fromLocal8Bit(std::strerror(errno));
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.status = FileRead::NotRegular;
        return out;
    }
    // Non-blocking, and looked at again once open: something swapped in
    // between must not hold the program.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        out.status = FileRead::Unreadable;
        out.reason = QString::fromLocal8Bit(std::strerror(errno));
        return out;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        out.status = FileRead::NotRegular;
        return out;
    }
    out = readDescriptor(fd, maxBytes);
    ::close(fd);
    return out;
#else
    const QFileInfo info(path);
    if (!info.exists()) {
        out.status = FileRead::Missing;
        return out;
    }
    if (!info.isFile()) {
        out.status = FileRead::NotRegular;
        return out;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        out.status = FileRead::Unreadable;
        out.reason = f.errorString();
        return out;
    }
    out.bytes = f.read(maxBytes + 1);
    if (f.error() != QFileDevice::NoError) {
        out.status = FileRead::Unreadable;
        out.reason = f.errorString();
        out.bytes.clear();
    } else if (out.bytes.size() > maxBytes) {
        out.status = FileRead::TooLarge;
        out.bytes.clear();
    } else {
        out.status = FileRead::Done;
    }
    return out;
#endif
}

bool saveTargetAllowed(const QString &path)
{
    // QFileInfo follows symbolic links: a link to a regular file is saved
    // through (the save file replaces the file it points to, not the link).
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}
