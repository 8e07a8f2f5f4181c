// `save FILE`: reads every linked mixer (thresholds, parameters, models and
// the extension registers), captures the values into the settings tables the
// way the program's save command does, with the control panel at its reset
// state, and writes the whole system to FILE. The file is written through a
// save file, so a failed save leaves any older FILE whole.

#include "base/dialogs.h"
#include "app/jobs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "cli/settingssession.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/mixersync.h"
#include "settings/panelmodel.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"

#include <QFileInfo>

#include <memory>

namespace {

namespace Msg {
constexpr int SaveUsage = 9760;
constexpr int NotWritten = 9762;
} // namespace Msg

} // namespace

QString checkSaveArgs(const QStringList &args)
{
    if (args.size() != 1 || args.first().isEmpty())
        return str(Msg::SaveUsage);
    return {};
}

CliExit runSaveCommand(CliContext &context, const QStringList &args)
{
    const QString path = args.first();
    MdlComm *comm = context.comm();
    if (!comm)
        return CliExit::NoMixer;
    LoopState loop;
    MixerState mixers;
    // Reading only: no access check, which would write a value back.
    if (!cliReadMixers(context, *comm, loop, mixers))
        return CliExit::NoMixer;
    CliSettingsSession session(context, comm->dialogs(), loop, mixers, path);
    // Save-as sets FileMixerCount to the link count and captures first.
    if (!session.commands->saveAsMenu(ChangeMode::Ask)) {
        context.err() << str(Msg::NotWritten).arg(QFileInfo(path).absoluteFilePath()) << Qt::endl;
        return CliExit::NoMixer;
    }
    return CliExit::Ok;
}
