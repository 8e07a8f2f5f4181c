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
// Initialise codes from here on set extended registers back: the editors
// read them again at once.
constexpr int FirstExtendedInitialiseCode = 16;

std::function<bool(const JobWork &)> kindIs(JobKind kind)
{
    return [kind](const JobWork &w) { return w.kind == kind; };
}
} // namespace

QString initialiseConfirmText(int code)
{
    QString what;
    if (code >= 0 && code <= 7)
        what = str(2707) + u' ' + QString::number(code + 1);
    else if (code == 8)
        what = str(2708);
    else if (code >= 9 && code <= 11)
        what = str(2192 + code);
    else if (code == 16 || code == 17)
        what = str(2903) + u' ' + QString::number(code - 15);
    else if (code == 18)
        what = str(2904);
    else if (code == 20)
        what = joinWords(str(2903), QStringLiteral("3"));
    else
        return {};
    return what + str(2701);
}

JobLoop::JobLoop(LoopState &loop, JobQueue &jobs, LinkState &link, Clock &clock, Dialogs &dialogs,
                 JobHandlers &handlers, SyncWork &sync)
    : m_loop(loop), m_jobs(jobs), m_link(link), m_clock(clock), m_dialogs(dialogs), m_handlers(handlers),
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
    bool flushed = false; // the last pass sent values
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
        const double now = m_clock.now();
        const double elapsed = now - m_t0;
        // The poll's last request has had its reply or its whole wait.
        const bool pollDue = elapsed > m_link.ReplyTimeUnit || now < m_t0;

        // A job stays asked for while it runs: the same work asked for
        // meanwhile is the same request, and others wait behind it. The
        // transfer's first request waits for the line like any write.
        if (online) {
            const std::optional<JobWork> transfer = m_jobs.first(kindIs(JobKind::TransferLoaded));
            if (transfer && (pollDue || m_sync.lineFree())) {
                m_handlers.showJobWindow(*transfer, PlaceMode::Below);
                m_jobs.take(*transfer);
                continue;
            }
        }
        const std::optional<JobWork> download = m_jobs.first(kindIs(JobKind::Download));
        // A held poll keeps the loop's pace of held jobs: it wakes each 0.4 s
        // and the poll never falls due.
        const bool jobsWait = !m_jobs.empty() || m_jobs.pollHeld();
        const bool jobDue = elapsed > JobHoldSeconds && jobsWait;
        // Values go out as soon as the line is free, not at the next poll. A
        // run right after another first lets a download, a job or a poll
        // that fell due meanwhile have its turn: a stream of edits keeps none
        // of them waiting.
        const bool yieldTurn = std::exchange(flushed, false) && (download || jobDue || pollDue);
        if (!yieldTurn && m_sync.flushDue()) {
            flushValues();
            flushed = true;
            continue;
        }
        if (download) {
            m_handlers.runDownload(download->download);
            m_jobs.take(*download);
            reset();
            continue;
        }
        if (jobDue) {
            dispatchJob();
            reset();
            continue;
        }
        if (pollDue) {
            if (online && !m_jobs.pollHeld()) {
                m_sync.poll();
                m_handlers.afterPoll();
            }
            reset();
            continue;
        }
        sleepUntilDue(now, online, jobsWait);
        waited = true;
    }
}

void JobLoop::sleepUntilDue(double now, bool online, bool jobsWait)
{
    // Nothing due: sleep until the next poll or held job falls due, or until
    // an event (a click, a reply, a submitted value) arrives.
    double due = online ? m_t0 + m_link.ReplyTimeUnit : now + IdleSleepSeconds;
    if (jobsWait)
        due = std::min(due, m_t0 + JobHoldSeconds);
    if (!online && !jobsWait)
        due = std::min(due, m_t0 + IdleSleepSeconds);
    m_clock.waitForEvents(std::max(due - now, 0.0) + DueMargin);
}

void JobLoop::flushValues()
{
    if (m_loop.DataState == DataSaved)
        m_loop.DataState = DataChanged;
    else if (m_loop.DataState == DataJustLoaded)
        m_loop.DataState = DataSaved;
    m_sync.flush();
}

namespace {
// Jobs that exchange with the mixers wait while there is no link.
bool needsLink(JobKind kind)
{
    return kind == JobKind::TransferLoaded || kind == JobKind::ExtendedRead || kind == JobKind::ExtendedWrite;
}
} // namespace

void JobLoop::dispatchJob()
{
    const bool online = !m_link.offline();
    const std::optional<JobWork> work
        = m_jobs.first([online](const JobWork &w) { return online || !needsLink(w.kind); });
    if (!work)
        return;
    // The mode changes once the job window has gone; quitting first sends
    // what waits. Either stays first until then.
    if (work->kind == JobKind::ModeChange && m_handlers.jobWindowVisible())
        return;
    if (work->kind == JobKind::Quit && online && m_sync.pendingValues()) {
        m_sync.writePending();
        return;
    }
    runJob(*work);
    // Quitting stays asked for until the program has ended.
    if (work->kind != JobKind::Quit)
        m_jobs.take(*work);
}

void JobLoop::runJob(const JobWork &work)
{
    switch (work.kind) {
    case JobKind::DirectRead:
    case JobKind::DirectWrite:
        m_handlers.showDirect(work.kind == JobKind::DirectRead);
        break;
    case JobKind::ExtendedRead:
        m_handlers.showJobWindow(work, PlaceMode::Centred);
        break;
    case JobKind::ExtendedWrite:
        m_handlers.showJobWindow(work, PlaceMode::Centred);
        // The extended data are read back before anything else.
        m_jobs.requestFirst(JobWork::extendedRead());
        break;
    case JobKind::Initialise:
        runInitialise(work);
        break;
    case JobKind::ModeChange:
        m_handlers.showPanel();
        break;
    case JobKind::Quit:
        m_handlers.Disconnect();
        break;
    case JobKind::IpSettings:
        m_handlers.showIpSettings();
        break;
    case JobKind::TransferLoaded:
    case JobKind::Download:
    case JobKind::IpWrite:
        break; // served above, or run by the window that asked for them
    }
}

void JobLoop::runInitialise(const JobWork &work)
{
    const MsgAnswer answer = m_dialogs.message(initialiseConfirmText(work.target), MsgButtons::OkCancel,
                                               MsgIcon::Warning, QString());
    if (answer != MsgAnswer::Ok || m_link.offline())
        return;
    m_handlers.showJobWindow(work, PlaceMode::Centred);
    if (work.target >= FirstExtendedInitialiseCode)
        m_handlers.showJobWindow(JobWork::extendedRead(), PlaceMode::Centred);
}
