#include "cli/clicontext.h"

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

const std::vector<CliCommand> &cliCommands()
{
    // One entry per command; each command's code lives in its own file.
    static const std::vector<CliCommand> commands{
        {"status", "status [--json]", runStatusCommand, checkStatusArgs},
        {"get", "get MIXER KEY", runGetMixerCommand, checkGetMixerArgs},
        {"set", "set [--raw] MIXER KEY=VALUE [KEY=VALUE ...]", runSetMixerCommand,
         checkSetMixerArgs},
        {"search", "search USERID", runSearchCommand, checkSearchArgs},
        {"save", "save FILE", runSaveCommand, checkSaveArgs},
        {"load", "load [--dry-run [--json]] [--yes] [--raw] FILE", runLoadCommand, checkLoadArgs},
        {"diff", "diff [--json] [--raw] FILE_A FILE_B | diff [--json] [--raw] FILE  (FILE against the linked mixers)",
         runDiffCommand, checkDiffArgs},
        {"ip", "ip get | ip set ADDRESS USERID [--dhcp on|off]", runIpCommand, checkIpArgs},
        {"peek", "peek ADDRESS [SIZE]  (hex address; SIZE 1, 2 or 4)", runPeekCommand, checkPeekArgs},
        {"poke", "poke ADDRESS DATA [SIZE]  (hex address and data)", runPokeCommand, checkPokeArgs},
        {"firmware", "firmware KIND FILE [--power-cycled] [--any-model]  (KIND 1 main, 2 FPGA, 3 writer, 4 ZK-VR340a model file)",
         runFirmwareCommand, checkFirmwareArgs},
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
    QString text = QStringLiteral(
        "usage: zkvr340a-ctl (--ethernet HOST[:PORT] | --serial DEVICE | --usb) [--timeout SECONDS] [--verbose]\n"
        "                    COMMAND [ARGS]\n"
        "commands:\n");
    for (const CliCommand &c : cliCommands())
        text += QStringLiteral("  %1\n").arg(QLatin1String(c.synopsis));
    text += str(9769) + u'\n';
    return text;
}

// --help: the manual, its command list taken from the command table.
QString cliManual()
{
    constexpr int ManualHead = 10801;
    constexpr int ManualTail = 10802;
    QString text = str(ManualHead);
    for (const CliCommand &c : cliCommands())
        text += QStringLiteral("    %1\n").arg(QLatin1String(c.synopsis));
    return text + str(ManualTail);
}

CliExit runCli(const QStringList &args, QTextStream &out, QTextStream &err, Clock &clock)
{
    const CliParseResult parsed = parseCliArguments(args);
    if (parsed.ok && parsed.invocation.help) {
        out << cliManual();
        return CliExit::Ok;
    }
    auto usage = [&](const QString &why) {
        err << "zkvr340a-ctl: " << why << '\n' << cliUsage();
        err.flush();
        return CliExit::Usage;
    };
    if (!parsed.ok)
        return usage(parsed.error);
    const CliCommand *command = findCliCommand(parsed.invocation.command);
    if (!command)
        return usage(str(9781).arg(parsed.invocation.command));
    if (command->check) {
        const QString problem = command->check(parsed.invocation.commandArgs);
        if (!problem.isEmpty())
            return usage(problem);
    }
    CliContext context(parsed.invocation.link, out, err, clock);
    context.setVerbose(parsed.invocation.verbose);
    const CliExit result = command->run(context, parsed.invocation.commandArgs);
    out.flush();
    err.flush();
    return result;
}
