#include "jobloop.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {
// Longest sleep of an idle offline loop; any event wakes it earlier.
constexpr double IdleSleepSeconds = 3600.0;
// Sleeps end just past a due time so that "elapsed > limit" holds on waking.
constexpr double DueMargin = 0.001;
} // namespace

QString initialiseConfirmText(int jobTarget)
{
    QString what;
    if (jobTarget >= 0 && jobTarget <= 7)
        what = str(2707) + u' ' + QString::number(jobTarget + 1);
    else if (jobTarget == 8)
        what = str(2708);
    else if (jobTarget >= 9 && jobTarget <= 11)
        what = str(2192 + jobTarget);
    else if (jobTarget == 16 || jobTarget == 17)
        what = str(2903) + u' ' + QString::number(jobTarget - 15);
    else if (jobTarget == 18)
        what = str(2904);
    else if (jobTarget == 20)
        what = joinWords(str(2903), QStringLiteral("3"));
    else
        return {};
    return what + str(2701);
}

JobLoop::JobLoop(LoopState &loop, LinkState &link, Clock &clock, Dialogs &dialogs,
                 JobHandlers &handlers, SyncWork &sync)
    : m_loop(loop), m_link(link), m_clock(clock), m_dialogs(dialogs), m_handlers(handlers),
      m_sync(sync)
{
}

void JobLoop::reset()
{
    // During start-up each poll is due at once.
    m_t0 = m_clock.now() - (m_loop.StartupPolls != 0 ? m_link.ReplyTimeUnit : 0.0);
}

void JobLoop::run()
{
    m_stopped = false;
    reset();
    bool waited = false;
    while (!m_stopped) {
        // A pass that follows a wait finds the events already handled: the
        // wait handles what is pending before it sleeps and again when it
        // wakes. Asking once more would only cost every wake-up (a window's
        // timer, each reply) a second look at every source.
        if (!std::exchange(waited, false))
            m_clock.processEvents();
        if (m_stopped)
            break;
        const bool online = !m_link.offline();

        if (m_loop.JobRequest == JobTransferLoaded && online) {
            m_handlers.showJobWindow(-1);
            m_loop.JobRequest = JobIdle;
            continue;
        }
        if (m_sync.flushDue()) {
            flushValues();
            continue;
        }
        if (m_loop.DownloadRequest != 0) {
            m_handlers.runDownload(m_loop.DownloadRequest);
            m_loop.DownloadRequest = 0;
            reset();
            continue;
        }
        const double now = m_clock.now();
        const double elapsed = now - m_t0;
        if (elapsed > JobHoldSeconds && m_loop.JobRequest != JobIdle) {
            dispatchJob();
            reset();
            continue;
        }
        if (elapsed > m_link.ReplyTimeUnit || now < m_t0) {
            if (online && !m_handlers.pollingHeld()) {
                m_sync.poll();
                m_handlers.afterPoll();
            }
            reset();
            continue;
        }

        // Nothing due: sleep until the next poll or held job falls due, or
        // until an event (a click, a reply) arrives.
        double due = online ? m_t0 + m_link.ReplyTimeUnit : now + IdleSleepSeconds;
        if (m_loop.JobRequest != JobIdle)
            due = std::min(due, m_t0 + JobHoldSeconds);
        if (!online && m_loop.JobRequest == JobIdle)
            due = std::min(due, m_t0 + IdleSleepSeconds);
        m_clock.waitForEvents(std::max(due - now, 0.0) + DueMargin);
        waited = true;
    }
}

void JobLoop::flushValues()
{
    if (m_loop.DataState == DataSaved)
        m_loop.DataState = DataChanged;
    else if (m_loop.DataState == DataJustLoaded)
        m_loop.DataState = DataSaved;
    m_sync.flush();
}

void JobLoop::dispatchJob()
{
    const bool online = !m_link.offline();
    switch (m_loop.JobRequest) {
    case JobDirectRead:
    case JobDirectWrite:
        // FrmDirect moves JobRequest to 6 while it is open and to 0 on close.
        m_handlers.showDirect();
        break;
    case JobExtendedRead:
        if (!online)
            break;
        m_loop.Job = JobWork::extendedRead();
        m_handlers.showJobWindow(0);
        // A mode change asked for during the read follows right after it.
        if (m_loop.JobRequest != JobModeChange)
            m_loop.JobRequest = JobIdle;
        break;
    case JobExtendedWrite:
        if (!online)
            break;
        // JobTarget names the register group the editor's tab shows.
        m_loop.Job = JobWork::extendedWrite(m_loop.JobTarget);
        m_handlers.showJobWindow(0);
        m_loop.JobRequest = JobExtendedRead; // read the extended data back
        break;
    case JobInitialise:
        runInitialise();
        m_loop.JobRequest = JobIdle;
        break;
    case JobModeChange:
        if (!m_handlers.jobWindowVisible()) {
            m_handlers.showPanel();
            m_loop.JobRequest = JobIdle;
        }
        break;
    case JobQuit:
        if (online && m_sync.pendingValues())
            m_sync.writePending();
        else
            m_handlers.Disconnect();
        break;
    case JobIpSettings:
        m_handlers.showIpSettings();
        break;
    case JobDirectActive:
    case JobIpActive:
    case JobTransferLoaded: // offline: stays set until replaced
    default:
        break;
    }
}

void JobLoop::runInitialise()
{
    const MsgAnswer answer = m_dialogs.message(initialiseConfirmText(m_loop.JobTarget),
                                               MsgButtons::OkCancel, MsgIcon::Warning, QString());
    if (answer != MsgAnswer::Ok || m_link.offline())
        return;
    m_loop.Job = JobWork::initialise(m_loop.JobMixer, m_loop.JobTarget);
    m_handlers.showJobWindow(0);
    if (m_loop.JobTarget >= 16) {
        m_loop.JobRequest = JobExtendedRead;
        m_loop.Job = JobWork::extendedRead();
        m_handlers.showJobWindow(0);
    }
}
