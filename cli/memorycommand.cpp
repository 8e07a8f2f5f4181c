// `peek ADDRESS [SIZE]` reads and `poke ADDRESS DATA [SIZE]` writes 1, 2 or 4
// bytes (default 4) of the attached mixer's memory, as the direct access
// window does: hexadecimal address and data of up to eight digits, the reply
// awaited within the same one-second budget. peek prints the four data bytes
// of the reply as eight hexadecimal digits.

#include "cli/clicontext.h"

#include "app/jobs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "maintenance/directaccess.h"

namespace {

namespace Msg {
constexpr int PeekUsage = 9776;
constexpr int PokeUsage = 9777;
constexpr int SizeWanted = 9778;
constexpr int NotHex = 9779;
} // namespace Msg

// The size option index of a SIZE argument (1, 2, 4); -1 when invalid.
int sizeIndexOf(const QString &text)
{
    if (text == QLatin1String("1"))
        return 0;
    if (text == QLatin1String("2"))
        return 1;
    if (text == QLatin1String("4"))
        return 2;
    return -1;
}

QString checkHex(const QString &text, const char *what)
{
    if (text.trimmed().isEmpty() || !parseHex32(text))
        return str(Msg::NotHex).arg(QLatin1String(what), text);
    return {};
}

CliExit runAccess(CliContext &context, const QByteArray &request, bool read)
{
    MdlComm *comm = context.comm();
    if (!comm)
        return CliExit::NoMixer;
    DirectAccessJob job(*comm, comm->dialogs(), read, request); // tells "異常終了しました" on failure
    if (job.run(context.clock()) != DirectAccessJob::State::Succeeded)
        return CliExit::NoMixer;
    if (read)
        context.out() << job.dataText() << '\n';
    return CliExit::Ok;
}

} // namespace

QString checkPeekArgs(const QStringList &args)
{
    if (args.isEmpty() || args.size() > 2)
        return str(Msg::PeekUsage);
    if (args.size() == 2 && sizeIndexOf(args[1]) < 0)
        return str(Msg::SizeWanted);
    return checkHex(args[0], "ADDRESS");
}

CliExit runPeekCommand(CliContext &context, const QStringList &args)
{
    const int sizeIndex = args.size() == 2 ? sizeIndexOf(args[1]) : 2;
    return runAccess(context, directReadRequest(sizeIndex, *parseHex32(args[0])), true);
}

QString checkPokeArgs(const QStringList &args)
{
    if (args.size() < 2 || args.size() > 3)
        return str(Msg::PokeUsage);
    if (args.size() == 3 && sizeIndexOf(args[2]) < 0)
        return str(Msg::SizeWanted);
    QString problem = checkHex(args[0], "ADDRESS");
    return problem.isEmpty() ? checkHex(args[1], "DATA") : problem;
}

CliExit runPokeCommand(CliContext &context, const QStringList &args)
{
    context.requireWriteAccess(QStringLiteral("poke"));
    const int sizeIndex = args.size() == 3 ? sizeIndexOf(args[2]) : 2;
    return runAccess(context, directWriteRequest(sizeIndex, *parseHex32(args[0]), *parseHex32(args[1])), false);
}
