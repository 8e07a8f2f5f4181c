#pragma once

// Reading a settings file named on the command line the way the program's
// open command reads it, with a reason a person can act on when it cannot be
// used: the file is missing, unreadable or no regular file, which line the
// reader refuses (a value out of range with its key and the range), a link
// count no system can have, or that the file does not describe a whole
// system (no MixerCount, a counted mixer's section missing or cut short).

#include "settings/settingsfile.h"

#include <QString>

// Reads `path` into `FileTable` (reset first). Empty when the open command
// would take the file, else the reason, starting with `command` ("load: ...").
// `limits`: the values the editor sets, or with --raw what the mixer can hold.
QString readSettingsForCommand(const QString &command, const QString &path, SettingsTable &FileTable,
                               ValueLimits limits = ValueLimits::Editor);
