#pragma once

// The one cooperative loop that runs every exchange with the mixers.
//
// Each pass lets events run, then serves in this order of precedence: the
// transfer of loaded settings (job 7), values waiting to be sent, a firmware
// download, any other requested job (held back until 0.4 s after the last
// reset so a poll's reply can arrive first), and the periodic status poll.
// Between passes the loop sleeps in the event loop until the next thing falls
// due or an event arrives, so an idle program costs almost nothing.

#include "base/loopstate.h"
#include "link/linkstate.h"
#include "mixer/syncstatus.h"

#include <QString>

class Clock;
class Dialogs;

// The windows and steps the loop starts besides synchronisation. The
// application wires each to the subsystem that owns it; tests record the calls.
class JobHandlers
{
public:
    virtual ~JobHandlers() = default;

    // Whether a window that must not be interrupted by status requests (direct
    // memory access) is open: the poll that falls due is skipped.
    virtual bool pollingHeld() { return false; }
    // After each poll: what the rest of the program does with fresh status.
    virtual void afterPoll() {}
    virtual void runDownload(int request) = 0;
    // Shows the job window FrmMsg modally, placed by `placeMode` (-1 below the
    // main window, 0 centred on it); it runs the job in JobRequest.
    virtual void showJobWindow(int placeMode) = 0;
    virtual bool jobWindowVisible() const = 0;
    virtual void showDirect() = 0;       // FrmDirect, modeless
    virtual void showIpSettings() = 0;   // FrmIPSetting, modal
    virtual void showPanel() = 0;        // hide FrmMain, show frmMDI
    virtual void Disconnect() = 0;       // close the link, store DataFileName, end
};

// The text of the initialise confirmation for JobTarget; empty for targets
// the editor never produces.
QString initialiseConfirmText(int jobTarget);

class JobLoop
{
public:
    static constexpr double JobHoldSeconds = 0.4;

    JobLoop(LoopState &loop, LinkState &link, Clock &clock, Dialogs &dialogs,
            JobHandlers &handlers, SyncWork &sync);

    // Runs until stop() is called (from a handler or an event).
    void run();
    void stop() { m_stopped = true; }
    bool stopped() const { return m_stopped; }

    // One request of the job table, as the loop dispatches it.
    void dispatchJob();

private:
    void reset();
    void runInitialise();
    // Values the last poll found waiting go out; a file just loaded counts as
    // sent, a saved one as changed.
    void flushValues();

    LoopState &m_loop;
    LinkState &m_link;
    Clock &m_clock;
    Dialogs &m_dialogs;
    JobHandlers &m_handlers;
    SyncWork &m_sync;
    double m_t0 = 0;
    bool m_stopped = false;
};
