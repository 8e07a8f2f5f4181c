#pragma once

// The one cooperative loop that runs every exchange with the mixers.
//
// Each pass lets events run, then serves in this order of precedence: the
// transfer of loaded settings, values waiting to be sent (as soon as no
// reply to the poll is outstanding), a firmware download, the other jobs in
// the order asked for (held back until 0.4 s after the last reset so a
// poll's reply can arrive first), and the periodic status poll, unless a
// window holds it.
// Between passes the loop sleeps in the event loop until the next thing falls
// due or an event arrives, so an idle program costs almost nothing.

#include "app/jobqueue.h"
#include "base/loopstate.h"
#include "base/placement.h"
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

    // After each poll: what the rest of the program does with fresh status.
    virtual void afterPoll() {}
    virtual void runDownload(DownloadKind kind) = 0;
    // Shows the job window FrmMsg modally, placed against the main window;
    // it runs `work`.
    virtual void showJobWindow(const JobWork &work, PlaceMode place) = 0;
    virtual bool jobWindowVisible() const = 0;
    virtual void showDirect(bool read) = 0; // FrmDirect, modeless
    virtual void showIpSettings() = 0;   // FrmIPSetting, modal
    virtual void showPanel() = 0;        // hide FrmMain, show frmMDI
    virtual void Disconnect() = 0;       // close the link, store DataFileName, end
};

// The text of the initialise confirmation for a code; empty for codes the
// editor never produces.
QString initialiseConfirmText(int jobTarget);

class JobLoop
{
public:
    static constexpr double JobHoldSeconds = 0.4;

    JobLoop(LoopState &loop, JobQueue &jobs, LinkState &link, Clock &clock, Dialogs &dialogs,
            JobHandlers &handlers, SyncWork &sync);

    // Runs until stop() is called (from a handler or an event).
    void run();
    void stop() { m_stopped = true; }
    bool stopped() const { return m_stopped; }

    // The first waiting job that can run now, as the loop dispatches it.
    void dispatchJob();

private:
    void reset();
    void sleepUntilDue(double now, bool online, bool jobsWait);
    void runJob(const JobWork &work);
    void runInitialise(const JobWork &work);
    // Values the last poll found waiting go out; a file just loaded counts as
    // sent, a saved one as changed.
    void flushValues();

    LoopState &m_loop;
    JobQueue &m_jobs;
    LinkState &m_link;
    Clock &m_clock;
    Dialogs &m_dialogs;
    JobHandlers &m_handlers;
    SyncWork &m_sync;
    double m_t0 = 0;
    bool m_stopped = false;
};
