#include "app/ui/loophandlers.h"

#include "app/ui/directwindow.h"
#include "app/ui/frmmain.h"
#include "app/ui/frmmsg.h"
#include "app/ui/linksession.h"
#include "app/ui/mixerwindows.h"
#include "app/ui/modeswitch.h"
#include "app/ui/remoteoperation.h"
#include "app/virtualchain.h"
#include "app/world.h"
#include "base/strings.h"
#include "base/ui/accessnames.h"
#include "editor/ui/frmmixer.h"
#include "link/comm.h"
#include "link/ipsettings/frmipsetting.h"
#include "maintenance/frmprogressbar.h"
#include "maintenance/mdldownload.h"
#include "mixer/mixersync.h"
#include "panel/remotechannels.h"
#include "panel/ui/frmmdi.h"

#include <utility>

namespace {

// What a download sends, as its menu item names it.
QString downloadName(DownloadKind kind)
{
    switch (kind) {
    case DownloadKind::MainProgram: return accessibleWords(str(1221)); // MenDownMain
    case DownloadKind::Fpga: return accessibleWords(str(1222));        // MenDownFpga
    case DownloadKind::WriterProgram: return accessibleWords(str(1223)); // MenDownWrite
    case DownloadKind::ModelFile: return accessibleWords(str(1225));   // MenDownZKVR340a
    }
    return {};
}

} // namespace

LoopHandlers::LoopHandlers(Context context)
    : m_ctx(std::move(context)), m_world(m_ctx.world), m_main(m_ctx.main), m_session(m_ctx.session)
{
}

void LoopHandlers::afterPoll()
{
    if (m_ctx.endDue()) {
        m_ctx.disconnect();
        return;
    }
    m_ctx.mode.afterPoll();
    m_ctx.windows.refreshParameterGrid();
    // The link count or the panel may have changed: the remote clients hear of it.
    if (m_ctx.remote)
        m_ctx.remote->observe();
    // A mixer that was off the link when the panel closed gets back the
    // channel values the panel took from it as soon as it is counted again.
    if (!m_ctx.mode.panel() && remoteValuesOwed(m_world.panel.runtime))
        RemoteChannels(m_world.mixers, m_world.panel.runtime, m_session.sync(), &m_world.editor)
            .giveBackOwed(m_world.mixers.MixerCount);
    // Each poll comes before the values it found waiting are written: the
    // switches the panel took over are on disk before the first of them goes.
    m_ctx.keepHeldChannels();
}

void LoopHandlers::runDownload(DownloadKind kind)
{
    // From the first R to the end of the download the mixer takes nothing
    // else: no command of the main window may start meanwhile, also not in
    // the waits before the progress window is up.
    m_main.Menu_Enable(false);
    DownloadHooks hooks;
    hooks.masterModel = [this] { return int(m_world.mixers.Model[1]); };
    hooks.showProgress = [this](const std::function<bool()> &transfer,
                                const std::function<DownloadProgress()> &progress) {
        return runProgressWindow(&m_main, m_world.clock, transfer, progress);
    };
    hooks.beforeReconnect = [this] {
        if (m_ctx.ended())
            return false;
        m_session.placeNextDialogBelowMain();
        return true;
    };
    MdlDownLoad download(*m_session.comm(), m_world.dialogs, std::move(hooks));
    const MdlDownLoad::Outcome outcome = download.DownloadRun(int(kind));
    // A download the user called off sent nothing and is not an event.
    using O = MdlDownLoad::Outcome;
    if (outcome != O::NoRequest && outcome != O::LinkClosed && outcome != O::Cancelled)
        m_world.activity.add(ActivityKind::Download, 1, downloadName(kind),
                             outcome == O::Done ? ActivityOutcome::Done : ActivityOutcome::Failed);
    if (!m_ctx.ended())
        m_main.Menu_Enable(true);
}

void LoopHandlers::showJobWindow(const JobWork &work, PlaceMode place)
{
    m_session.jobs()->runJob(work, &m_main, place);
}

bool LoopHandlers::jobWindowVisible() const
{
    return m_session.jobs() && m_session.jobs()->jobWindowVisible();
}

void LoopHandlers::showDirect(bool read)
{
    openDirect(m_world, *m_session.jobs(), read, &m_main, m_direct);
}

void LoopHandlers::showIpSettings()
{
    IpSettingsHooks hooks;
    // Only an editor window that was on the screen comes back after the
    // reconnect: a download may have closed them all.
    QPointer<FrmMixer> hidden; // outlives the dialog, which runs to its end below
    hooks.hideWindows = [this, &hidden] {
        FrmMixer *w = m_ctx.windows.editor(m_ctx.windows.editorMixer());
        if (w && w->isVisible()) {
            w->hide();
            hidden = w;
        }
    };
    hooks.showEditor = [&hidden] {
        if (hidden)
            hidden->show();
    };
    // The address given to a virtual mixer is not the room's next address.
    IniConfig &ini = m_ctx.virtualChain ? m_ctx.virtualChain->scratchIni() : m_ctx.ini;
    JobWindow &jobs = *m_session.jobs();
    runIpSettings(*m_session.comm(), &m_world.jobs.pollHolds(), m_world.dialogs, ini, m_world.mixers.WriteAccess,
                  hooks, [&jobs](const IpJob &job, QWidget *over) { return jobs.runIpJob(job, over); }, &m_main);
}

void LoopHandlers::showPanel()
{
    m_ctx.mode.jobEnded();
}

void LoopHandlers::Disconnect()
{
    m_ctx.disconnect();
}
