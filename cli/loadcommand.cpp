// `load FILE`: sends a saved system to the linked mixers. The file is read
// and checked before the link is opened, so a file that cannot be used sends
// nothing at all. Then, as the program's open command and the transfer of
// loaded settings do: the access check (as the link opens), the mixers' current
// values, the mixer sections of the file into the values to send (as many
// mixers as the link-count rule allows), each extension register read and,
// where it differs, written and verified, SetData for everything else (the
// mixers read again, only the values that differ written, every value of the
// file read back), and a last read of every mixer that names each loaded
// value the mixers do not hold. `--full` writes every value, held or not.
// `load --dry-run FILE` stops after reading the mixers and prints what would
// change (diffcommand.cpp): the values a load writes.

#include "base/clock.h"
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
#include "mixer/extendedregisters.h"
#include "mixer/mixersync.h"
#include "mixer/parametertable.h"
#include "mixer/valuestate.h"
#include "mixer/writeoutcomes.h"
#include "settings/panelmodel.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"
#include "settings/settingsfile.h"
#include "settings/valuetext.h"

#include <QFileInfo>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

namespace Msg {
constexpr int LoadUsage = 9761;
constexpr int NotLoaded = 9767;
constexpr int DryRunJson = 12711;
constexpr int NotSent = 13010;     // "load: %1 holds %2 mixers and %3 are linked: the file's mixers %4 are not sent"
constexpr int KeepTheirs = 13011;  // "... mixers %4 keep the values they hold"
constexpr int AskAnyway = 13012;   // "Load it all the same? [y/N] "
constexpr int NeedsYes = 13013;    // "load: give --yes to load it all the same; nothing was sent"
constexpr int RegisterNotHeld = 13014; // "load: the mixers did not take %1=%2 (register %3); ..."
} // namespace Msg

// How long the mixers' values read as the command began count as read just
// now: the registers are read and written meanwhile, a second or so on a
// serial line of sixteen mixers.
constexpr double FreshReadSeconds = 3.0;

const QString DryRun = QStringLiteral("--dry-run");
const QString Json = QStringLiteral("--json");
const QString Yes = QStringLiteral("--yes");
const QString Raw = QStringLiteral("--raw");
const QString Full = QStringLiteral("--full");

bool anyPending(const MixerState &mixers)
{
    for (int m = 1; m <= mixers.MixerCount && m <= MaxMixers; ++m)
        if (mixers.anyPending(m))
            return true;
    return false;
}

// "3" or "3..5".
QString mixerSpan(int first, int last)
{
    return first == last ? QString::number(first) : QStringLiteral("%1..%2").arg(first).arg(last);
}

// The program asks before it loads a file of another link count. The tool
// says in its own words what the load does: the file's extra mixers are
// not sent; with fewer in the file, the linked mixers it lacks keep what
// they hold, which a script must accept with --yes and a person at the
// terminal is asked about.
bool acceptMixerCount(CliContext &context, const QString &path, int stored, int linked, bool yes)
{
    if (stored == linked)
        return true;
    const QString shown = QFileInfo(path).absoluteFilePath();
    if (stored > linked) {
        context.err() << str(Msg::NotSent).arg(shown).arg(stored).arg(linked).arg(mixerSpan(linked + 1, stored))
                      << Qt::endl;
        return true;
    }
    context.err() << str(Msg::KeepTheirs).arg(shown).arg(stored).arg(linked).arg(mixerSpan(stored + 1, linked))
                  << Qt::endl;
    if (yes)
        return true;
    if (::isatty(STDIN_FILENO) == 1) {
        context.err() << str(Msg::AskAnyway) << Qt::flush;
        char line[256] = {};
        const char *got = std::fgets(line, sizeof line, stdin);
        if (got && (line[0] == 'y' || line[0] == 'Y'))
            return true;
    }
    context.err() << str(Msg::NeedsYes) << Qt::endl;
    return false;
}

// Every value written came back in SetData's read-back, and every other one
// the mixers held when they were read: a last read would find them all as
// wanted. A value written that the read-back did not compare (a slave's
// KeyLock, a threshold not in use) or that failed takes the last read.
bool writesVerified(const MixerSync &sync, const std::vector<WantedValue> &wanted)
{
    for (const WantedValue &w : wanted) {
        const ValueStatus s = sync.valueStatus(w.mixer, w.id);
        const bool heldAlready = s.passes == 0 && s.state == ValueState::Settled;
        if (s.state != ValueState::Verified && !heldAlready)
            return false;
    }
    return true;
}

// A register write that the read-back did not confirm ends the transfer;
// name the value that did not take, as the file gives it.
void reportRegisterNotHeld(CliContext &context, const MixerState &mixers, const SettingsTable &file)
{
    for (int reg = 1; reg < ExtendedRegisterSlots; ++reg) {
        if (mixers.ExtendedWrite[size_t(reg)].state != ValueState::Failed)
            continue;
        const int key = extendedRegisterKey(reg);
        QString value = file.at(key, 0);
        if (value.isEmpty()) // a file of no mixers writes back what the master holds
            value = QString::number(mixers.ExtendedWrite[size_t(reg)].value);
        context.err() << str(Msg::RegisterNotHeld).arg(mixerKey(key), value).arg(reg) << Qt::endl;
    }
}

} // namespace

QString checkLoadArgs(const QStringList &args)
{
    const CliFileArgs a = splitFileArgs(args, {DryRun, Json, Yes, Raw, Full});
    if (!a.ok || a.files.size() != 1)
        return str(Msg::LoadUsage);
    if (a.has(Json) && !a.has(DryRun))
        return str(Msg::DryRunJson);
    return {};
}

// How the values of the file ended once SetData is done with them.
static CliExit judgeWrittenValues(CliContext &context, MixerSync &sync, const MixerState &mixers,
                                  const std::vector<WantedValue> &wanted)
{
    const SetDataOutcome &outcome = sync.lastOutcome();
    // SetData has shown 1803 when it gave up; say so too when no read-back came.
    if (!outcome.readBack) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    if (outcome.verified && writesVerified(sync, wanted))
        return CliExit::Ok;
    const CliExit held = reportValuesNotHeld(context, sync, mixers, wanted, "load");
    return outcome.verified ? held : CliExit::NoMixer;
}

CliExit runLoadCommand(CliContext &context, const QStringList &args)
{
    const CliFileArgs a = splitFileArgs(args, {DryRun, Json, Yes, Raw, Full});
    const ValueLimits limits = a.has(Raw) ? ValueLimits::Mixer : ValueLimits::Editor;
    // A dry run only reads: no access check, which would write a value back.
    if (a.has(DryRun))
        return runLoadDryRun(context, a.files.first(), a.has(Json), limits);
    context.requireWriteAccess(QStringLiteral("load"));
    const QString path = a.files.first();
    SettingsTable checked;
    const QString problem = readSettingsForCommand(QStringLiteral("load"), path, checked, limits);
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
    const double readAt = comm->clock().now();
    const ExtendedRecord heldRegisters = mixers.ExtendedData[1]; // the apply step writes the file's there
    if (!acceptMixerCount(context, path, storedMixerCount(checked).value_or(0), mixers.MixerCount, a.has(Yes)))
        return CliExit::NoMixer;
    CliSettingsSession session(context, comm->dialogs(), loop, mixers, path);
    session.commands->valueLimits = limits;
    bool transferAsked = false;
    QObject::connect(session.commands.get(), &SettingsCommands::transferRequested,
                     [&transferAsked] { transferAsked = true; });
    // Open: read, the link-count question (answered above), the apply
    // step, which asks for the transfer job.
    if (!session.commands->openMenu(ChangeMode::Ask)) {
        context.err() << str(Msg::NotLoaded).arg(QFileInfo(path).absoluteFilePath()) << Qt::endl;
        return CliExit::NoMixer;
    }
    if (!transferAsked)
        return CliExit::NoMixer; // no write access: nothing was applied

    const bool valuesWaiting = anyPending(mixers);
    const std::vector<WantedValue> wanted = flaggedValues(mixers);
    MixerProtocol protocol(*comm);
    JobContext job{comm->state(), mixers, comm->dialogs(), protocol, nullptr, {}, {}, {}, &context.activity()};
    job.SetData = [&](SendScope scope) {
        // The read as the command began stands for the one before the
        // writes, unless a question at the terminal held the load up.
        if (scope == SendScope::Differences && comm->clock().now() - readAt < FreshReadSeconds)
            scope = SendScope::DifferencesJustRead;
        if (valuesWaiting)
            sync.writeLoaded(scope);
        return valuesWaiting ? sync.lastOutcome() : SetDataOutcome{};
    };
    WriteProgress progress(context, *comm, sync, int(wanted.size()), QStringLiteral("load"));
    const bool fresh = comm->clock().now() - readAt < FreshReadSeconds;
    const bool transferred = JobRunner(std::move(job)).transferLoaded(a.has(Full), fresh ? &heldRegisters : nullptr);
    progress.finish();
    // A failed register write has shown its message and 1801.
    if (!transferred) {
        reportRegisterNotHeld(context, mixers, checked);
        return CliExit::NoMixer;
    }
    return valuesWaiting ? judgeWrittenValues(context, sync, mixers, wanted) : CliExit::Ok;
}
