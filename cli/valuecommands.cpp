#include "cli/valuecommands.h"

#include "app/strings.h"
#include "cli/clicontext.h"
#include "cli/keynames.h"
#include "link/comm.h"
#include "link/linkstate.h"
#include "link/protocol.h"

#include <optional>

namespace {

constexpr int ThresholdId = 85;
constexpr int NoAccessText = 4200;

std::optional<int> readValue(MdlComm &comm, int mixer, int keyId)
{
    if (keyId == ThresholdId) {
        const std::optional<QByteArray> t = sendAndWait(comm, thresholdReadAllRequest(), ReplyRule::ThresholdAll);
        const int at = 3 + 2 * (mixer - 1);
        if (!t || t->size() < at + 2)
            return std::nullopt;
        return ((quint8((*t)[at]) << 8) | quint8((*t)[at + 1])) & 0x7FFF;
    }
    const std::optional<QByteArray> d = sendAndWait(comm, dataReadRequest(mixer));
    if (!d || d->size() != 3 + 84)
        return std::nullopt;
    return quint8((*d)[2 + keyId]);
}

} // namespace

QString parseValueArgs(const QStringList &args, bool wantValue, ValueArgs &out)
{
    const QString name = wantValue ? QStringLiteral("set") : QStringLiteral("get");
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--json") && !wantValue) {
            out.json = true;
        } else if (a == QLatin1String("--mixer") || a.startsWith(QLatin1String("--mixer="))) {
            QString v;
            if (a.contains(QLatin1Char('=')))
                v = a.section(QLatin1Char('='), 1);
            else if (i + 1 < args.size())
                v = args[++i];
            bool ok = false;
            out.mixer = v.toInt(&ok);
            if (!ok || out.mixer < 1 || out.mixer > 16)
                return str(9749).arg(name);
        } else if (a.startsWith(QLatin1String("--"))) {
            return str(9750).arg(name, a);
        } else {
            positional << a;
        }
    }
    if (positional.size() != (wantValue ? 2 : 1))
        return wantValue ? str(9751) : str(9752);
    out.keyId = 0;
    for (int id = 1; id <= ThresholdId; ++id)
        if (cliKeyName(id) == positional[0])
            out.keyId = id;
    if (out.keyId == 0)
        return str(9753).arg(name, positional[0]);
    if (wantValue) {
        bool ok = false;
        out.value = positional[1].toInt(&ok);
        const int max = out.keyId == ThresholdId ? 0x7FFF : 255;
        if (!ok || out.value < 0 || out.value > max)
            return str(9754).arg(positional[0]).arg(max);
        out.hasValue = true;
    }
    return {};
}

CliExit runGetCommand(CliContext &context, const QStringList &args)
{
    ValueArgs v;
    parseValueArgs(args, false, v); // checked before the link was opened
    MdlComm *comm = context.comm();
    const std::optional<int> value = comm ? readValue(*comm, v.mixer, v.keyId) : std::nullopt;
    if (!value) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    if (v.json)
        context.out() << QStringLiteral("{\"mixer\": %1, \"key\": \"%2\", \"value\": %3}\n")
                             .arg(v.mixer).arg(cliKeyName(v.keyId)).arg(*value);
    else
        context.out() << *value << '\n';
    return CliExit::Ok;
}

CliExit runSetCommand(CliContext &context, const QStringList &args)
{
    ValueArgs v;
    parseValueArgs(args, true, v);
    MdlComm *comm = context.comm();
    if (!comm) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    MixerProtocol protocol(*comm);
    const QByteArray request = v.keyId == ThresholdId ? thresholdSetRequest(v.mixer, quint16(v.value))
                                                      : dataSetRequest(v.mixer, v.keyId, quint8(v.value));
    const MixerProtocol::FirstReply r
        = protocol.sendAndJudgeFirst(putRequest(comm->state().SendBuffer, request));
    if (r.count > 2 && r.status == Wire::StatusNoAccess) {
        context.err() << str(NoAccessText) << Qt::endl;
        return CliExit::NoMixer;
    }
    if (!r.valid) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    // Accepted is not yet stored: the value counts as set once it reads back.
    const std::optional<int> back = readValue(*comm, v.mixer, v.keyId);
    if (!back) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    if (*back != v.value) {
        context.err() << str(StrId::SetFailed) << Qt::endl;
        return CliExit::NoMixer;
    }
    return CliExit::Ok;
}
