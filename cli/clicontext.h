#pragma once

// What a command of zkvr340a-ctl works with: its output streams and the link
// to the mixers, opened on first use. Each command lives in its own file and
// registers in commands.cpp.

#include "cli/cliargs.h"

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>
#include <vector>

class ActivityLog;
class Clock;
class Dialogs;
class MdlComm;
class ProgressLine;
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
    // --quiet: no progress lines. Without it they go to a terminal only.
    void setQuiet(bool on) { m_quiet = on; }
    bool quiet() const { return m_quiet; }
    bool showsProgress() const;
    // The progress line under way (null: none); it is ended before any
    // other line goes to err(), so a message never lands in its middle.
    void setProgressLine(ProgressLine *line) { m_progress = line; }
    void endProgressLine();
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
    // Where the link goes, for a failure: "192.0.2.1:1001", the device, devbridge.
    QString linkTarget() const;

    CliLink m_link;
    QTextStream &m_out;
    QTextStream &m_err;
    Clock &m_clock;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<LinkState> m_state;
    std::unique_ptr<ActivityLog> m_activity;
    std::unique_ptr<MdlComm> m_comm;
    bool m_openTried = false;
    bool m_quiet = false;
    ProgressLine *m_progress = nullptr;
    QString m_writingCommand; // empty: the command only reads
};

// An option a command takes after its name ("--json", "--dhcp on").
struct CliOption
{
    const char *name;
    bool takesValue = false;
};

struct CliCommand
{
    const char *name;
    const char *synopsis;  // for the usage text: "save FILE"
    int helpId;            // what `COMMAND --help` says below its usage line (string table)
    bool needsLink;        // false: runs without a link option, or says itself when it needs one
    std::vector<CliOption> options;
    std::function<CliExit(CliContext &, const QStringList &args)> run;
    // Checks the command's own arguments before any link is opened; returns
    // an error text, empty when they are fine.
    std::function<QString(const QStringList &args)> check;
};

const std::vector<CliCommand> &cliCommands();
const CliCommand *findCliCommand(const QString &name);
QString cliUsage();
// What `COMMAND --help` prints: its usage line and its help.
QString cliCommandHelp(const CliCommand &command);
// The manual --help prints: NAME, SYNOPSIS, DESCRIPTION, COMMANDS, OPTIONS,
// OUTPUT, ENVIRONMENT, EXIT STATUS, EXAMPLES (headings in the language of the
// texts).
QString cliManual();
// The same manual as a man page (roff), section 1.
QString cliManPage();

// The first argument of `args` that looks like an option (starts with "-",
// is no negative number) and is none of the command's; empty when there is
// none. A file whose name starts with "-" is given as "./-name".
QString unknownCommandOption(const CliCommand &command, const QStringList &args);
// Whether `args` hold --help or -h (not as the value of an option).
bool asksForHelp(const CliCommand &command, const QStringList &args);

// Runs a whole invocation (without the program name): parses, checks, runs.
// Usage errors print the usage text to err and give CliExit::Usage.
CliExit runCli(const QStringList &args, QTextStream &out, QTextStream &err, Clock &clock);
