#pragma once

// `get KEY [--mixer M] [--json]` and `set KEY VALUE [--mixer M]`: one value
// of one mixer, KEY a settings key of the data block ("InputGain_3") or
// "Threshold". `set` writes with DS (TS for the threshold) and reads the
// value back; a read-back that differs is a failure.

#include "cli/cliargs.h"

#include <QStringList>

class CliContext;

struct ValueArgs
{
    int keyId = 0;       // 1..85
    int mixer = 1;       // 1..16
    bool json = false;
    bool hasValue = false;
    int value = 0;
};

// Parses the arguments of get (wantValue false) or set (true); error text on failure.
QString parseValueArgs(const QStringList &args, bool wantValue, ValueArgs &out);

CliExit runGetCommand(CliContext &context, const QStringList &args);
CliExit runSetCommand(CliContext &context, const QStringList &args);
