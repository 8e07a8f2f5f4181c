#pragma once

// The link to the mixers for one run of the program: the connection (opened
// as the INI file and the virtual mixers say, closed at the end), its status
// line and the lost-connection message, the reconnect option of the main
// window, the synchronisation over it and the job window that runs exchanges
// on it. It owns neither the editors nor the panel: the mixer-mode windows
// are given when it connects, and the end of the program decides when it
// closes.

#include <QString>

#include <functional>
#include <memory>

class EditorExtendedSource;
class FrmMain;
class IniConfig;
class JobWindow;
class LinkLine;
class LinkWatch;
class MdlComm;
class MixerSync;
class MixerWindows;
class RemoteOperation;
class VirtualChain;
struct World;

class LinkSession
{
public:
    struct Hooks
    {
        std::function<void()> setUpPanel; // the first poll finds the panel as the reset leaves it
        std::function<void()> openFailed; // the link could not be opened: the program ends
    };

    // `scripted`: whether the link was given (--link, ZKVR340A_LINK), so the
    // INI file names the Ethernet mixer and no dialog asks.
    LinkSession(World &world, IniConfig &ini, VirtualChain *virtualChain, std::function<bool()> scripted,
                Hooks hooks);
    ~LinkSession();

    // Opens the link and checks the right to write; the status line shows on
    // `main`, the job window places itself against it.
    void connect(FrmMain &main, MixerWindows &windows, RemoteOperation *remote);
    // Asks the mixers for the right to write (Ethernet) and logs the answer.
    void checkAccess();
    // Silences the lost-connection message and closes the link.
    void close();

    MdlComm *comm() const { return m_comm.get(); }
    MixerSync *sync() const { return m_sync.get(); }
    JobWindow *jobs() const { return m_jobs.get(); }
    // The link's state as the windows show it; outlives each link's watch.
    LinkLine &line() const { return *m_line; }
    // The link is open and up (never offline).
    bool up() const;
    // A download's reconnect asks for the next connection dialog next to the
    // main window.
    void placeNextDialogBelowMain() { m_connectionBelowMain = true; }

    // Whether the values waiting to be sent must wait: an exchange with the
    // mixers (a poll, a write, a job) waits further up the stack, and the
    // loop (`loopRunning`) is there to send them after it.
    bool sendingMustWait(bool loopRunning, bool jobWindowOpen) const;
    // Before the link closes: what waits to be sent (the channels a closing
    // panel gave back) is written. False when it could not be.
    bool sendBeforeClosing();

private:
    void wireSync(FrmMain &main, MixerWindows &windows);
    void wireJobWindow(MixerWindows &windows);
    QString chooseEthernetAddress(bool &userChose);

    World &m_world;
    IniConfig &m_ini;
    VirtualChain *m_virtual;
    std::function<bool()> m_scripted;
    Hooks m_hooks;
    FrmMain *m_main = nullptr;
    QString m_connectAddress; // kept across reconnects
    bool m_connectionBelowMain = false; // the next connection dialog goes next to the main window
    std::unique_ptr<LinkLine> m_line;
    std::unique_ptr<MdlComm> m_comm;
    std::unique_ptr<LinkWatch> m_watch; // the link's status line, the lost-connection message
    std::unique_ptr<MixerSync> m_sync;
    std::unique_ptr<JobWindow> m_jobs;
    std::unique_ptr<EditorExtendedSource> m_extendedSource; // the extended write reads mixer 1's editor
};
