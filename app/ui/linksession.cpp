#include "app/ui/linksession.h"

#include "app/ui/frmmain.h"
#include "app/ui/frmmsg.h"
#include "app/ui/mixerwindows.h"
#include "app/ui/remoteoperation.h"
#include "app/virtualchain.h"
#include "app/world.h"
#include "base/config.h"
#include "base/ui/placeform.h"
#include "editor/extendedentries.h"
#include "editor/ui/frmmixer.h"
#include "link/comm.h"
#include "link/ethernettransport.h"
#include "link/linkwatch.h"
#include "link/serialtransport.h"
#include "link/ui/frmethersetting.h"
#include "mixer/mixersync.h"
#include "mixer/writeoutcomes.h"

#include <utility>

namespace {

const QString SerialSection = QStringLiteral("RS232C");
const QString SerialKey = QStringLiteral("Port");
// Whether a lost Ethernet connection is re-established: "1" on, anything else off.
const QString IpSection = QStringLiteral("IP_Setting");
const QString ReconnectKey = QStringLiteral("Reconnect");

} // namespace

LinkSession::LinkSession(World &world, IniConfig &ini, VirtualChain *virtualChain, std::function<bool()> scripted,
                         Hooks hooks)
    : m_world(world), m_ini(ini), m_virtual(virtualChain), m_scripted(std::move(scripted)), m_hooks(std::move(hooks)),
      m_line(std::make_unique<LinkLine>())
{
}

LinkSession::~LinkSession() = default;

void LinkSession::connect(FrmMain &main, MixerWindows &windows, RemoteOperation *remote)
{
    m_main = &main;
    m_world.mixers.resetToStartValues();
    m_world.mixers.MixerCount = 0;
    m_world.jobs.clear();
    m_world.link.ReplyTimeUnit = PollUnitSeconds;

    LinkEndpoints ep;
    ep.serialPort = resolveSerialPort(m_ini.value(SerialSection, SerialKey));
    ep.tcpPort = resolveTcpPort(MixerTcpPort);
    ep.chooseEthernetAddress = [this](bool &userChose) { return chooseEthernetAddress(userChose); };
    ep.reconnect.enabled = m_ini.value(IpSection, ReconnectKey).trimmed() == QLatin1String("1");
    if (m_virtual)
        m_virtual->attach(ep, m_world.link, m_world.clock);
    m_comm = std::make_unique<MdlComm>(m_world.link, m_world.clock, m_world.dialogs, ep);
    m_comm->onOpenFailed = [this] { m_hooks.openFailed(); };
    m_watch = std::make_unique<LinkWatch>(m_world.dialogs, m_world.timeOfDay, [this](const QString &line) {
        if (m_main)
            m_main->showLinkStatus(line);
    });
    m_watch->showOn(*m_line);
    m_comm->onLinkStatus = [this](const MdlComm::LinkStatus &status) {
        m_watch->changed(status);
        m_world.activity.add(ActivityKind::Link, 0, m_line->text());
    };
    main.setReconnectChecked(ep.reconnect.enabled);
    QObject::connect(&main, &FrmMain::reconnectToggled, &main, [this](bool on) {
        m_ini.setValue(IpSection, ReconnectKey, on ? QStringLiteral("1") : QStringLiteral("0"));
        m_comm->setReconnect(on);
    });
    wireSync(main, windows);
    wireJobWindow(windows);
    m_sync->resetForConnect();
    if (remote)
        remote->linkOpened(m_sync.get());
    m_comm->CommOpen();
}

void LinkSession::checkAccess()
{
    // Writing is granted at once on links other than Ethernet.
    const AccessResult access = m_sync->CheckAccess();
    if (access != AccessResult::NotChecked)
        m_world.activity.add(ActivityKind::Access, 0, QString(),
                             m_world.mixers.WriteAccess ? ActivityOutcome::Done : ActivityOutcome::Refused);
}

void LinkSession::wireSync(FrmMain &main, MixerWindows &windows)
{
    m_sync = std::make_unique<MixerSync>(*m_comm, m_world.loop, m_world.mixers);
    // The open parameter grid marks a value as soon as it waits or fails.
    QObject::connect(&m_sync->events(), &SyncEvents::valueStateChanged, &m_sync->events(),
                     [&windows] { windows.refreshParameterGrid(); });
    logWriteOutcomes(*m_sync, m_world.activity);
    StatusPollHooks &hooks = m_sync->hooks();
    FrmMain *mainWindow = &main;
    hooks.Menu_Enable = [mainWindow](bool flag) { mainWindow->Menu_Enable(flag); };
    hooks.setUpPanel = [this] {
        if (!m_world.panel.setUp)
            m_hooks.setUpPanel();
    };
    hooks.writeFactoryTexts = [this](const FirstPollTexts &texts) {
        for (const auto &[id, text] : texts.fileTable)
            m_world.settings.FileTable.set(id, 0, text);
        for (const auto &[id, text] : texts.setDataTable)
            m_world.settings.SetDataTable.set(id, 0, text);
    };
    hooks.editorMixer = [&windows] { return windows.editorMixer(); };
    hooks.Enable_Control = [&windows](int mixer) {
        if (FrmMixer *w = windows.editor(mixer))
            w->Enable_Control();
    };
    hooks.ambientLevelShown = [&windows](int mixer, double level) {
        if (FrmMixer *w = windows.editor(mixer))
            w->showAmbientLevel(level);
    };
}

void LinkSession::wireJobWindow(MixerWindows &windows)
{
    m_jobs = std::make_unique<JobWindow>(m_world, *m_comm);
    m_jobs->SetData = [this](SendScope scope) {
        m_sync->writeLoaded(scope);
        return m_sync->lastOutcome();
    };
    // The extended write takes its values from the master's editor entries.
    m_extendedSource = std::make_unique<EditorExtendedSource>(
        [&windows]() -> std::optional<ExtendedEntries> {
            if (FrmMixer *w = windows.editor(1))
                return w->extendedEntries();
            return std::nullopt;
        },
        m_world.mixers.ExtendedData[1]);
    m_jobs->extendedValues = m_extendedSource.get();
    m_jobs->refreshExtendedDisplay = [&windows](int mixer) {
        if (FrmMixer *w = windows.editor(mixer))
            w->refreshExtendedDisplay();
    };
    m_jobs->markFirstReply = [this] { m_sync->noteReplyArrived(); };
}

void LinkSession::close()
{
    if (m_watch)
        m_watch->silence();
    if (m_comm)
        m_comm->CommClose();
}

bool LinkSession::up() const
{
    return !m_world.link.offline() && m_comm && m_comm->isOpen() && !m_comm->linkDown();
}

QString LinkSession::chooseEthernetAddress(bool &userChose)
{
    if (m_scripted()) {
        // Scripted start: no dialog, the INI file names the mixer.
        userChose = true;
        const QString address = m_ini.ipSettings().address;
        return address.isEmpty() ? QStringLiteral("192.168.100.200") : address;
    }
    std::function<void(QWidget &)> place;
    if (std::exchange(m_connectionBelowMain, false))
        place = [this](QWidget &dialog) { PlaceForm(&dialog, m_main, PlaceMode::Below); };
    return chooseEthernetTarget(m_world.clock, m_world.dialogs, m_ini, userChose, m_main, &m_connectAddress, place);
}

bool LinkSession::sendingMustWait(bool loopRunning, bool jobWindowOpen) const
{
    return up() && m_sync && m_sync->pendingValues() && loopRunning && (m_sync->busy() || jobWindowOpen);
}

bool LinkSession::sendBeforeClosing()
{
    if (!m_sync || !m_sync->pendingValues())
        return true;
    if (!up())
        return false;
    // The program is ending: mixers that do not answer are given up at once.
    m_sync->setEnding();
    m_world.jobs.request(JobWork::of(JobKind::Quit));
    m_sync->writePending();
    return m_sync->lastOutcome().verified;
}
