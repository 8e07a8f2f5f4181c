#include "application.h"

#include "app/activitywords.h"
#include "app/ui/frmmain.h"
#include "app/ui/frmmsg.h"
#include "app/ui/linksession.h"
#include "app/ui/loophandlers.h"
#include "app/ui/mixerwindows.h"
#include "app/ui/modeswitch.h"
#include "app/ui/remoteoperation.h"
#include "remote/remoteserver.h"
#include "app/ui/virtualtitle.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "base/ui/placeform.h"
#include "base/ui/windowlosswatch.h"
#include "editor/ui/loadcompare.h"
#include "link/comm.h"
#include "mixer/mixersync.h"
#include "panel/designrecovery.h"
#include "panel/ui/frmmdi.h"
#include "settings/mixersections.h"
#include "settings/panelsections.h"

#include <QAction>
#include <QApplication>
#include <QDir>

#include <utility>

namespace {

constexpr int VirtualAnswersOn = 13249; // "The virtual mixers answer on %1"
const QString JournalSetting = QStringLiteral("View/LogJournal");

} // namespace

Application::Application(World &world, QStringList arguments)
    : m_world(world), m_arguments(std::move(arguments))
{
    const StartRequest request = parseStartArguments(m_arguments);
    m_operate = request.operate;
    m_virtualRequest = request.virtualChain;
    if (!request.ok())
        m_virtualRequest.ok = false;
    m_debug = isDebugCommandLine(m_virtualRequest.rest);
    // Each passphrase given at the panel is an access check of its own.
    m_lock.attempted = [this](bool right) {
        m_world.activity.add(ActivityKind::Access, 0, str(12113),
                             right ? ActivityOutcome::Done : ActivityOutcome::Refused);
    };
    m_lock.setClock(&m_world.clock);
    // A write is logged as the user knows the value: as the editor shows it,
    // a panel switch by its seat's caption.
    m_world.activity.setValueWords([this](int mixer, int key, qint32 value) {
        return writtenValueWords(m_world.panel, mixer, key, value);
    });
    // Every entry to the system's log too, when the command line or the
    // user's stored choice says so.
    m_journal = std::make_unique<ActivityJournal>(m_world.activity, m_systemLog);
    m_journal->setEnabled(m_arguments.contains(QStringLiteral("--log-journal"))
                          || readUserValue(JournalSetting) == QLatin1String("1"));
    m_world.jobs.setDrain([this] {
        if (MdlComm *link = comm())
            link->CommDrain();
    });
}

Application::~Application()
{
    m_windowWatch.reset();
    // The server goes first: its waiting answers refer to the windows' state.
    m_remote.reset();
    // The panel, the editors and the dialogs are top-level windows that refer
    // to this program's state: they go with it.
    m_mode.reset();
    m_windows.reset();
}

int Application::run()
{
    if (!m_virtualRequest.ok || !operateFileProblem(m_operate).isEmpty())
        return 2; // the command line was refused before the program started
    LoopState &loop = m_world.loop;
    loop.DataFileName = readDataFileName();
    loop.StartupPolls = 3;
    loop.PreviousMixerCount = 0;

    if (!m_start.chooseLink(m_virtual))
        return 1;
    // Offline no status poll ever comes to set the panel up: a save or a
    // visit to the panel before any file must find it as the reset leaves it.
    m_start.resetPanel();
    openMainWindow();
    if (m_ended)
        return 0;
    if (m_operate.operate())
        m_mode->armOperatorStart();
    // The channels come back before anything else is asked or opened.
    m_start.offerHeldChannels(m_held);
    if (!m_operate.operate())
        m_start.offerRecovery();

    loop.DataState = DataChanged;
    m_world.mixers.Model.fill(-1);
    if (!m_world.link.offline())
        m_world.mixers.Model[1] = sync()->ReadModel(1);
    if (m_ended)
        return 0;

    m_remote->start(m_arguments);
    m_handlers = std::make_unique<LoopHandlers>(LoopHandlers::Context{
        m_world, *m_main, *m_session, *m_windows, *m_mode, m_ini, m_virtual.get(), m_remote.get(),
        [this] { keepHeldChannels(); }, [this] { Disconnect(); }, [this] { return m_endAfterExchange; },
        [this] { return m_ended; }});
    m_loop = std::make_unique<JobLoop>(loop, m_world.jobs, m_world.link, m_world.clock, m_world.dialogs, *m_handlers,
                                       *sync());
    m_loop->run();
    m_remote->stop();
    return 0;
}

void Application::openMainWindow()
{
    if (m_debug)
        QDir::setCurrent(QCoreApplication::applicationDirPath());

    FrmMainContext ctx{m_world.link, m_world.jobs, m_world.dialogs,
                       [this] { return m_world.mixers.WriteAccess; },
                       [this] { return int(m_world.mixers.Model[1]); }};
    m_main = std::make_unique<FrmMain>(ctx, m_debug);
    if (m_virtual) {
        keepMarkInTitle(*m_main, m_virtual->mark());
        m_main->showLinkStatus(m_virtual->statusMark());
    }
    m_main->disconnect = [this] { Disconnect(); };
    m_windowWatch = std::make_unique<WindowLossWatch>();
    m_windowWatch->watch(m_main.get());
    wireSession();
    wireSessionEnd();
    wireSettings();
    wireWindows();
    wireRemote();
    m_main->show();
    m_session->connect(*m_main, *m_windows, m_remote.get());
    if (m_ended)
        return;
    m_session->checkAccess();
    m_main->action(QStringLiteral("MenDebugWrite"))->setEnabled(m_world.mixers.WriteAccess);
    if (!m_world.link.offline()) {
        m_windows->showFirstEditor();
        m_world.mixers.MixerCount = 1; // until the first status reply
    }
}

void Application::wireSession()
{
    LinkSession::Hooks hooks;
    hooks.setUpPanel = [this] { m_start.resetPanel(); };
    hooks.openFailed = [this] { Disconnect(); };
    m_session = std::make_unique<LinkSession>(m_world, m_ini, m_virtual.get(),
                                              [this] { return m_start.linkGiven().has_value(); }, std::move(hooks));
}

void Application::wireWindows()
{
    m_windows = std::make_unique<MixerWindows>(MixerWindows::Context{
        m_world, *m_main, *m_session, m_debug, [this] { return jobWindowVisible(); },
        [this] { return panelWindow(); }, virtualAddressLine()});
    m_windows->wireCommands();
    m_mode = std::make_unique<ModeSwitch>(ModeSwitch::Context{
        m_world, *m_main, *m_session, *m_windows, *m_settings, m_lock, *m_windowWatch, m_operate, m_virtual.get(),
        [this] { keepHeldChannels(); }, [this] { return m_ended; }});
    m_mode->wireCommand();
}

void Application::wireSettings()
{
    m_mixerSettings = std::make_unique<MixerStateSettings>(m_world.mixers);
    m_settings = std::make_unique<SettingsCommands>(m_world.settings, *m_mixerSettings,
                                                    m_world.panel, m_world.loop, m_world.link,
                                                    m_world.dialogs);
    FrmMain *main = m_main.get();
    QObject::connect(m_settings.get(), &SettingsCommands::transferRequested, main,
                     [this](bool everything) { m_world.jobs.request(JobWork::transferLoaded(everything)); });
    QObject::connect(main, &FrmMain::openRequested, main, [this] { m_settings->openMenu(ChangeMode::Ask); });
    m_settings->confirmSend = [this] {
        return confirmLoadSend(m_world.mixers, m_world.settings.SetDataTable, m_world.dialogs, m_main.get());
    };
    QObject::connect(main, &FrmMain::saveRequested, main, [this] { m_settings->saveMenu(ChangeMode::Ask); });
    QObject::connect(main, &FrmMain::saveAsRequested, main, [this] { m_settings->saveAsMenu(ChangeMode::Ask); });
    QObject::connect(m_settings.get(), &SettingsCommands::captionChanged, main,
                     &QWidget::setWindowTitle);
    main->confirmClose = [this] {
        // While the panel is up the main window is hidden: its close (the
        // desktop's, or the close box of a window mapped by hand) is the
        // panel's own, with its lock and its questions.
        if (FrmMdi *panel = panelWindow()) {
            panel->close();
            return false;
        }
        return m_settings->confirmClose();
    };
    // The recovery file goes once the design in it is saved or given up,
    // also while the panel is closed.
    const auto settled = [] { DesignRecovery().discard(); };
    QObject::connect(m_settings.get(), &SettingsCommands::changesAbandoned, main, settled);
    QObject::connect(m_settings.get(), &SettingsCommands::saved, main, [settled](const QString &, bool ok) {
        if (ok)
            settled();
    });
    QObject::connect(m_settings.get(), &SettingsCommands::loaded, main, [settled](const QString &, bool ok) {
        if (ok)
            settled();
    });
    m_settings->setScreenSize(m_start.screenTwips().width(), m_start.screenTwips().height());
    ActivityLog &log = m_world.activity;
    QObject::connect(m_settings.get(), &SettingsCommands::loaded, main, [&log](const QString &path, bool ok) {
        log.add(ActivityKind::Load, 0, path, ok ? ActivityOutcome::Done : ActivityOutcome::Failed);
    });
    QObject::connect(m_settings.get(), &SettingsCommands::saved, main, [&log](const QString &path, bool ok) {
        log.add(ActivityKind::Save, 0, path, ok ? ActivityOutcome::Done : ActivityOutcome::Failed);
    });
}

void Application::wireRemote()
{
    if (!m_remote) {
        RemoteHost host{m_world.mixers, m_world.panel, m_world.link, m_world.clock, {}, {}, {}, {}, {}, {}, {}, {}};
        host.panelOpen = [this] { return panelWindow() && panelWindow()->isVisible(); };
        host.executing = [this] { return panelWindow() && panelWindow()->isVisible() && panelWindow()->executing(); };
        // A remote tap is a left press on the panel's button.
        host.press = [this](int mixer, int slot) {
            return panelWindow() && panelWindow()->pressExecutionButton(ButtonRef{mixer, slot});
        };
        host.virtualMixers = [this] { return m_virtual != nullptr; };
        host.settingsFile = [this] { return m_world.settings.currentFileName; };
        host.blocked = &RemoteOperation::blockingWindow;
        host.meeting = [this]() -> MeetingConsole * { return panelWindow() ? &panelWindow()->meeting() : nullptr; };
        m_remote = std::make_unique<RemoteOperation>(std::move(host), m_world.dialogs);
    }
    QObject::connect(m_main.get(), &FrmMain::remoteRequested, m_main.get(),
                     [this] { m_remote->showDialog(m_main.get()); });
    m_main->setJournalChecked(m_journal->enabled());
    QObject::connect(m_main.get(), &FrmMain::journalToggled, m_main.get(), [this](bool on) {
        m_journal->setEnabled(on);
        writeUserValue(JournalSetting, on ? QStringLiteral("1") : QStringLiteral("0"));
    });
}

void Application::comeForward()
{
    // A modal window the program waits on (the link choice, a message) comes
    // first; then the panel in visual mode, else the main window.
    QWidget *w = QApplication::activeModalWidget();
    FrmMdi *panel = panelWindow();
    if (!w && panel && panel->isVisible())
        w = panel;
    if (!w)
        w = m_main.get();
    if (!w)
        return;
    bringForward(w);
    // Where the desktop does not let another program's request take the
    // focus, the window at least asks for attention.
    QApplication::alert(w);
}

QString Application::virtualAddressLine() const
{
    return m_virtual ? str(VirtualAnswersOn).arg(m_virtual->address()) : QString();
}

MdlComm *Application::comm() const
{
    return m_session ? m_session->comm() : nullptr;
}

MixerSync *Application::sync() const
{
    return m_session ? m_session->sync() : nullptr;
}

bool Application::jobWindowVisible() const
{
    return m_session && m_session->jobs() && m_session->jobs()->jobWindowVisible();
}

void Application::watchIdle()
{
    if (m_mode)
        m_mode->watchIdle();
}

FrmMdi *Application::panelWindow() const
{
    return m_mode ? m_mode->panel() : nullptr;
}

FrmMixer *Application::editor(int mixer) const
{
    return m_windows ? m_windows->editor(mixer) : nullptr;
}

SettingsDialog *Application::settingsDialog() const
{
    return m_windows ? m_windows->settingsDialog() : nullptr;
}

FrmActivity *Application::activityWindow() const
{
    return m_windows ? m_windows->activityWindow() : nullptr;
}

FrmParameter *Application::parameterGrid() const
{
    return m_windows ? m_windows->parameterGrid() : nullptr;
}
