#pragma once

// Files a person names by path, read and replaced only when they are plain
// files: a device, a pipe, a socket or a folder in their place is refused
// before it is opened for reading (a pipe without a writer would wait for
// ever, /dev/zero never ends) and before a save would put a file where the
// node was.

#include <QByteArray>
#include <QString>

enum class FileRead {
    Done,
    Missing,     // nothing at the path
    NotRegular,  // a device, pipe, socket or folder
    Unreadable,  // the system refused to open or read it: see `reason`
    TooLarge,    // more than the limit: reading stopped there
};

struct FileBytes
{
    FileRead status = FileRead::Missing;
    QByteArray bytes;   // the whole file when Done
    QString reason;     // the system's words when Unreadable
};

// The file at `path` (a symbolic link is followed), when it is a regular
// file of at most `maxBytes` bytes. Reading stops one byte past the limit,
// whatever size the file claims.
FileBytes readRegularFile(const QString &path, qint64 maxBytes);

// Whether a save may put a file at `path`: nothing there yet, or a regular
// file (through any symbolic links). False for a device, pipe, socket or
// folder, which a save must not replace.
bool saveTargetAllowed(const QString &path);
