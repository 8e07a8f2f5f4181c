#pragma once

// Settings key names of the values a virtual mixer holds, by key id: 1..84
// the data block, 85 the threshold, 87..103 the extended values. Used to
// name a value on the command line (--stuck 2:InputGain_3=40).

#include <QString>

// "InputLevel_1" for 1, "Threshold" for 85; empty for an id without a value.
QString simKeyName(int keyId);
// The id of a key name (exact, case-sensitive); 0 if there is none.
int simKeyId(const QString &name);
