// `load FILE`: sends a saved system to the linked mixers. The file is read
// and checked before the link is opened, so a file that cannot be used sends
// nothing at all. Then, as the program's open command and the transfer of
// loaded settings do: the access check (as the link opens), the mixers' current
// values, the mixer sections of the file into the values to send (as many
// mixers as the link-count rule allows), the extension registers written and
// verified one by one, SetData for everything else, and a last read of every
// mixer that names each loaded value the mixers do not hold. `load
// --dry-run FILE` stops after reading the mixers and prints what would
// change (diffcommand.cpp).

#include "base/dialogs.h"
#include "app/jobs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "cli/mixerread.h"
#include "cli/writeprogress.h"
#include "cli/diffcommand.h"
#include "cli/settingscheck.h"
#include "cli/settingssession.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/mixersync.h"
#include "mixer/writeoutcomes.h"
#include "settings/panelmodel.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"
#include "settings/settingsfile.h"
#include "settings/valuetext.h"

#include <QFileInfo>

#include <memory>

namespace {

namespace Msg {
constexpr int LoadUsage = 9761;
constexpr int NotLoaded = 9767;
constexpr int DryRunJson = 12711;
} // namespace Msg

bool anyPending(const MixerState &mixers)
{
    for (int m = 1; m <= mixers.MixerCount && m <= MaxMixers; ++m)
        if (mixers.anyPending(m))
            return true;
    return false;
}

} // namespace

QString checkLoadArgs(const QStringList &args)
{
    const CliFileArgs a = splitFileArgs(args, {QStringLiteral("--dry-run"), QStringLiteral("--json")});
    if (!a.ok || a.files.size() != 1)
        return str(Msg::LoadUsage);
    if (a.has(QStringLiteral("--json")) && !a.has(QStringLiteral("--dry-run")))
        return str(Msg::DryRunJson);
    return {};
}

CliExit runLoadCommand(CliContext &context, const QStringList &args)
{
    const CliFileArgs a = splitFileArgs(args, {QStringLiteral("--dry-run"), QStringLiteral("--json")});
    // A dry run only reads: no access check, which would write a value back.
    if (a.has(QStringLiteral("--dry-run")))
        return runLoadDryRun(context, a.files.first(), a.has(QStringLiteral("--json")));
    context.requireWriteAccess(QStringLiteral("load"));
    const QString path = a.files.first();
    SettingsTable checked;
    const QString problem = readSettingsForCommand(QStringLiteral("load"), path, checked);
    if (!problem.isEmpty()) {
        context.err() << problem << Qt::endl;
        return CliExit::NoMixer;
    }

    MdlComm *comm = context.comm();
    if (!comm)
        return CliExit::NoMixer;
    LoopState loop;
    MixerState mixers;
    MixerSync sync(*comm, loop, mixers);
    logWriteOutcomes(sync, context.activity());
    // The current values: the link count for the apply rule, the models that
    // choose the extension registers, and the values SetData compares with.
    // The extension registers are written from the master's record; reading
    // it first means a file that describes no mixer writes back what the
    // mixer holds instead of factory values.
    if (!cliReadMixers(context, *comm, loop, mixers))
        return CliExit::NoMixer;
    CliSettingsSession session(context, comm->dialogs(), loop, mixers, path);
    // Open: read, the link-count warning (shown, then accepted), the apply
    // step, which asks for the transfer job.
    if (!session.commands->openMenu(0)) {
        context.err() << str(Msg::NotLoaded).arg(QFileInfo(path).absoluteFilePath()) << Qt::endl;
        return CliExit::NoMixer;
    }
    if (loop.JobRequest != JobTransferLoaded)
        return CliExit::NoMixer; // no write access: nothing was applied

    const bool valuesWaiting = anyPending(mixers);
    const std::vector<WantedValue> wanted = flaggedValues(mixers);
    MixerProtocol protocol(*comm);
    JobContext job{loop, comm->state(), mixers, comm->dialogs(), protocol, nullptr, {}, {}, {}};
    job.SetData = [&] { return valuesWaiting ? sync.writePending() : false; };
    loop.JobRequest = JobIdle;
    WriteProgress progress(context, *comm, sync, mixers, int(wanted.size()), QStringLiteral("load"));
    const bool transferred = JobRunner(std::move(job)).transferLoaded();
    progress.finish();
    // A failed register write has shown its message and 1801.
    if (!transferred)
        return CliExit::NoMixer;
    if (!valuesWaiting)
        return CliExit::Ok;
    const SetDataOutcome &outcome = sync.lastOutcome();
    // SetData has shown 1803 when it gave up; say so too when no read-back came.
    if (!outcome.readBack) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    const CliExit held = reportValuesNotHeld(context, sync, mixers, wanted, "load");
    return outcome.verified ? held : CliExit::NoMixer;
}
