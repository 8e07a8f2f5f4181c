#include "cli/statuscommand.h"

#include "base/clock.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "link/comm.h"
#include "link/linkstate.h"
#include "link/protocol.h"
#include "mixer/statusreplies.h"

QString checkStatusArgs(const QStringList &args)
{
    for (const QString &a : args)
        if (a != QLatin1String("--json"))
            return str(9746).arg(a);
    return {};
}

namespace {

// MN, judged on its first reply; an older master that does not answer MN but
// gives a valid network settings block counts as model 1, no answer as 0.
int readModel(MdlComm &comm, int mixer)
{
    MixerProtocol protocol(comm);
    const MixerProtocol::FirstReply mn = protocol.sendAndJudgeFirst(modelRequest(mixer));
    if (mn.valid)
        return decodeModelReply(mn.reply.data(), mn.count - Wire::TrailerSize).value_or(0);
    if (mixer != 1)
        return 0;
    return protocol.sendAndJudgeFirst(networkReadRequest()).valid ? 1 : 0;
}

} // namespace

std::optional<StatusReport> readStatus(MdlComm &comm)
{
    const std::optional<QByteArray> thresholds
        = sendAndWait(comm, thresholdReadAllRequest(), ReplyRule::ThresholdAll);
    const std::optional<QByteArray> data = sendAndWait(comm, dataReadAllRequest(), ReplyRule::DataAll);
    StatusReport report;
    if (!data || !decodeDataBlocks(*data, report))
        return std::nullopt;
    // Thresholds that did not come stay unknown rather than failing the report.
    if (thresholds)
        decodeThresholds(*thresholds, report);
    for (MixerStatus &m : report.mixers)
        m.model = readModel(comm, m.mixer);
    return report;
}

CliExit runStatusCommand(CliContext &context, const QStringList &args)
{
    const bool json = args.contains(QStringLiteral("--json"));
    MdlComm *comm = context.comm();
    if (!comm) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    const std::optional<StatusReport> report = readStatus(*comm);
    if (!report) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    if (json)
        context.out() << QString::fromLatin1(statusJson(*report));
    else
        context.out() << statusTable(*report);
    context.out().flush();
    return CliExit::Ok;
}
