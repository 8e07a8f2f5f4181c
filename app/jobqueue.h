#pragma once

// The jobs asked of the job loop, waiting in the order they were asked for.
// Every window asks through request(); none overwrites another's job. The
// loop takes them out as it serves them (see JobLoop for the precedence).

#include "app/jobwork.h"
#include "base/pollhold.h"
#include "editor/editorjobs.h"

#include <deque>
#include <functional>
#include <optional>

class JobQueue
{
public:
    // Empties the link's receive side: a command's job starts from a quiet
    // line when nothing else was waiting.
    void setDrain(std::function<void()> drain) { m_drain = std::move(drain); }

    // Asks for a job. The same work already waiting is not asked for twice.
    void request(JobWork work);
    // A job that follows the one just run before any other (the read-back of
    // an extended write).
    void requestFirst(JobWork work);
    // Takes back what waits of `kind`; whether anything did.
    bool withdraw(JobKind kind);
    // The connect step starts with nothing asked for.
    void clear() { m_waiting.clear(); }

    bool waiting(JobKind kind) const;
    bool empty() const { return m_waiting.empty(); }
    // No job but a download waits and no window holds the poll.
    bool idle() const;
    // The first waiting job that `eligible` accepts.
    std::optional<JobWork> first(const std::function<bool(const JobWork &)> &eligible) const;
    // Removes the first waiting job equal to `work` (the loop, once it has
    // run it); whether there was one.
    bool take(const JobWork &work);

    // Windows that must not be interleaved with status requests hold the poll.
    PollHolds &pollHolds() { return m_holds; }
    bool pollHeld() const { return m_holds.held(); }

private:
    std::deque<JobWork> m_waiting;
    PollHolds m_holds;
    std::function<void()> m_drain;
};

// The editor's requests, carried to the queue.
class QueuedEditorJobs : public EditorJobs
{
public:
    explicit QueuedEditorJobs(JobQueue &jobs) : m_jobs(jobs) {}
    void readExtended() override { m_jobs.request(JobWork::extendedRead()); }
    void writeExtended(int group) override { m_jobs.request(JobWork::extendedWrite(group)); }
    void initialise(int mixer, int code) override { m_jobs.request(JobWork::initialise(mixer, code)); }
    bool withdrawEditorJobs() override;

private:
    JobQueue &m_jobs;
};
