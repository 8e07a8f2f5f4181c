#pragma once

// The program from start to end: the start-up sequence, the main window, the
// connect step and the job loop, with the loop's jobs wired to the windows
// and subsystems that run them.

#include "base/config.h"
#include "app/jobloop.h"
#include "app/operatestart.h"
#include "app/virtualchain.h"
#include "app/world.h"
#include "panel/heldchannels.h"
#include "panel/operatorlock.h"

#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class EditorExtendedSource;
class FrmActivity;
class FrmDirect;
class FrmMain;
class FrmMdi;
class FrmMixer;
class FrmParameter;
class SettingsDialog;
struct ChannelDialogSeam;
struct EditorEnv;
struct FrmMixerContext;
struct PanelGeometry;
class JobWindow;
class LinkLine;
class LinkWatch;
class MdlComm;
class MixerSync;
class MixerStateSettings;
class RemoteOperation;
class SettingsCommands;
class WindowLossWatch;
class QObject;
class QWidget;

class Application : public JobHandlers
{
public:
    Application(World &world, QStringList arguments);
    ~Application() override;

    // Runs the whole program; returns the exit code.
    int run();

    // A preset link skips the link-choice dialog (scripts, benchmarks and
    // tests set ZKVR340A_LINK to rs232c, usb, offline or ethernet).
    static std::optional<LinkKind> presetLink();

    // Brings the window the user works in forward: a second start of the
    // program asks for it.
    void comeForward();

    // The operator lock of the panel window (--operate, or set from its menu).
    OperatorLock &operatorLock() { return m_lock; }

    FrmMain *mainWindow() const { return m_main.get(); }
    MdlComm *comm() const { return m_comm.get(); }
    JobLoop *loop() const { return m_loop.get(); }
    bool ended() const { return m_ended; }
    // The virtual mixers the program runs (--virtual, or chosen at start-up);
    // null on a link to hardware.
    VirtualChain *virtualChain() const { return m_virtual.get(); }

    MixerSync *sync() const { return m_sync.get(); }
    FrmMdi *panelWindow() const;
    // The editor window of a mixer, when one is loaded.
    FrmMixer *editor(int mixer) const;
    SettingsCommands *settings() const { return m_settings.get(); }
    RemoteOperation *remote() const { return m_remote.get(); }
    // The panel's channel or output settings dialog and the parameter grid,
    // when open.
    SettingsDialog *settingsDialog() const;
    FrmParameter *parameterGrid() const;
    // The activity window, when open.
    FrmActivity *activityWindow() const;

    // The desktop's session is ending (logout, shutdown). A locked panel
    // refuses, and says why when `mayTell` (asked only then) lets it talk to
    // the user; otherwise the program ends in order, the channels given back.
    // Returns whether the session may end.
    bool sessionEnding(const std::function<bool()> &mayTell);
    // The idle watch of a chairperson's PC: left in mixer mode (reached with
    // the passphrase) for the lock's idle time, it goes back to its panel,
    // operating and locked; not while a question, a menu or a job is open.
    void watchIdle();
    // Where the channels' switches the panel took over are kept until given back.
    const HeldChannels &heldChannels() const { return m_held; }

    // JobHandlers
    void afterPoll() override;
    void runDownload(DownloadKind kind) override;
    void showJobWindow(const JobWork &work, PlaceMode place) override;
    bool jobWindowVisible() const override;
    void showDirect(bool read) override;
    void showIpSettings() override;
    void showPanel() override;
    void Disconnect() override;

private:
    // Mixer-mode commands of the main window.
    FrmMixer *showEditor(int mixer);
    EditorEnv editorEnv();
    FrmMixerContext editorContext();
    void showParameterGrid(int item);
    // The open grid shows the records as they are now.
    void refreshParameterGrid();

    // The panel's settings dialogs, opened on its right click and, under
    // DEBUG, from the main window's menu.
    ChannelDialogSeam channelDialogSeam();
    void openSettingsDialog(QWidget *parent, std::function<void()> closed);
    void chooseSettingsDialog();
    std::optional<PanelGeometry> panelGeometry() const;
    void unloadEditor(int mixer);
    void unloadActiveEditors();
    void onShowMixer();
    void onModeChange();
    void onArrange();
    void printEditor();
    void openSelect();
    void showActivity();

    // The link chosen without asking: --link, else ZKVR340A_LINK.
    std::optional<LinkKind> linkGiven() const;
    // False when the program cannot go on (virtual mixers that cannot start).
    bool chooseLink();
    // --operate: once the mixers are counted, the file's panel in the
    // execution state, locked.
    void startOperating();
    void openMainWindow();
    void connectStep();
    void wireSync();
    // The panel state as the reset leaves it for the chosen link and this
    // screen; the first status poll does it again once the mixers are counted.
    void resetPanel();
    // A recovery file left by a design that ended without saving (a crash,
    // a power cut): offered back, naming when it was written; removed either way.
    void offerRecovery();
    // The channels' switches a program that ended without giving them back
    // left on disk: offered back first (a chairperson's PC takes them without
    // asking). The file follows the panel's record after each poll, and goes
    // once everything is back (application_end.cpp).
    void offerHeldChannels();
    void keepHeldChannels(bool givenBack = true);
    // Before the link closes: what waits to be sent (the channels a closing
    // panel gave back) is written. False when it could not be.
    bool sendBeforeClosing();
    // Whether those values must wait: an exchange with the mixers (a poll, a
    // write, a job) waits further up the stack, and the loop is there to
    // send them after it.
    bool sendingMustWait() const;
    // The hidden main window while the panel is up: no input, no commands.
    void holdMainWindow(bool held);
    void wireSessionEnd();
    void wireSettings();
    void wireRemote();
    QString chooseEthernetAddress(bool &userChose);
    // "The virtual mixers answer on 127.0.0.1:PORT" for the version dialog;
    // empty on a link to hardware.
    QString virtualAddressLine() const;

    World &m_world;
    QueuedEditorJobs m_editorJobs{m_world.jobs}; // the editors' requests of the loop
    QStringList m_arguments;
    bool m_debug = false;
    bool m_ended = false;
    IniConfig m_ini;
    QString m_connectAddress; // kept across reconnects
    VirtualRequest m_virtualRequest; // what the command line asks of virtual mixers
    OperateRequest m_operate;        // what it asks of a chairperson's PC
    bool m_operatePending = false;   // --operate waits for the mixers to be counted
    bool m_operateOnPanel = false;   // the next panel window starts operating
    QStringList m_operateNotices;    // what the start has to say, for the panel's status line
    bool m_panelAwaitsData = false;  // a mode change waits for the mixers' data
    bool m_endAfterExchange = false; // Disconnect waits for the exchange under way
    OperatorLock m_lock;
    HeldChannels m_held;
    std::unique_ptr<WindowLossWatch> m_windowWatch; // windows destroyed from outside close as by their close box
    std::unique_ptr<QObject> m_mainInputBlock;      // the hidden main window takes no input
    std::unique_ptr<QTimer> m_idleWatch;             // a chairperson's PC goes back to its panel
    std::unique_ptr<VirtualChain> m_virtual; // outlives the link that reaches it
    bool m_connectionBelowMain = false; // the next connection dialog goes next to the main window
    std::unique_ptr<MdlComm> m_comm;
    // The link's state as the windows show it; outlives each link's watch.
    std::unique_ptr<LinkLine> m_linkLine;
    std::unique_ptr<LinkWatch> m_linkWatch; // the link's status line, the lost-connection message
    std::unique_ptr<MixerSync> m_sync;
    std::unique_ptr<JobWindow> m_jobs;
    std::unique_ptr<MixerStateSettings> m_mixerSettings;
    std::unique_ptr<SettingsCommands> m_settings;
    std::unique_ptr<FrmMain> m_main;
    std::unique_ptr<JobLoop> m_loop;
    QPointer<FrmMdi> m_panel;
    std::array<QPointer<FrmMixer>, MixerSlots> m_editors{};
    std::unique_ptr<EditorExtendedSource> m_extendedSource; // the extended write reads mixer 1's editor
    int m_editorHeight = 0;      // remembered for the arrange command
    QPoint m_editorPosition;     // where the last editor was before a mode change
    int m_editorMixer = 0;       // the mixer the editor shows
    QPointer<QWidget> m_select;
    QPointer<QWidget> m_version;
    QPointer<FrmDirect> m_direct; // the one direct-access window
    QPointer<SettingsDialog> m_settingsDialog;
    QPointer<FrmParameter> m_parameterGrid;
    int m_gridItem = 0; // the item the open grid shows
    QPointer<FrmActivity> m_activity;
    std::unique_ptr<QTimer> m_timer1; // opens FrmSelect once the job window closed
    std::unique_ptr<RemoteOperation> m_remote; // the remote-operation server and its dialog
};
