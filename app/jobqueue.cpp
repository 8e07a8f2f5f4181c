#include "app/jobqueue.h"

#include <algorithm>

namespace {
// Jobs of a window's command start from a quiet line. A download always
// does; the program's own steps (a transfer, a mode change, quitting) never.
enum class Drain { Never, WhenIdle, Always };

Drain drainBefore(JobKind kind)
{
    switch (kind) {
    case JobKind::Download: return Drain::Always;
    case JobKind::ExtendedRead:
    case JobKind::ExtendedWrite:
    case JobKind::Initialise:
    case JobKind::DirectRead:
    case JobKind::DirectWrite:
    case JobKind::IpSettings: return Drain::WhenIdle;
    case JobKind::TransferLoaded:
    case JobKind::IpWrite:
    case JobKind::ModeChange:
    case JobKind::Quit: break;
    }
    return Drain::Never;
}
} // namespace

void JobQueue::request(JobWork work)
{
    const Drain drain = drainBefore(work.kind);
    const bool quiet = drain == Drain::Always || (drain == Drain::WhenIdle && idle());
    if (std::find(m_waiting.begin(), m_waiting.end(), work) == m_waiting.end())
        m_waiting.push_back(std::move(work));
    if (quiet && m_drain)
        m_drain();
}

void JobQueue::requestFirst(JobWork work)
{
    take(work);
    m_waiting.push_front(std::move(work));
}

bool JobQueue::withdraw(JobKind kind)
{
    const auto gone = std::remove_if(m_waiting.begin(), m_waiting.end(),
                                     [kind](const JobWork &w) { return w.kind == kind; });
    const bool any = gone != m_waiting.end();
    m_waiting.erase(gone, m_waiting.end());
    return any;
}

bool JobQueue::waiting(JobKind kind) const
{
    return std::any_of(m_waiting.begin(), m_waiting.end(), [kind](const JobWork &w) { return w.kind == kind; });
}

bool JobQueue::idle() const
{
    return !pollHeld() && std::all_of(m_waiting.begin(), m_waiting.end(), [](const JobWork &w) {
        return w.kind == JobKind::Download;
    });
}

std::optional<JobWork> JobQueue::first(const std::function<bool(const JobWork &)> &eligible) const
{
    const auto it = std::find_if(m_waiting.begin(), m_waiting.end(), eligible);
    if (it == m_waiting.end())
        return std::nullopt;
    return *it;
}

bool JobQueue::take(const JobWork &work)
{
    const auto it = std::find(m_waiting.begin(), m_waiting.end(), work);
    if (it == m_waiting.end())
        return false;
    m_waiting.erase(it);
    return true;
}

bool QueuedEditorJobs::withdrawEditorJobs()
{
    m_jobs.withdraw(JobKind::ExtendedRead);
    m_jobs.withdraw(JobKind::Initialise);
    return m_jobs.withdraw(JobKind::ExtendedWrite);
}
