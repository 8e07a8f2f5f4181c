#pragma once

// Time and waiting for the whole program.
//
// The program is single-threaded and cooperative: every wait (for a reply,
// an acknowledge, the next poll) lets the event loop run. A wait never spins:
// it sleeps inside the event loop until an event arrives or its deadline
// passes. Tests replace the clock with ManualClock, whose waits advance a
// virtual time instead of sleeping, so a 20-second time-out costs nothing.

#include <QDateTime>
#include <QElapsedTimer>

#include <functional>
#include <memory>

class QTimer;

class Clock
{
public:
    virtual ~Clock() = default;

    // Monotonic seconds since an arbitrary origin.
    virtual double now() const = 0;

    // Processes pending events; when none are pending, sleeps until an event
    // arrives or maxSeconds have passed, whichever is first. maxSeconds <= 0
    // only processes what is already pending.
    virtual void waitForEvents(double maxSeconds) = 0;

    // Processes what is pending without waiting ("let the user interface run").
    void processEvents() { waitForEvents(0.0); }

    // Waits, processing events, until done() holds or `seconds` have passed.
    // Returns whether done() held.
    bool waitUntil(double seconds, const std::function<bool()> &done);

    // Lets events run for `seconds` (the fixed pauses of the protocol).
    void pause(double seconds);
};

// The real clock: QElapsedTimer time and QEventLoop::WaitForMoreEvents sleeps.
class SystemClock final : public Clock
{
public:
    SystemClock();
    ~SystemClock() override;
    double now() const override;
    void waitForEvents(double maxSeconds) override;

private:
    QElapsedTimer m_timer;
    // Wakes a sleep at its deadline. It is kept running between waits: the
    // job loop, woken early by a window's timer, sleeps on to the same
    // deadline, and a timer left as it is costs nothing.
    std::unique_ptr<QTimer> m_wake;
    double m_wakeAt = 0; // Clock time m_wake fires at, while it runs
};

// Virtual time for tests: waitForEvents processes pending events, then moves
// the clock forward by maxSeconds (at most `step` when a step is set), so
// time-outs elapse at once and deterministically.
class ManualClock final : public Clock
{
public:
    explicit ManualClock(double start = 1000.0) : m_now(start) {}
    double now() const override { return m_now; }
    void waitForEvents(double maxSeconds) override;

    void advance(double seconds) { m_now += seconds; }
    void set(double seconds) { m_now = seconds; }
    // Largest jump of one wait; 0 means jump straight to the deadline.
    void setStep(double seconds) { m_step = seconds; }
    // Called on every wait, before time moves: tests inject replies here.
    void setOnWait(std::function<void()> hook) { m_onWait = std::move(hook); }

private:
    double m_now;
    double m_step = 0.0;
    std::function<void()> m_onWait;
};

// The time of day as the Clock has it, for what the user reads ("reconnected
// at 10:42:07"): the wall-clock time when this was made, moved on by the
// Clock, so that on virtual time the times shown are fixed too.
class TimeOfDay
{
public:
    explicit TimeOfDay(const Clock &clock, const QDateTime &wallAtStart = QDateTime::currentDateTime());

    QDateTime at(double clockTime) const;
    const Clock &clock() const { return m_clock; }
    QDateTime now() const { return at(m_clock.now()); }
    // "HH:mm:ss" now.
    QString text() const;

private:
    const Clock &m_clock;
    QDateTime m_wallAtStart;
    double m_clockAtStart;
};
