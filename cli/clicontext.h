#pragma once

// What a command of zkvr340a-ctl works with: its output streams and the link
// to the mixers, opened on first use. Each command lives in its own file and
// registers in commands.cpp.

#include "cli/cliargs.h"

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

class ActivityLog;
class Clock;
class Dialogs;
class MdlComm;
struct LinkState;

class CliContext
{
public:
    CliContext(CliLink link, QTextStream &out, QTextStream &err, Clock &clock);
    ~CliContext();

    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    Clock &clock() { return m_clock; }
    // What the command did with the mixers: writes and their outcome, the
    // link, file loads and saves, the access check, a download. With
    // --verbose each entry is a line on err() as it happens.
    ActivityLog &activity() { return *m_activity; }
    void setVerbose(bool on);
    const CliLink &link() const { return m_link; }

    // The open link, or nullptr when it cannot be opened (the reason was
    // written to err()).
    MdlComm *comm();
    // Marks the command as one that writes to the mixers; called first thing
    // by every such command. Opening the link then runs the program's
    // write-access check at once, before the command sends anything, and a
    // mixer that refuses writes (or does not answer the check) leaves the
    // link unopened: comm() gives nullptr and the reason is on err().
    void requireWriteAccess(const QString &command);
    LinkState &linkState();
    // The devbridge the USB link loads: the one beside the tool wins.
    QString devbridgeLibrary() const;

private:
    bool writeAccessGranted(MdlComm &comm);

    CliLink m_link;
    QTextStream &m_out;
    QTextStream &m_err;
    Clock &m_clock;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<LinkState> m_state;
    std::unique_ptr<ActivityLog> m_activity;
    std::unique_ptr<MdlComm> m_comm;
    bool m_openTried = false;
    QString m_writingCommand; // empty: the command only reads
};

struct CliCommand
{
    const char *name;
    const char *synopsis;  // for the usage text
    std::function<CliExit(CliContext &, const QStringList &args)> run;
    // Checks the command's own arguments before any link is opened; returns
    // an error text, empty when they are fine.
    std::function<QString(const QStringList &args)> check;
};

const std::vector<CliCommand> &cliCommands();
const CliCommand *findCliCommand(const QString &name);
QString cliUsage();
// The manual --help prints: NAME, SYNOPSIS, DESCRIPTION, COMMANDS, OPTIONS,
// ENVIRONMENT, EXIT STATUS, EXAMPLES.
QString cliManual();

// Runs a whole invocation (without the program name): parses, checks, runs.
// Usage errors print the usage text to err and give CliExit::Usage.
CliExit runCli(const QStringList &args, QTextStream &out, QTextStream &err, Clock &clock);
