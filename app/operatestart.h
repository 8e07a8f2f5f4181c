#pragma once

// The start of a chairperson's PC:
// `zkvr340a --operate FILE [--link ethernet|rs232c|usb] [--fullscreen]`.
// The program connects over the named link without asking (as usual without
// --link), opens FILE without a file dialog, and goes straight to the
// control panel's execution state with FILE's panel, locked by the operator
// passphrase.

#include "app/virtualchain.h"
#include "link/linkstate.h"

#include <QString>
#include <QStringList>

#include <optional>

struct OperateRequest
{
    bool ok = true;
    QString error;                  // why the command line was refused, for stderr
    QString file;                   // empty when --operate was not given
    std::optional<LinkKind> link;   // --link; never Offline
    bool fullScreen = false;
    QStringList rest;               // the command line without them, program name first

    bool operate() const { return !file.isEmpty(); }
};

// `arguments` with the program name first. --link and --fullscreen only go
// with --operate; everything else is left in `rest` for the other readings
// of the command line (--virtual, --remote, DEBUG).
OperateRequest parseOperateArguments(const QStringList &arguments);

// The program's whole command line: --help, --version, the remote
// operation's and Qt's options (app/startoptions.h), the operator start,
// then the virtual chain from what is left. A link named with --link while
// the virtual chain is the link is refused, and so is an option nobody took.
struct StartRequest
{
    bool help = false;
    bool version = false;
    QString general;                // why the rest of the command line was refused
    OperateRequest operate;
    VirtualRequest virtualChain;
    bool ok() const { return general.isEmpty() && operate.ok && virtualChain.ok; }
    QString error() const
    {
        return !general.isEmpty() ? general : operate.ok ? virtualChain.error : operate.error;
    }
};
StartRequest parseStartArguments(const QStringList &arguments);

// Why the file --operate names cannot be opened ("" when it can be read, or
// when no --operate was given): said before the program starts, so a
// chairperson's PC never comes up unlocked for a mistyped name.
QString operateFileProblem(const OperateRequest &request);
