#pragma once

// Command line of zkvr340a-ctl: one link option and one command with its own
// arguments. Parsed without touching any resource, so tests call it directly.
//
//   zkvr340a-ctl (--ethernet HOST[:PORT] | --serial DEVICE | --usb) [--timeout SECONDS]
//                [--verbose] [--quiet] COMMAND [ARGS]
//
// Whether the command needs a link, and what its own arguments may be, is the
// command's business (commands.cpp): an unknown command is named as such
// before anything is said about links.

#include "link/linkstate.h"

#include <QString>
#include <QStringList>

enum class CliExit : int {
    Ok = 0,
    NoMixer = 1,  // nothing answered, or the link could not be opened
    Usage = 2,
    // diff: 0 nothing differs, 1 something does, 2 the comparison failed
    Different = 1,
    Failed = 2,
};

struct CliLink
{
    enum class Kind { None, Ethernet, Serial, Usb };
    Kind kind = Kind::None;
    QString host;            // Ethernet
    quint16 port = MixerTcpPort; // Ethernet
    QString device;          // serial device path
    double connectSeconds = 30.0; // --timeout: how long an Ethernet open keeps trying
};

struct CliInvocation
{
    CliLink link;
    QString command;          // "status", ...
    QStringList commandArgs;  // everything after the command that is no link option
    bool help = false;        // --help or -h before the command
    bool verbose = false;     // --verbose: the activity log's entries on stderr
    bool quiet = false;       // --quiet: no progress lines on stderr
};

struct CliParseResult
{
    bool ok = false;
    QString error;
    CliInvocation invocation;
};

// `args` without the program name. Link options may stand before or after the
// command; anything else after the command belongs to the command.
CliParseResult parseCliArguments(const QStringList &args);

// "HOST" or "HOST:PORT" (port 1..65535).
bool parseHostPort(const QString &text, QString &host, quint16 &port);
