// `save FILE`: reads every linked mixer (thresholds, parameters, models and
// the extension registers), captures the values into the settings tables the
// way the program's save command does, with the control panel at its reset
// state, and writes the whole system to FILE. The file is written through a
// save file, so a failed save leaves any older FILE whole.

#include "app/dialogs.h"
#include "app/jobs.h"
#include "app/loopstate.h"
#include "app/strings.h"
#include "cli/clicontext.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/mixersync.h"
#include "panel/panelmodel.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"

#include <QFileInfo>

#include <memory>

namespace {

namespace Msg {
constexpr int SaveUsage = 9760;
constexpr int NotWritten = 9762;
} // namespace Msg

// The settings commands ask for a file name and may ask questions. Here the
// file name is the one on the command line; the unsaved-changes questions
// have no meaning for a one-shot tool and are answered "yes" silently;
// everything else (errors, the link-count warning) goes on to the tool's
// own message stream.
class FileAnswerDialogs final : public Dialogs
{
public:
    FileAnswerDialogs(Dialogs &messages, QString path) : m_messages(messages), m_path(std::move(path)) {}

    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override
    {
        if (icon == MsgIcon::Question)
            return buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::Yes;
        return m_messages.message(text, buttons, icon, title);
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return m_path; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return m_path; }
    std::optional<QColor> color(const QColor &) override { return std::nullopt; }
    std::optional<QFont> font(const QFont &) override { return std::nullopt; }

private:
    Dialogs &m_messages;
    QString m_path;
};

} // namespace

// Shared with loadcommand.cpp.
std::unique_ptr<Dialogs> cliFileDialogs(Dialogs &messages, const QString &path)
{
    return std::make_unique<FileAnswerDialogs>(messages, path);
}

// The extended read job, run on the master; its values stand for every
// linked mixer, as the extension registers are the system's own.
bool cliReadExtended(MdlComm &comm, LoopState &loop, MixerState &mixers)
{
    MixerProtocol protocol(comm);
    JobRunner job(JobContext{loop, comm.state(), mixers, comm.dialogs(), protocol, nullptr, {}, {}, {}});
    if (!job.extendedRead())
        return false;
    for (int m = 2; m <= mixers.MixerCount && m <= MaxMixers; ++m)
        mixers.ExtendedData[size_t(m)] = mixers.ExtendedData[1];
    return true;
}

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
    MixerSync sync(*comm, loop, mixers);
    // Reading only: no access check, which would write a value back.
    if (!sync.readAll() || mixers.MixerCount < 1) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return CliExit::NoMixer;
    }
    // A failed read has shown 1801; a file with guessed extended values
    // would be worse than none.
    if (!cliReadExtended(*comm, loop, mixers))
        return CliExit::NoMixer;

    SettingsFiles files;
    MixerStateSettings mixerSettings(mixers);
    PanelState panel;
    panel.defaults = PanelDefaults::fromStrings();
    PanelContext panelContext;
    panelContext.linkKind = context.linkState().linkKind;
    panelContext.mixerCount = mixers.MixerCount;
    ResetPanel(panel, mixers.FileMixerCount, panelContext);

    const std::unique_ptr<Dialogs> dialogs = cliFileDialogs(comm->dialogs(), path);
    SettingsCommands commands(files, mixerSettings, panel, loop, context.linkState(), *dialogs);
    // Save-as sets FileMixerCount to the link count and captures first.
    if (!commands.saveAsMenu(0)) {
        context.err() << str(Msg::NotWritten).arg(QFileInfo(path).absoluteFilePath()) << Qt::endl;
        return CliExit::NoMixer;
    }
    return CliExit::Ok;
}
