// `set [--raw] MIXER KEY=VALUE [KEY=VALUE ...]`: submits the values to be sent
// (marked as given) and runs SetData, the program's own verified
// write, then reads every mixer again: exit 0 only when SetData verified and
// each given value holds; each one that does not is named. Opening the link
// runs the write-access check; without write access no value is written.
// Values are those the editor can set; --raw takes any the mixer can hold
// (every byte of the data block, a threshold of 15 bits).

#include "base/loopstate.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "cli/mixerread.h"
#include "cli/writeprogress.h"
#include "link/comm.h"
#include "mixer/mixersync.h"
#include "mixer/valueranges.h"
#include "mixer/writeoutcomes.h"

#include <utility>
#include <vector>

namespace {

namespace Msg {
constexpr int SetUsage = 9201;
constexpr int MixerRange = 9202;
constexpr int UnknownKey = 9203;
constexpr int NotAssignment = 9204;
constexpr int EditorRange = 13030;    // "set: %1=%2 is outside %3..%4, the values the editor can set (--raw ...: %5..%6)"
constexpr int HeldRange = 13031;      // "set: %1=%2 is outside %3..%4, what the mixer can hold"
constexpr int PriorityEcho = 13032;   // "set: %1 is not sent on its own: ..."
} // namespace Msg

const QString Raw = QStringLiteral("--raw");

// The value of one KEY=VALUE within what the editor can set, or with --raw
// within what the mixer can hold; an error text otherwise.
QString checkValue(const QString &key, int id, const QString &text, bool raw, int &value)
{
    // Priority_2..8 repeat the mixer's one priority switch: SetData never
    // sends them, so setting one could only fail to take.
    if (priorityEcho(id))
        return str(Msg::PriorityEcho).arg(key);
    const ValueRange editor = *editorRange(id);
    const ValueRange held = *mixerRange(id);
    bool ok = false;
    value = text.toInt(&ok);
    if (ok && (raw ? held : editor).contains(value))
        return {};
    if (raw)
        return str(Msg::HeldRange).arg(key, text).arg(held.low).arg(held.high);
    return str(Msg::EditorRange).arg(key, text).arg(editor.low).arg(editor.high).arg(held.low).arg(held.high);
}

// Parses [--raw] MIXER KEY=VALUE...; an error text on failure.
QString parseAssignments(QStringList args, int &mixer, std::vector<std::pair<int, int>> &values)
{
    const bool raw = args.removeAll(Raw) > 0;
    if (args.size() < 2)
        return str(Msg::SetUsage);
    mixer = args[0].toInt();
    if (mixer < 1 || mixer > MaxMixers)
        return str(Msg::MixerRange).arg(QStringLiteral("set"));
    for (const QString &a : args.mid(1)) {
        const int eq = int(a.indexOf(QLatin1Char('=')));
        if (eq <= 0)
            return str(Msg::NotAssignment).arg(a);
        const QString key = a.left(eq);
        const int id = mixerKeyId(key);
        if (id < MixerKey::FirstBlock || id > MixerKey::Threshold)
            return str(Msg::UnknownKey).arg(QStringLiteral("set"), key);
        int value = 0;
        if (const QString problem = checkValue(key, id, a.mid(eq + 1), raw, value); !problem.isEmpty())
            return problem;
        values.emplace_back(id, value);
    }
    return {};
}

} // namespace

QString checkSetMixerArgs(const QStringList &args)
{
    int mixer = 0;
    std::vector<std::pair<int, int>> values;
    return parseAssignments(args, mixer, values);
}

CliExit runSetMixerCommand(CliContext &context, const QStringList &args)
{
    context.requireWriteAccess(QStringLiteral("set"));
    int mixer = 0;
    std::vector<std::pair<int, int>> values;
    parseAssignments(args, mixer, values); // checked before the link was opened
    MdlComm *comm = context.comm();
    if (!comm)
        return CliExit::NoMixer;
    LoopState loop;
    MixerState mixers;
    MixerSync sync(*comm, loop, mixers);
    logWriteOutcomes(sync, context.activity());
    // The current values first: a mixer counted now gets its wanted values
    // from what it holds, so only the given keys differ.
    if (const auto failed = readLinkedMixer(context, sync, mixers, mixer, "set"))
        return *failed;
    for (const auto &[id, value] : values)
        sync.submit(mixer, id, value, Submit::Copy);
    const std::vector<WantedValue> wanted = flaggedValues(mixers);
    WriteProgress progress(context, *comm, sync, int(wanted.size()), QStringLiteral("set"));
    sync.writePending();
    progress.finish();
    const SetDataOutcome &outcome = sync.lastOutcome();
    // SetData has shown 1803 when it gave up; say so too when no read-back came.
    if (!outcome.readBack) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    const CliExit held = reportValuesNotHeld(context, sync, mixers, wanted, "set");
    return outcome.verified ? held : CliExit::NoMixer;
}
