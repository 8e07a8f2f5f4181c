#include "application.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/placement.h"
#include "base/strings.h"
#include "app/activitywords.h"
#include "app/ui/frmactivity.h"
#include "app/ui/frminterface.h"
#include "app/ui/frmmain.h"
#include "app/ui/frmmsg.h"
#include "app/ui/frmselect.h"
#include "app/ui/frmver.h"
#include "app/ui/virtualtitle.h"
#include "base/ui/accessnames.h"
#include "app/ui/remoteoperation.h"
#include "remote/remoteserver.h"
#include "base/ui/placeform.h"
#include "base/ui/windowlosswatch.h"
#include "link/ipsettings/frmipsetting.h"
#include "app/ui/directwindow.h"
#include "maintenance/frmprogressbar.h"
#include "maintenance/mdldownload.h"
#include "app/ui/frmdialogchoice.h"
#include "editor/extendedentries.h"
#include "editor/parametergrid.h"
#include "editor/ui/frmmixer.h"
#include "editor/ui/frmparameter.h"
#include "editor/ui/loadcompare.h"
#include "editor/ui/settingsdialog.h"
#include "link/comm.h"
#include "link/ethernettransport.h"
#include "link/linkwatch.h"
#include "link/serialtransport.h"
#include "link/ui/frmethersetting.h"
#include "mixer/mixersync.h"
#include "panel/designrecovery.h"
#include "mixer/writeoutcomes.h"
#include "panel/remotechannels.h"
#include "settings/panelsections.h"
#include "panel/twips.h"
#include "panel/ui/frmmdi.h"
#include "panel/ui/panelsurface.h"
#include "print/ui/mdlprint.h"
#include "settings/mixersections.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QSerialPortInfo>
#include <QToolBar>
#include <QVBoxLayout>

#include <cstdio>
#include <utility>

namespace {

constexpr int VirtualOn = 13243;        // "virtual mixers on 127.0.0.1:%1"
constexpr int VirtualAnswersOn = 13249; // "The virtual mixers answer on %1"

const QString SerialSection = QStringLiteral("RS232C");
const QString SerialKey = QStringLiteral("Port");
// Whether a lost Ethernet connection is re-established: "1" on, anything else off.
const QString IpSection = QStringLiteral("IP_Setting");
const QString ReconnectKey = QStringLiteral("Reconnect");

QStringList serialPortNames()
{
    QStringList names;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        names << info.systemLocation();
    return names;
}

// The screen in twips, for the panel's default button and table window.
QSize screenTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {1920 * 15, 1080 * 15};
    const TwipScale scale = TwipScale::fromDpi(screen->logicalDotsPerInchX());
    return {scale.toTwips(screen->geometry().width()), scale.toTwips(screen->geometry().height())};
}

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

// A window asked for again while it is open comes to the front instead of
// opening a second one.
void bringForward(QWidget *w)
{
    if (w->isMinimized())
        w->showNormal();
    w->show();
    w->raise();
    w->activateWindow();
}

// Where the panel runs: the link and the screen (in twips).
PanelContext panelContextOf(const World &world, const QSize &screen)
{
    PanelContext ctx;
    ctx.linkKind = world.link.linkKind;
    ctx.mixerCount = world.mixers.MixerCount;
    ctx.screenWidth = screen.width();
    ctx.screenHeight = screen.height();
    return ctx;
}

} // namespace

Application::Application(World &world, QStringList arguments)
    : m_world(world), m_arguments(std::move(arguments)), m_linkLine(std::make_unique<LinkLine>())
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
    m_world.jobs.setDrain([this] {
        if (m_comm)
            m_comm->CommDrain();
    });
}

Application::~Application()
{
    m_windowWatch.reset();
    // The server goes first: its waiting answers refer to the windows' state.
    m_remote.reset();
    // The editor and panel windows are top-level windows that refer to this
    // program's state: they go with it, not with a later turn of the event
    // loop that the state would not outlive.
    delete m_panel.data();
    delete m_settingsDialog.data();
    delete m_parameterGrid.data();
    delete m_activity.data();
    for (QPointer<FrmMixer> &editor : m_editors)
        delete editor.data();
}

FrmMixer *Application::editor(int mixer) const
{
    return mixer >= 1 && mixer <= MaxMixers ? m_editors[size_t(mixer)].data() : nullptr;
}

void Application::wireSync()
{
    m_sync = std::make_unique<MixerSync>(*m_comm, m_world.loop, m_world.mixers);
    // The open parameter grid marks a value as soon as it waits or fails.
    QObject::connect(&m_sync->events(), &SyncEvents::valueStateChanged, &m_sync->events(),
                     [this] { refreshParameterGrid(); });
    logWriteOutcomes(*m_sync, m_world.activity);
    StatusPollHooks &hooks = m_sync->hooks();
    hooks.Menu_Enable = [this](bool flag) {
        if (m_main)
            m_main->Menu_Enable(flag);
    };
    hooks.setUpPanel = [this] {
        if (!m_world.panel.setUp)
            resetPanel();
    };
    hooks.writeFactoryTexts = [this](const FirstPollTexts &texts) {
        for (const auto &[id, text] : texts.fileTable)
            m_world.settings.FileTable.set(id, 0, text);
        for (const auto &[id, text] : texts.setDataTable)
            m_world.settings.SetDataTable.set(id, 0, text);
    };
    hooks.editorMixer = [this] { return m_editorMixer; };
    hooks.Enable_Control = [this](int mixer) {
        if (FrmMixer *w = editor(mixer))
            w->Enable_Control();
    };
    hooks.ambientLevelShown = [this](int mixer, double level) {
        if (FrmMixer *w = editor(mixer))
            w->showAmbientLevel(level);
    };
}

void Application::resetPanel()
{
    ResetPanel(m_world.panel, m_world.mixers.FileMixerCount, panelContextOf(m_world, screenTwips()));
}

void Application::offerRecovery()
{
    const DesignRecovery recovery;
    const std::optional<QDateTime> written = recovery.leftBehind();
    if (!written)
        return;
    if (m_world.dialogs.message(recovery.question(*written), MsgButtons::YesNo, MsgIcon::Question,
                                str(StrId::AppTitle))
        != MsgAnswer::Yes) {
        // Declined: the user gives that design up.
        recovery.discard();
        return;
    }
    if (!recovery.takeInto(m_world.settings.SetDataTable, m_world.settings.keyTable, m_world.dialogs))
        return;
    // The panel takes it now, so that a save before the panel opens stores
    // it too; it counts as unsaved (and its file stays) until it is saved or
    // given up. Offline the mixer count is the design's, as after a load.
    if (m_world.link.offline())
        m_world.mixers.takeInOfflineMixers(storedMixerCount(m_world.settings.SetDataTable).value_or(0));
    ApplyPanel(m_world.panel, m_world.mixers.FileMixerCount, m_world.settings.SetDataTable,
               panelContextOf(m_world, screenTwips()), true);
    m_world.panel.setUp = true;
    m_world.settings.recovered = true;
    m_world.loop.DataState = DataChanged;
}

void Application::wireSettings()
{
    m_mixerSettings = std::make_unique<MixerStateSettings>(m_world.mixers);
    m_settings = std::make_unique<SettingsCommands>(m_world.settings, *m_mixerSettings,
                                                    m_world.panel, m_world.loop, m_world.link,
                                                    m_world.dialogs);
    FrmMain *main = m_main.get();
    QObject::connect(m_settings.get(), &SettingsCommands::transferRequested, main,
                     [this] { m_world.jobs.request(JobWork::of(JobKind::TransferLoaded)); });
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
        if (m_panel) {
            m_panel->close();
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
    const QSize screen = screenTwips();
    m_settings->setScreenSize(screen.width(), screen.height());
    QObject::connect(main, &FrmMain::showMixerRequested, main, [this] { onShowMixer(); });
    QObject::connect(main, &FrmMain::modeChangeRequested, main, [this] { onModeChange(); });
    QObject::connect(main, &FrmMain::arrangeRequested, main, [this] { onArrange(); });
    QObject::connect(main, &FrmMain::versionRequested, main, [this] {
        if (m_version)
            bringForward(m_version);
        else
            m_version = showVersionDialog(m_main.get(), {}, virtualAddressLine());
    });
    QObject::connect(main, &FrmMain::settingsDialogRequested, main, [this] { chooseSettingsDialog(); });
    QObject::connect(main, &FrmMain::activityRequested, main, [this] { showActivity(); });
    ActivityLog &log = m_world.activity;
    QObject::connect(m_settings.get(), &SettingsCommands::loaded, main, [&log](const QString &path, bool ok) {
        log.add(ActivityKind::Load, 0, path, ok ? ActivityOutcome::Done : ActivityOutcome::Failed);
    });
    QObject::connect(m_settings.get(), &SettingsCommands::saved, main, [&log](const QString &path, bool ok) {
        log.add(ActivityKind::Save, 0, path, ok ? ActivityOutcome::Done : ActivityOutcome::Failed);
    });
    QObject::connect(main, &FrmMain::printRequested, main, [this] { printEditor(); });
}

EditorEnv Application::editorEnv()
{
    return EditorEnv{m_world.mixers, m_world.editor, *m_sync, &m_world.timeOfDay};
}

FrmMixerContext Application::editorContext()
{
    return FrmMixerContext{
        editorEnv(),
        m_editorJobs,
        m_world.link,
        m_world.dialogs,
        [this](bool on) {
            if (m_main)
                m_main->action(QStringLiteral("MenPrint"))->setEnabled(on);
        },
        [this](int item) { showParameterGrid(item); },
        m_linkLine.get()};
}

void Application::refreshParameterGrid()
{
    if (m_parameterGrid && m_sync)
        m_parameterGrid->setGrid(::parameterGrid(m_gridItem, m_world.mixers, m_sync->ambientLevel(), m_sync.get()));
}

void Application::showParameterGrid(int item)
{
    m_gridItem = item;
    const ParameterGrid grid = ::parameterGrid(item, m_world.mixers, m_sync->ambientLevel(), m_sync.get());
    if (!m_parameterGrid) {
        auto *w = new FrmParameter;
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setGrid(grid);
        // Over the editor that asked, where the user is looking.
        if (FrmMixer *editorWindow = editor(m_editorMixer))
            PlaceForm(w, editorWindow, PlaceMode::Centred);
        m_parameterGrid = w;
    } else {
        m_parameterGrid->setGrid(grid);
    }
    // In front and with the keyboard, whether a double-click or a key asked.
    bringForward(m_parameterGrid);
}

std::optional<PanelGeometry> Application::panelGeometry() const
{
    if (!m_panel || !m_panel->isVisible())
        return std::nullopt;
    PanelGeometry g;
    g.origin = m_panel->surface()->mapToGlobal(QPoint(0, 0));
    g.size = m_panel->frameGeometry().size();
    g.toolbarHeight = m_panel->Toolbar1()->height();
    g.twipsPerPixel = m_panel->scale().twipsPerPixel;
    return g;
}

void Application::openSettingsDialog(QWidget *parent, std::function<void()> closed)
{
    SettingsDialogContext ctx{editorEnv(), m_world.dialogs, [this] { return panelGeometry(); },
                              m_world.link.offline()};
    m_settingsDialog = ::openSettingsDialog(std::move(ctx), parent, std::move(closed));
}

ChannelDialogSeam Application::channelDialogSeam()
{
    ChannelDialogSeam seam;
    seam.open = [this](const ChannelDialogRequest &request, std::function<void()> closed) {
        m_world.editor.aimSettingsDialog(request.mixer, request.slot, request.left, request.top);
        openSettingsDialog(m_panel, std::move(closed));
    };
    seam.close = [this] {
        if (m_settingsDialog)
            m_settingsDialog->close();
    };
    return seam;
}

void Application::chooseSettingsDialog()
{
    if (m_settingsDialog && m_settingsDialog->isVisible()) {
        m_settingsDialog->raise();
        return;
    }
    auto *dlg = new FrmDialogChoice(m_world.mixers.MixerCount, m_main.get());
    dlg->onChosen = [this](int dialogMixer, int slot) {
        m_world.editor.aimSettingsDialog(dialogMixer, slot);
        openSettingsDialog(m_main.get(), {});
    };
    PlaceForm(dlg, m_main.get(), PlaceMode::Below);
    dlg->show();
}

FrmMixer *Application::showEditor(int mixer)
{
    QPointer<FrmMixer> &slot = m_editors[size_t(mixer)];
    if (!slot) {
        auto *w = new FrmMixer(editorContext(), mixer, m_debug);
        w->setAttribute(Qt::WA_DeleteOnClose);
        slot = w;
    }
    slot->setWindowTitle(MixerName(mixer));
    m_editorMixer = mixer;
    slot->show();
    return slot;
}

void Application::unloadEditor(int mixer)
{
    if (QWidget *w = m_editors[size_t(mixer)])
        w->close();
    m_world.mixers.setEditorOpen(mixer, false);
}

void Application::unloadActiveEditors()
{
    for (int m = 1; m <= MaxMixers; ++m)
        if (m_world.mixers.EditorOpen[size_t(m)])
            unloadEditor(m);
}

void Application::printEditor()
{
    // The command is offered while an editor window is open: the one the
    // editor shows now, loaded again should it have gone meanwhile.
    FrmMixer *w = editor(m_editorMixer);
    if (!w && m_editorMixer >= 1)
        w = showEditor(m_editorMixer);
    if (w)
        printWindow(w, m_world.dialogs, m_main.get());
}

void Application::openSelect()
{
    if (m_select) {
        bringForward(m_select);
        return;
    }
    auto *dlg = new FrmSelect(m_world.mixers.MixerCount, m_main.get());
    dlg->onChosen = [this](int mixer) {
        for (int m = 1; m <= MaxMixers; ++m)
            if (m != mixer && m_world.mixers.EditorOpen[size_t(m)])
                unloadEditor(m);
        // The chosen editor comes to the front also when it was open.
        bringForward(showEditor(mixer));
    };
    PlaceForm(dlg, m_main.get(), PlaceMode::Below);
    m_select = dlg;
    dlg->show();
}

void Application::showActivity()
{
    if (m_activity) {
        bringForward(m_activity);
        return;
    }
    auto *w = new FrmActivity(m_world.activity, m_world.dialogs);
    w->setAttribute(Qt::WA_DeleteOnClose);
    PlaceForm(w, m_main.get(), PlaceMode::Below);
    m_activity = w;
    w->show();
}

void Application::onShowMixer()
{
    if (!jobWindowVisible()) {
        openSelect();
        return;
    }
    if (!m_timer1) {
        m_timer1 = std::make_unique<QTimer>();
        m_timer1->setInterval(100);
        QObject::connect(m_timer1.get(), &QTimer::timeout, m_timer1.get(), [this] {
            if (jobWindowVisible())
                return;
            m_timer1->stop();
            openSelect();
        });
    }
    m_timer1->start();
}

void Application::onModeChange()
{
    for (int m = 1; m <= MaxMixers; ++m)
        if (m_world.mixers.EditorOpen[size_t(m)] && m_editors[size_t(m)]) {
            m_editorPosition = m_editors[size_t(m)]->pos();
            unloadEditor(m);
        }
    if (m_select)
        m_select->close();
    // The grid and a dialog opened from the DEBUG menu belong to mixer mode.
    if (m_parameterGrid)
        m_parameterGrid->close();
    if (m_settingsDialog)
        m_settingsDialog->close();
    if (jobWindowVisible()) {
        // The loop switches once the job has ended.
        m_world.jobs.request(JobWork::of(JobKind::ModeChange));
        m_main->setEnabled(false);
        return;
    }
    showPanel();
}

void Application::onArrange()
{
    m_main->move(0, 0);
    std::vector<QWidget *> windows;
    for (int m = 1; m <= MaxMixers; ++m)
        if (m_world.mixers.EditorOpen[size_t(m)] && m_editors[size_t(m)])
            windows.push_back(m_editors[size_t(m)]);
    // First one in front, each next one directly behind the previous one.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->raise();
    std::vector<QWidget *> shown;
    for (QWidget *w : windows)
        if (!w->isMinimized())
            shown.push_back(w);
    const QSize screen = m_main->screen() ? m_main->screen()->availableGeometry().size() : QSize(1920, 1080);
    const auto positions = cascadePositions(int(shown.size()), m_main->frameGeometry().size(),
                                            m_editorHeight, screen.height());
    for (size_t i = 0; i < shown.size(); ++i)
        shown[i]->move(positions[i]);
}

std::optional<LinkKind> Application::presetLink()
{
    const QString v = qEnvironmentVariable("ZKVR340A_LINK").toLower();
    if (v == QLatin1String("rs232c")) return LinkKind::Rs232c;
    if (v == QLatin1String("usb")) return LinkKind::Usb;
    if (v == QLatin1String("offline")) return LinkKind::Offline;
    if (v == QLatin1String("ethernet")) return LinkKind::Ethernet;
    return std::nullopt;
}

int Application::run()
{
    if (!m_virtualRequest.ok || !operateFileProblem(m_operate).isEmpty())
        return 2; // the command line was refused before the program started
    LoopState &loop = m_world.loop;
    loop.DataFileName = readDataFileName();
    loop.StartupPolls = 3;
    loop.PreviousMixerCount = 0;

    if (!chooseLink())
        return 1;
    // Offline no status poll ever comes to set the panel up: a save or a
    // visit to the panel before any file must find it as the reset leaves it.
    resetPanel();
    openMainWindow();
    if (m_ended)
        return 0;
    if (m_operate.operate()) {
        // Online the panel waits for the mixers to be counted (afterPoll);
        // offline there is nothing to wait for.
        m_operatePending = true;
        watchInputFor(m_lock, m_main.get());
        m_idleWatch = std::make_unique<QTimer>();
        m_idleWatch->setInterval(1000);
        QObject::connect(m_idleWatch.get(), &QTimer::timeout, m_main.get(), [this] { watchIdle(); });
        m_idleWatch->start();
        if (m_world.link.offline())
            QTimer::singleShot(0, m_main.get(), [this] { startOperating(); });
    }
    // The channels come back before anything else is asked or opened.
    offerHeldChannels();
    if (!m_operate.operate())
        offerRecovery();

    loop.DataState = DataChanged;
    m_world.mixers.Model.fill(-1);
    if (!m_world.link.offline())
        m_world.mixers.Model[1] = m_sync->ReadModel(1);
    if (m_ended)
        return 0;

    m_remote->start(m_arguments);
    m_loop = std::make_unique<JobLoop>(loop, m_world.jobs, m_world.link, m_world.clock, m_world.dialogs, *this, *m_sync);
    m_loop->run();
    m_remote->stop();
    return 0;
}

void Application::comeForward()
{
    // A modal window the program waits on (the link choice, a message) comes
    // first; then the panel in visual mode, else the main window.
    QWidget *w = QApplication::activeModalWidget();
    if (!w && m_panel && m_panel->isVisible())
        w = m_panel;
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

std::optional<LinkKind> Application::linkGiven() const
{
    return m_operate.link ? m_operate.link : presetLink();
}

bool Application::chooseLink()
{
    int virtualMixers = m_virtualRequest.mixers;
    if (virtualMixers == 0 && linkGiven()) {
        m_world.link.linkKind = *linkGiven();
    } else if (virtualMixers == 0) {
        FrmInterface dlg(serialPortNames(), m_ini.value(SerialSection, SerialKey));
        dlg.exec();
        virtualMixers = dlg.virtualMixers();
        m_world.link.linkKind = dlg.choice();
        if (dlg.choice() == LinkKind::Rs232c && !dlg.serialPort().isEmpty())
            m_ini.setValue(SerialSection, SerialKey, dlg.serialPort());
    }
    if (virtualMixers > 0) {
        // Virtual mixers inside the program, reached over Ethernet.
        VirtualRequest chain = m_virtualRequest;
        chain.mixers = virtualMixers;
        m_virtual = VirtualChain::launch(chain, m_world.dialogs);
        if (!m_virtual)
            return false;
        m_world.link.linkKind = LinkKind::Ethernet;
        // Where the tool (and a script that started the program) reaches them.
        std::fprintf(stderr, "%s\n", qPrintable(str(VirtualOn).arg(m_virtual->port())));
        std::fflush(stderr);
    }
    if (m_world.link.offline())
        m_world.loop.StartupPolls = 0;
    return true;
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
    m_main->closeEditors = [this] { unloadActiveEditors(); };
    m_windowWatch = std::make_unique<WindowLossWatch>();
    m_windowWatch->watch(m_main.get());
    wireSessionEnd();
    wireSettings();
    wireRemote();
    m_main->show();
    connectStep();
    if (m_ended)
        return;
    m_main->action(QStringLiteral("MenDebugWrite"))->setEnabled(m_world.mixers.WriteAccess);
    if (!m_world.link.offline()) {
        FrmMixer *editor = showEditor(1);
        m_editorHeight = editor->frameGeometry().height();
        m_world.mixers.MixerCount = 1; // until the first status reply
        const QRect screen = screenAreaOf(m_main.get());
        const QPoint beside = editorBesideMain(m_main->frameGeometry(), editor->frameGeometry(), screen.width());
        editor->move(keepOnScreen(QRect(beside, editor->frameGeometry().size()), screen));
    }
}

void Application::connectStep()
{
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
    m_comm->onOpenFailed = [this] { Disconnect(); };
    m_linkWatch = std::make_unique<LinkWatch>(m_world.dialogs, m_world.timeOfDay, [this](const QString &line) {
        if (m_main)
            m_main->showLinkStatus(line);
    });
    m_linkWatch->showOn(*m_linkLine);
    m_comm->onLinkStatus = [this](const MdlComm::LinkStatus &status) {
        m_linkWatch->changed(status);
        m_world.activity.add(ActivityKind::Link, 0, m_linkLine->text());
    };
    m_main->setReconnectChecked(ep.reconnect.enabled);
    QObject::connect(m_main.get(), &FrmMain::reconnectToggled, m_main.get(), [this](bool on) {
        m_ini.setValue(IpSection, ReconnectKey, on ? QStringLiteral("1") : QStringLiteral("0"));
        m_comm->setReconnect(on);
    });
    wireSync();
    m_jobs = std::make_unique<JobWindow>(m_world, *m_comm);
    m_jobs->SetData = [this] { return m_sync->writePending(); };
    // The extended write takes its values from the master's editor entries.
    m_extendedSource = std::make_unique<EditorExtendedSource>(
        [this]() -> std::optional<ExtendedEntries> {
            if (FrmMixer *w = editor(1))
                return w->extendedEntries();
            return std::nullopt;
        },
        m_world.mixers.ExtendedData[1]);
    m_jobs->extendedValues = m_extendedSource.get();
    m_jobs->refreshExtendedDisplay = [this](int mixer) {
        if (FrmMixer *w = editor(mixer))
            w->refreshExtendedDisplay();
    };
    m_jobs->markFirstReply = [this] { m_sync->noteReplyArrived(); };
    m_sync->resetForConnect();
    if (m_remote)
        m_remote->linkOpened(m_sync.get());
    m_comm->CommOpen();
    if (m_ended)
        return;
    // Writing is granted at once on links other than Ethernet.
    const AccessResult access = m_sync->CheckAccess();
    if (access != AccessResult::NotChecked)
        m_world.activity.add(ActivityKind::Access, 0, QString(),
                             m_world.mixers.WriteAccess ? ActivityOutcome::Done : ActivityOutcome::Refused);
}

QString Application::chooseEthernetAddress(bool &userChose)
{
    if (linkGiven()) {
        // Scripted start: no dialog, the INI file names the mixer.
        userChose = true;
        const QString address = m_ini.ipSettings().address;
        return address.isEmpty() ? QStringLiteral("192.168.100.200") : address;
    }
    std::function<void(QWidget &)> place;
    if (std::exchange(m_connectionBelowMain, false))
        place = [this](QWidget &dialog) { PlaceForm(&dialog, m_main.get(), PlaceMode::Below); };
    return chooseEthernetTarget(m_world.clock, m_world.dialogs, m_ini, userChose, m_main.get(),
                                &m_connectAddress, place);
}

void Application::afterPoll()
{
    if (m_endAfterExchange) {
        Disconnect();
        return;
    }
    // --operate: the panel comes up once the start-up polls have counted the
    // mixers and their data has been read, so that it finds every mixer its
    // buttons name and records the switches as they really are (they are
    // what it gives back).
    if (m_operatePending && m_world.loop.StartupPolls == 0 && m_sync->mixersRead() && !jobWindowVisible())
        startOperating();
    // A mode change that waited for the data; an editor opened meanwhile
    // closes with the rest.
    if (m_panelAwaitsData && m_sync->mixersRead() && !jobWindowVisible())
        onModeChange();
    refreshParameterGrid();
    // The link count or the panel may have changed: the remote clients hear of it.
    if (m_remote)
        m_remote->observe();
    // A mixer that was off the link when the panel closed gets back the
    // channel values the panel took from it as soon as it is counted again.
    if (!m_panel && remoteValuesOwed(m_world.panel.runtime))
        RemoteChannels(m_world.mixers, m_world.panel.runtime, m_sync.get(), &m_world.editor)
            .giveBackOwed(m_world.mixers.MixerCount);
    // Each poll comes before the values it found waiting are written: the
    // switches the panel took over are on disk before the first of them goes.
    keepHeldChannels();
}

void Application::runDownload(DownloadKind kind)
{
    // From the first R to the end of the download the mixer takes nothing
    // else: no command of the main window may start meanwhile, also not in
    // the waits before the progress window is up.
    m_main->Menu_Enable(false);
    DownloadHooks hooks;
    hooks.masterModel = [this] { return int(m_world.mixers.Model[1]); };
    hooks.showProgress = [this](const std::function<bool()> &transfer,
                                const std::function<DownloadProgress()> &progress) {
        return runProgressWindow(m_main.get(), m_world.clock, transfer, progress);
    };
    hooks.beforeReconnect = [this] {
        if (m_ended)
            return false;
        m_connectionBelowMain = true;
        return true;
    };
    MdlDownLoad download(*m_comm, m_world.dialogs, std::move(hooks));
    const MdlDownLoad::Outcome outcome = download.DownloadRun(int(kind));
    // A download the user called off sent nothing and is not an event.
    using O = MdlDownLoad::Outcome;
    if (outcome != O::NoRequest && outcome != O::LinkClosed && outcome != O::Cancelled)
        m_world.activity.add(ActivityKind::Download, 1, downloadName(kind),
                             outcome == O::Done ? ActivityOutcome::Done : ActivityOutcome::Failed);
    if (!m_ended)
        m_main->Menu_Enable(true);
}

void Application::showJobWindow(const JobWork &work, PlaceMode place)
{
    m_jobs->runJob(work, m_main.get(), place);
}

bool Application::jobWindowVisible() const
{
    return m_jobs && m_jobs->jobWindowVisible();
}

void Application::showDirect(bool read)
{
    openDirect(m_world, *m_jobs, read, m_main.get(), m_direct);
}

void Application::showIpSettings()
{
    IpSettingsHooks hooks;
    // Only an editor window that was on the screen comes back after the
    // reconnect: a download may have closed them all.
    QPointer<FrmMixer> hidden; // outlives the dialog, which runs to its end below
    hooks.hideWindows = [this, &hidden] {
        FrmMixer *w = editor(m_editorMixer);
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
    IniConfig &ini = m_virtual ? m_virtual->scratchIni() : m_ini;
    runIpSettings(*m_comm, &m_world.jobs.pollHolds(), m_world.dialogs, ini, m_world.mixers.WriteAccess, hooks,
                  [this](const IpJob &job, QWidget *over) { return m_jobs->runIpJob(job, over); },
                  m_main.get());
}

void Application::showPanel()
{
    // The panel records the channels' switches as they are, to give them
    // back when it closes: online it opens only once the mixers' data has
    // been read (a mixer counted by its threshold reply alone has none to
    // record yet). The next poll that brings it opens the panel.
    if (!m_world.link.offline() && !m_sync->mixersRead()) {
        m_panelAwaitsData = true;
        m_main->setEnabled(false);
        return;
    }
    m_panelAwaitsData = false;
    m_main->setEnabled(true);
    m_main->hide();
    holdMainWindow(true);
    PanelWindowContext ctx{m_world.panel, m_world.mixers, m_world.link, m_world.settings,
                           *m_settings, m_world.dialogs,
                           channelDialogSeam(), 0, &m_world.editor, m_linkLine.get(), m_sync.get(), &m_lock,
                           &m_world.timeOfDay};
    auto *panel = new FrmMdi(ctx);
    if (m_virtual)
        keepMarkInTitle(*panel, m_virtual->mark());
    QObject::connect(panel, &FrmMdi::modeChangeClosed, m_main.get(), [this] {
        holdMainWindow(false);
        m_main->setWindowTitle(m_settings->caption());
        m_main->show();
    });
    m_windowWatch->watch(panel);
    // The switches it found are on disk before any of them changes.
    keepHeldChannels();
    QObject::connect(panel, &FrmMdi::quitRequested, m_main.get(), [this] {
        // The last values go out as the program ends.
        m_sync->setEnding();
        m_world.jobs.request(JobWork::of(JobKind::Quit));
    });
    m_panel = panel;
    // The panel's default button stands at the screen's right edge.
    if (!std::exchange(m_operateOnPanel, false)) {
        panel->showMaximized();
        return;
    }
    if (m_operate.fullScreen)
        panel->showFullScreen();
    else
        panel->showMaximized();
    // A chairperson's PC may stand unattended: what the start has to say
    // goes to the status line, not into a box that stops the job loop.
    if (!panel->startOperation())
        m_operateNotices << str(12111);
    if (!m_operateNotices.isEmpty())
        panel->showNotice(m_operateNotices.join(u' '));
}

void Application::startOperating()
{
    if (!m_operatePending || m_ended)
        return;
    m_operatePending = false;
    if (!m_settings->openForOperation(m_operate.file))
        m_operateNotices << str(12114).arg(m_operate.file);
    // The panel may come only after a job that still runs; it starts
    // operating whenever it comes.
    m_operateOnPanel = true;
    onModeChange();
}

void Application::wireRemote()
{
    if (!m_remote) {
        RemoteHost host{m_world.mixers, m_world.panel, m_world.link, m_world.clock, {}, {}, {}, {}, {}, {}};
        host.panelOpen = [this] { return m_panel && m_panel->isVisible(); };
        host.executing = [this] { return m_panel && m_panel->isVisible() && m_panel->executing(); };
        // A remote tap is a left press on the panel's button.
        host.press = [this](int mixer, int slot) {
            return m_panel && m_panel->pressExecutionButton(ButtonRef{mixer, slot});
        };
        host.virtualMixers = [this] { return m_virtual != nullptr; };
        host.settingsFile = [this] { return m_world.settings.currentFileName; };
        host.blocked = &RemoteOperation::blockingWindow;
        m_remote = std::make_unique<RemoteOperation>(std::move(host), m_world.dialogs);
    }
    QObject::connect(m_main.get(), &FrmMain::remoteRequested, m_main.get(),
                     [this] { m_remote->showDialog(m_main.get()); });
}

void Application::Disconnect()
{
    if (m_ended)
        return;
    // Whatever ends the program, the channels go back before the link
    // closes: a panel still open gives them back, and they are written while
    // the link is up. Those that could not be stay on disk for the next start.
    const bool givingBack = m_endAfterExchange || (m_panel && m_panel->isVisible());
    if (m_panel)
        m_panel->closeForProgramEnd();
    if (givingBack && sendingMustWait()) {
        // An exchange waits further up the stack: the values go after it, from
        // the loop, and the program ends then.
        m_endAfterExchange = true;
        return;
    }
    m_ended = true;
    keepHeldChannels(!givingBack || sendBeforeClosing());
    if (m_linkWatch)
        m_linkWatch->silence();
    if (m_comm)
        m_comm->CommClose();
    writeDataFileName(m_world.loop.DataFileName);
    if (m_loop)
        m_loop->stop();
    if (m_main)
        m_main->hide();
}

FrmMdi *Application::panelWindow() const
{
    return m_panel;
}

SettingsDialog *Application::settingsDialog() const
{
    return m_settingsDialog;
}

FrmActivity *Application::activityWindow() const
{
    return m_activity;
}

FrmParameter *Application::parameterGrid() const
{
    return m_parameterGrid;
}
