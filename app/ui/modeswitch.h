#pragma once

// The change from mixer mode to the control panel and back, as the mode flow
// (app/modeflow.h) rules it: the mixer-mode windows close, the main window is
// greyed while the change waits and hidden (taking no input) while the panel
// is up, the panel opens as it was left or operating for a chairperson's PC
// (--operate), and that PC's idle watch brings it back. It owns the panel
// window and the operator start's notices; it does not own the lock, the
// main window or the mixer-mode windows.

#include "app/modeflow.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class FrmMain;
class FrmMdi;
class LinkSession;
class MixerWindows;
class OperatorLock;
class QObject;
class QTimer;
class SettingsCommands;
class VirtualChain;
class WindowLossWatch;
struct OperateRequest;
struct World;

class ModeSwitch
{
public:
    struct Context
    {
        World &world;
        FrmMain &main;
        LinkSession &session;
        MixerWindows &windows;
        SettingsCommands &settings;
        OperatorLock &lock;
        WindowLossWatch &windowWatch;
        const OperateRequest &operate;
        VirtualChain *virtualChain = nullptr;
        // The switches the panel found go on disk before any of them changes.
        std::function<void()> keepHeldChannels;
        std::function<bool()> ended;
    };

    explicit ModeSwitch(Context context);
    ~ModeSwitch();

    // The main window's mode change.
    void wireCommand();
    // --operate: the panel comes once the mixers are counted (afterPoll), at
    // once offline; the idle watch starts.
    void armOperatorStart();
    // After each poll: the operator start or a change that waited for the
    // mixers' data goes on.
    void afterPoll();
    // The job loop's change, once the job window has gone.
    void jobEnded();
    // The idle watch of a chairperson's PC: left in mixer mode (reached with
    // the passphrase) for the lock's idle time, it goes back to its panel,
    // operating and locked; not while a question, a menu or a job is open.
    void watchIdle();

    FrmMdi *panel() const;

private:
    void ask(ModeFlow::Opening opening);
    void startOperating();
    void act(ModeFlow::Step step);
    void openPanel(bool operating);
    // The hidden main window while the panel is up: no input, no commands.
    void holdMainWindow(bool held);
    bool jobWindowVisible() const;
    bool dataReady() const;

    Context m_ctx;
    World &m_world;
    FrmMain &m_main;
    ModeFlow m_flow;
    QPointer<FrmMdi> m_panel;
    QStringList m_operateNotices; // what the start has to say, for the panel's status line
    std::unique_ptr<QObject> m_mainInputBlock; // the hidden main window takes no input
    std::unique_ptr<QTimer> m_idleWatch;        // a chairperson's PC goes back to its panel
};
