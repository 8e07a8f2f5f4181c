#pragma once

// `diff` and `load --dry-run`: what a settings file would change, printed,
// with nothing sent to the mixers.

#include "cli/cliargs.h"
#include "settings/settingsfile.h"

#include <QString>
#include <QStringList>

class CliContext;

// A command's arguments split into the files and the flags it knows.
struct CliFileArgs
{
    bool ok = true;     // false when an unknown option ("--x") was given
    QStringList files;
    QStringList flags;
    bool has(const QString &flag) const { return flags.contains(flag); }
};
CliFileArgs splitFileArgs(const QStringList &args, const QStringList &known);

// Reads the linked mixers as `save` does and prints the differences a load
// of `path` would make; sends nothing. `limits`: the values the file may hold.
CliExit runLoadDryRun(CliContext &context, const QString &path, bool json, ValueLimits limits);
