#pragma once

// The program from start to end, wired from its pieces: the start-up
// sequence (startup.h), the link session (linksession.h), the mixer-mode
// windows (mixerwindows.h), the change to the control panel and back
// (modeswitch.h), the job loop's handlers (loophandlers.h) and the remote
// server. What is left here is the order in which they are made and joined,
// and the program's end (application_end.cpp).

#include "base/config.h"
#include "app/jobloop.h"
#include "app/operatestart.h"
#include "app/virtualchain.h"
#include "app/ui/startup.h"
#include "app/world.h"
#include "mixer/activityjournal.h"
#include "panel/heldchannels.h"
#include "panel/operatorlock.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class FrmActivity;
class FrmMain;
class FrmMdi;
class FrmMixer;
class FrmParameter;
class LinkSession;
class LoopHandlers;
class MdlComm;
class MixerStateSettings;
class MixerSync;
class MixerWindows;
class ModeSwitch;
class RemoteOperation;
class SettingsCommands;
class SettingsDialog;
class WindowLossWatch;

class Application
{
public:
    Application(World &world, QStringList arguments);
    ~Application();

    // Runs the whole program; returns the exit code.
    int run();

    // A preset link skips the link-choice dialog (scripts, benchmarks and
    // tests set ZKVR340A_LINK to rs232c, usb, offline or ethernet).
    static std::optional<LinkKind> presetLink() { return StartUp::presetLink(); }

    // Brings the window the user works in forward: a second start of the
    // program asks for it.
    void comeForward();

    // The operator lock of the panel window (--operate, or set from its menu).
    OperatorLock &operatorLock() { return m_lock; }

    FrmMain *mainWindow() const { return m_main.get(); }
    MdlComm *comm() const;
    JobLoop *loop() const { return m_loop.get(); }
    bool ended() const { return m_ended; }
    // The virtual mixers the program runs (--virtual, or chosen at start-up);
    // null on a link to hardware.
    VirtualChain *virtualChain() const { return m_virtual.get(); }

    MixerSync *sync() const;
    FrmMdi *panelWindow() const;
    // The editor window of a mixer, when one is loaded.
    FrmMixer *editor(int mixer) const;
    SettingsCommands *settings() const { return m_settings.get(); }
    RemoteOperation *remote() const { return m_remote.get(); }
    ActivityJournal *journal() const { return m_journal.get(); }
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
    // The idle watch of a chairperson's PC (modeswitch.h).
    void watchIdle();
    // Where the channels' switches the panel took over are kept until given back.
    const HeldChannels &heldChannels() const { return m_held; }

    bool jobWindowVisible() const;
    // Ends the program: the channels a panel took go back while the link is
    // up, then the link closes, DataFileName is stored and the loop stops.
    void Disconnect();

private:
    void openMainWindow();
    void wireSession();
    void wireWindows();
    void wireSettings();
    void wireSessionEnd();
    void wireRemote();
    // The file of the channels' switches follows the panel's record after
    // each poll, and goes once everything is back (application_end.cpp).
    void keepHeldChannels(bool givenBack = true);
    // Before the link closes: what waits to be sent is written. False when it
    // could not be.
    bool sendBeforeClosing();
    // Whether those values must wait for the exchange under way further up
    // the stack, the loop there to send them after it.
    bool sendingMustWait() const;
    // "The virtual mixers answer on 127.0.0.1:PORT" for the version dialog;
    // empty on a link to hardware.
    QString virtualAddressLine() const;

    World &m_world;
    QStringList m_arguments;
    bool m_debug = false;
    bool m_ended = false;
    bool m_endAfterExchange = false; // Disconnect waits for the exchange under way
    IniConfig m_ini;
    VirtualRequest m_virtualRequest; // what the command line asks of virtual mixers
    OperateRequest m_operate;        // what it asks of a chairperson's PC
    StartUp m_start{m_world, m_ini, m_operate, m_virtualRequest};
    OperatorLock m_lock;
    HeldChannels m_held;
    std::unique_ptr<WindowLossWatch> m_windowWatch; // windows destroyed from outside close as by their close box
    std::unique_ptr<VirtualChain> m_virtual; // outlives the link that reaches it
    std::unique_ptr<LinkSession> m_session;
    std::unique_ptr<MixerStateSettings> m_mixerSettings;
    std::unique_ptr<SettingsCommands> m_settings;
    std::unique_ptr<FrmMain> m_main;
    std::unique_ptr<MixerWindows> m_windows;
    std::unique_ptr<ModeSwitch> m_mode;
    std::unique_ptr<LoopHandlers> m_handlers;
    std::unique_ptr<JobLoop> m_loop;
    std::unique_ptr<RemoteOperation> m_remote; // the remote-operation server and its dialog
    SystemLog m_systemLog;
    std::unique_ptr<ActivityJournal> m_journal; // the activity log mirrored into the system's log
};
