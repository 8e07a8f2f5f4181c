// `load FILE`: sends a saved system to the linked mixers. The file is read
// and checked before the link is opened, so a file that cannot be used sends
// nothing at all. Then, as the program's open command and the transfer of
// loaded settings do: the access check (as the link opens), the mixers' current
// values, the mixer sections of the file into the values to send (as many
// mixers as the link-count rule allows), the extension registers written and
// verified one by one, SetData for everything else, and a last read of every
// mixer that names each loaded value the mixers do not hold.

#include "base/dialogs.h"
#include "app/jobs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "cli/mixerread.h"
#include "cli/settingssession.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/mixersync.h"
#include "settings/panelmodel.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"
#include "settings/settingsfile.h"
#include "settings/valuetext.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

namespace Msg {
constexpr int LoadUsage = 9761;
constexpr int Missing = 9763;
constexpr int Unreadable = 9764;
constexpr int BadLine = 9765;
constexpr int BadCount = 9766;
constexpr int NotLoaded = 9767;
constexpr int TooLarge = 9768;
} // namespace Msg

// The reader refuses larger files; a file that big is not one of ours.
constexpr qint64 MaxSettingsFileBytes = 16 * 1024 * 1024;

// Byte offsets just past each line end (CR LF, CR or LF), as the reader
// splits lines. Neither CR nor LF occurs inside a two-byte CP932 character,
// so every such prefix decodes on its own.
std::vector<qsizetype> lineEnds(const QByteArray &bytes)
{
    std::vector<qsizetype> ends;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        if (bytes[i] == '\r' || bytes[i] == '\n')
            ends.push_back(i + 1);
    }
    if (ends.empty() || ends.back() != n)
        ends.push_back(n);
    return ends;
}

// The number (from 1) of the first line the reader refuses. A prefix of the
// file reads when all its lines do, so the first bad line is found by
// halving.
int firstBadLine(const QByteArray &bytes, const SetDataKeyTable &keys)
{
    const std::vector<qsizetype> ends = lineEnds(bytes);
    auto prefixReads = [&](size_t lines) {
        SettingsTable scratch;
        return readSettingsBytes(bytes.left(ends[lines - 1]), keys, scratch);
    };
    size_t good = 0, bad = ends.size(); // prefixes of `good` lines read, of `bad` lines do not
    while (bad - good > 1) {
        const size_t mid = good + (bad - good) / 2;
        (prefixReads(mid) ? good : bad) = mid;
    }
    return int(bad);
}

// Reads FILE as the open command will; an error text naming the file when
// the command would refuse it.
QString checkSettingsFile(const QString &path)
{
    const QString shown = QFileInfo(path).absoluteFilePath();
    const SetDataKeyTable keys = SetDataKeyTable::build();
    SettingsTable table;
    resetFileTable(table);
    if (!ReadSettingsFile(path, keys, table)) {
        QFile file(path);
        if (!file.exists())
            return str(Msg::Missing).arg(shown);
        if (!file.open(QIODevice::ReadOnly))
            return str(Msg::Unreadable).arg(shown, file.errorString());
        if (file.size() > MaxSettingsFileBytes)
            return str(Msg::TooLarge).arg(shown);
        return str(Msg::BadLine).arg(shown).arg(firstBadLine(file.readAll(), keys));
    }
    const QString &count = table.at(0, SettingsGrid::SystemSection);
    if (!count.isEmpty() && !parseWhole(count, 0, SettingsGrid::MaxMixers))
        return str(Msg::BadCount).arg(shown, count);
    return {};
}

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
    if (args.size() != 1 || args.first().isEmpty())
        return str(Msg::LoadUsage);
    return {};
}

CliExit runLoadCommand(CliContext &context, const QStringList &args)
{
    context.requireWriteAccess(QStringLiteral("load"));
    const QString path = args.first();
    const QString problem = checkSettingsFile(path);
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
    job.SetData = [&] { return valuesWaiting ? sync.SetData() : false; };
    loop.JobRequest = JobIdle;
    // A failed register write has shown its message and 1801.
    if (!JobRunner(std::move(job)).transferLoaded())
        return CliExit::NoMixer;
    if (!valuesWaiting)
        return CliExit::Ok;
    const SetDataOutcome &outcome = sync.setData().outcome();
    // SetData has shown 1803 when it gave up; say so too when no read-back came.
    if (!outcome.readBack) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    const CliExit held = reportValuesNotHeld(context, sync, mixers, wanted, "load");
    return outcome.verified ? held : CliExit::NoMixer;
}
