// `get MIXER KEY`: the decimal value of one settings key of one linked
// mixer, read with the poll's own "T","R" and "D","R" requests and decoded
// into the mixer records the program uses.

#include "base/loopstate.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "cli/mixerread.h"
#include "link/comm.h"
#include "mixer/mixersync.h"

namespace {

namespace Msg {
constexpr int GetUsage = 9200;
constexpr int MixerRange = 9202;
constexpr int UnknownKey = 9203;
} // namespace Msg

// Keys the data and threshold replies carry: ids 1..85.
int readableKeyId(const QString &key)
{
    const int id = mixerKeyId(key);
    return id >= MixerKey::FirstBlock && id <= MixerKey::Threshold ? id : -1;
}


} // namespace

QString checkGetMixerArgs(const QStringList &args)
{
    if (args.size() != 2)
        return str(Msg::GetUsage);
    const int mixer = args[0].toInt();
    if (mixer < 1 || mixer > MaxMixers)
        return str(Msg::MixerRange).arg(QStringLiteral("get"));
    if (readableKeyId(args[1]) < 0)
        return str(Msg::UnknownKey).arg(QStringLiteral("get"), args[1]);
    return {};
}

CliExit runGetMixerCommand(CliContext &context, const QStringList &args)
{
    const int mixer = args[0].toInt();
    const int keyId = readableKeyId(args[1]);
    MdlComm *comm = context.comm();
    if (!comm)
        return CliExit::NoMixer;
    LoopState loop;
    MixerState mixers;
    MixerSync sync(*comm, loop, mixers);
    if (sync.CheckAccess() == AccessResult::NoResponse)
        return CliExit::NoMixer;
    if (const auto failed = readLinkedMixer(context, sync, mixers, mixer, "get"))
        return *failed;
    context.out() << mixers.MixerData[size_t(mixer)].value(keyId) << '\n';
    return CliExit::Ok;
}
