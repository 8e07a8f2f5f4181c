#include "cli/clicontext.h"

#include "cli/manpage.h"
#include "cli/statuscommand.h"

#include "base/strings.h"

QString checkSearchArgs(const QStringList &args);           // searchcommand.cpp
CliExit runSearchCommand(CliContext &context, const QStringList &args);
QString checkGetMixerArgs(const QStringList &args);         // getcommand.cpp
CliExit runGetMixerCommand(CliContext &context, const QStringList &args);
QString checkSetMixerArgs(const QStringList &args);         // setcommand.cpp
CliExit runSetMixerCommand(CliContext &context, const QStringList &args);
QString checkSaveArgs(const QStringList &args);             // savecommand.cpp
CliExit runSaveCommand(CliContext &context, const QStringList &args);
QString checkLoadArgs(const QStringList &args);             // loadcommand.cpp
CliExit runLoadCommand(CliContext &context, const QStringList &args);
QString checkDiffArgs(const QStringList &args);             // diffcommand.cpp
CliExit runDiffCommand(CliContext &context, const QStringList &args);
QString checkIpArgs(const QStringList &args);               // ipcommand.cpp
CliExit runIpCommand(CliContext &context, const QStringList &args);
QString checkPeekArgs(const QStringList &args);             // memorycommand.cpp
CliExit runPeekCommand(CliContext &context, const QStringList &args);
QString checkPokeArgs(const QStringList &args);
CliExit runPokeCommand(CliContext &context, const QStringList &args);
QString checkFirmwareArgs(const QStringList &args);         // firmwarecommand.cpp
CliExit runFirmwareCommand(CliContext &context, const QStringList &args);

namespace {

namespace Msg {
constexpr int NoLink = 9745;           // "choose a link: --ethernet, --serial or --usb"
constexpr int ExitStatus = 9769;
constexpr int UnknownCommand = 9781;   // "unknown command "%1""
constexpr int UsageHead = 13200;       // "usage: zkvr340a-ctl LINK ... COMMAND [ARGS]" ... "commands:"
constexpr int CommandUsage = 13201;    // "usage: zkvr340a-ctl %1"
constexpr int CommandHelpHint = 13202; // "zkvr340a-ctl %1 --help says more"
constexpr int CommandOption = 13203;   // "%1: unknown option "%2" (a file whose name begins with "-": ./%2)"
constexpr int ManualHead = 13210;      // NAME .. DESCRIPTION, then the COMMANDS heading
constexpr int ManualOptions = 13211;   // OPTIONS
constexpr int ManualOutput = 13212;    // OUTPUT
constexpr int ManualTail = 13213;      // ENVIRONMENT, EXIT STATUS, EXAMPLES
} // namespace Msg

namespace Help {
constexpr int Status = 13220;
constexpr int Get = 13221;
constexpr int Set = 13222;
constexpr int Search = 13223;
constexpr int Save = 13224;
constexpr int Load = 13225;
constexpr int Diff = 13226;
constexpr int Ip = 13227;
constexpr int Peek = 13228;
constexpr int Poke = 13229;
constexpr int Firmware = 13230;
} // namespace Help

const QString HelpLong = QStringLiteral("--help");
const QString HelpShort = QStringLiteral("-h");

QString indented(const QString &text, int columns)
{
    const QString pad(columns, u' ');
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        if (!line.isEmpty())
            line.prepend(pad);
    return lines.join(u'\n');
}

// The command's synopsis with the link it needs in front: "LINK save FILE".
QString usageLine(const CliCommand &c)
{
    const QString synopsis = QLatin1String(c.synopsis);
    return c.needsLink ? QStringLiteral("LINK ") + synopsis : synopsis;
}

const CliOption *optionNamed(const CliCommand &c, const QString &name)
{
    for (const CliOption &o : c.options)
        if (name == QLatin1String(o.name))
            return &o;
    return nullptr;
}

// A word a command reads as an option: "-x", "--x"; not "-" and not a
// negative number, which the command's own check judges.
bool looksLikeOption(const QString &a)
{
    return a.size() > 1 && a.startsWith(u'-') && !a.at(1).isDigit();
}

} // namespace

const std::vector<CliCommand> &cliCommands()
{
    // One entry per command; each command's code lives in its own file.
    static const std::vector<CliCommand> commands{
        {"status", "status [--json]", Help::Status, true, {{"--json"}}, runStatusCommand, checkStatusArgs},
        {"get", "get MIXER KEY", Help::Get, true, {}, runGetMixerCommand, checkGetMixerArgs},
        {"set", "set [--raw] MIXER KEY=VALUE [KEY=VALUE ...]", Help::Set, true, {{"--raw"}}, runSetMixerCommand,
         checkSetMixerArgs},
        {"search", "search USERID", Help::Search, false, {}, runSearchCommand, checkSearchArgs},
        {"save", "save FILE", Help::Save, true, {}, runSaveCommand, checkSaveArgs},
        {"load", "load [--dry-run [--json]] [--full] [--yes] [--raw] FILE", Help::Load, true,
         {{"--dry-run"}, {"--json"}, {"--full"}, {"--yes"}, {"--raw"}}, runLoadCommand, checkLoadArgs},
        // diff FILE_A FILE_B needs no link; diff FILE says itself that it does.
        {"diff", "diff [--json] [--raw] FILE_A FILE_B | LINK diff [--json] [--raw] FILE", Help::Diff, false,
         {{"--json"}, {"--raw"}},
         runDiffCommand, checkDiffArgs},
        {"ip", "ip (get | set ADDRESS USERID [--dhcp on|off])", Help::Ip, true, {{"--dhcp", true}}, runIpCommand,
         checkIpArgs},
        {"peek", "peek ADDRESS [SIZE]", Help::Peek, true, {}, runPeekCommand, checkPeekArgs},
        {"poke", "poke ADDRESS DATA [SIZE]", Help::Poke, true, {}, runPokeCommand, checkPokeArgs},
        {"firmware", "firmware KIND FILE [--power-cycled] [--any-model]", Help::Firmware, true,
         {{"--power-cycled"}, {"--any-model"}}, runFirmwareCommand, checkFirmwareArgs},
    };
    return commands;
}

const CliCommand *findCliCommand(const QString &name)
{
    for (const CliCommand &c : cliCommands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QString cliUsage()
{
    QString text = str(Msg::UsageHead) + u'\n';
    for (const CliCommand &c : cliCommands())
        text += QStringLiteral("  %1\n").arg(usageLine(c));
    return text + str(Msg::ExitStatus) + u'\n';
}

QString cliCommandHelp(const CliCommand &command)
{
    return str(Msg::CommandUsage).arg(usageLine(command)) + QStringLiteral("\n\n")
        + indented(str(command.helpId), 4) + u'\n';
}

// --help: the manual, its command list taken from the command table.
QString cliManPage()
{
    return manPageFromManual(cliManual());
}

QString cliManual()
{
    QString text = str(Msg::ManualHead) + u'\n';
    for (const CliCommand &c : cliCommands())
        text += indented(usageLine(c), 4) + u'\n' + indented(str(c.helpId), 8) + QStringLiteral("\n\n");
    const QStringList sections{str(Msg::ManualOptions), str(Msg::ManualOutput), str(Msg::ManualTail)};
    return text + sections.join(QStringLiteral("\n\n")) + u'\n';
}

QString unknownCommandOption(const CliCommand &command, const QStringList &args)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == HelpLong || a == HelpShort || !looksLikeOption(a))
            continue;
        const CliOption *o = optionNamed(command, a);
        if (!o)
            return a;
        if (o->takesValue)
            ++i;
    }
    return {};
}

bool asksForHelp(const CliCommand &command, const QStringList &args)
{
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == HelpLong || args[i] == HelpShort)
            return true;
        const CliOption *o = optionNamed(command, args[i]);
        if (o && o->takesValue)
            ++i;
    }
    return false;
}

CliExit runCli(const QStringList &args, QTextStream &out, QTextStream &err, Clock &clock)
{
    auto finish = [&](CliExit exit) {
        out.flush();
        err.flush();
        return exit;
    };
    auto usage = [&](const QString &why, const CliCommand *command = nullptr) {
        err << "zkvr340a-ctl: " << why << '\n';
        if (command)
            err << str(Msg::CommandUsage).arg(usageLine(*command)) << '\n'
                << str(Msg::CommandHelpHint).arg(QLatin1String(command->name)) << '\n';
        else
            err << cliUsage();
        return finish(CliExit::Usage);
    };
    const CliParseResult parsed = parseCliArguments(args);
    if (!parsed.ok)
        return usage(parsed.error);
    const CliInvocation &inv = parsed.invocation;
    if (inv.command.isEmpty()) { // --help alone
        out << cliManual();
        return finish(CliExit::Ok);
    }
    // The command first: a misspelt one is named as such, whatever else is missing.
    const CliCommand *command = findCliCommand(inv.command);
    if (!command)
        return usage(str(Msg::UnknownCommand).arg(inv.command));
    if (inv.help || asksForHelp(*command, inv.commandArgs)) {
        out << cliCommandHelp(*command);
        return finish(CliExit::Ok);
    }
    if (const QString option = unknownCommandOption(*command, inv.commandArgs); !option.isEmpty())
        return usage(str(Msg::CommandOption).arg(QLatin1String(command->name), option), command);
    if (command->check) {
        const QString problem = command->check(inv.commandArgs);
        if (!problem.isEmpty())
            return usage(problem, command);
    }
    if (command->needsLink && inv.link.kind == CliLink::Kind::None)
        return usage(str(Msg::NoLink), command);
    CliContext context(inv.link, out, err, clock);
    context.setVerbose(inv.verbose);
    context.setQuiet(inv.quiet);
    return finish(command->run(context, inv.commandArgs));
}
