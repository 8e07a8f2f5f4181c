#include "cli/settingssession.h"

#include "app/jobs.h"
#include "base/loopstate.h"
#include "base/strings.h"
#include "cli/clicontext.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/activitylog.h"
#include "mixer/mixersync.h"

namespace {

// The settings commands ask for a file name and may ask questions. Here the
// file name is the one on the command line. The questions are the tool's
// to answer, never to print: the unsaved-changes questions have no meaning
// for a one-shot tool, and the link-count question the command has settled
// in its own words before the load. Every box that only tells (an error, a
// file whose panel values were brought into range) goes on to the tool's
// own message stream.
class FileAnswerDialogs final : public Dialogs
{
public:
    FileAnswerDialogs(Dialogs &messages, QString path) : m_messages(messages), m_path(std::move(path)) {}

    MsgAnswer message(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title) override
    {
        switch (buttons) {
        case MsgButtons::Ok: return m_messages.message(text, buttons, icon, title);
        case MsgButtons::OkCancel: return MsgAnswer::Ok;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: break;
        }
        return MsgAnswer::Yes;
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

bool cliReadMixers(CliContext &context, MdlComm &comm, LoopState &loop, MixerState &mixers)
{
    MixerSync sync(comm, loop, mixers);
    if (!sync.readAll() || mixers.MixerCount < 1) {
        context.err() << str(StrId::NoResponse) << Qt::endl;
        return false;
    }
    // A failed extended read has shown 1801; guessed extended values would
    // be worse than none.
    MixerProtocol protocol(comm);
    JobRunner job(JobContext{comm.state(), mixers, comm.dialogs(), protocol, nullptr, {}, {}, {}, nullptr});
    if (!job.extendedRead())
        return false;
    for (int m = 2; m <= mixers.MixerCount && m <= MaxMixers; ++m)
        mixers.ExtendedData[size_t(m)] = mixers.ExtendedData[1];
    return true;
}

CliSettingsSession::CliSettingsSession(CliContext &context, Dialogs &messages, LoopState &loop,
                                       MixerState &mixers, const QString &path)
    : mixerSettings(mixers), dialogs(std::make_unique<FileAnswerDialogs>(messages, path))
{
    panel.defaults = PanelDefaults::fromStrings();
    PanelContext panelContext;
    panelContext.linkKind = context.linkState().linkKind;
    panelContext.mixerCount = mixers.MixerCount;
    ResetPanel(panel, mixers.FileMixerCount, panelContext);
    commands = std::make_unique<SettingsCommands>(files, mixerSettings, panel, loop,
                                                  context.linkState(), *dialogs);
    ActivityLog &log = context.activity();
    QObject::connect(commands.get(), &SettingsCommands::loaded, commands.get(), [&log](const QString &p, bool ok) {
        log.add(ActivityKind::Load, 0, p, ok ? ActivityOutcome::Done : ActivityOutcome::Failed);
    });
    QObject::connect(commands.get(), &SettingsCommands::saved, commands.get(), [&log](const QString &p, bool ok) {
        log.add(ActivityKind::Save, 0, p, ok ? ActivityOutcome::Done : ActivityOutcome::Failed);
    });
}
