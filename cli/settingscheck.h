#pragma once

// Reading a settings file named on the command line the way the program's
// open command reads it, with a reason a person can act on when it cannot be
// used: the file is missing or unreadable, which line the reader refuses, or
// a link count no system can have.

#include <QString>

class SettingsTable;

// Reads `path` into `FileTable` (reset first). Empty when the open command
// would take the file, else the reason, starting with `command` ("load: ...").
QString readSettingsForCommand(const QString &command, const QString &path, SettingsTable &FileTable);
