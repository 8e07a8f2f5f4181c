#pragma once

#include <QString>

// Settings key name of key id 1..85 ("InputLevel_1" .. "KeyLock", "Threshold"),
// the names the settings file uses, so JSON output and files agree.
QString cliKeyName(int keyId);
