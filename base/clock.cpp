#include "clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>

bool Clock::waitUntil(double seconds, const std::function<bool()> &done)
{
    const double deadline = now() + seconds;
    for (;;) {
        if (done())
            return true;
        const double left = deadline - now();
        if (left <= 0)
            return false;
        waitForEvents(left);
    }
}

void Clock::pause(double seconds)
{
    const double deadline = now() + seconds;
    for (double left = seconds; left > 0; left = deadline - now())
        waitForEvents(left);
}

SystemClock::SystemClock()
{
    m_timer.start();
}

SystemClock::~SystemClock() = default;

double SystemClock::now() const
{
    return double(m_timer.nsecsElapsed()) / 1e9;
}

void SystemClock::waitForEvents(double maxSeconds)
{
    if (!QCoreApplication::instance())
        return;
    if (maxSeconds <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // The timer only exists to wake the sleep at the deadline; any other
    // event (socket data, a click, a serial byte) wakes it earlier. One that
    // runs already and fires no later than this deadline serves as it is
    // (firing early only makes the caller wait again; a new one would fire up
    // to a millisecond late as well).
    const double deadline = now() + maxSeconds;
    if (!m_wake) {
        m_wake = std::make_unique<QTimer>();
        m_wake->setSingleShot(true);
        m_wake->setTimerType(Qt::PreciseTimer);
    }
    if (!m_wake->isActive() || m_wakeAt > deadline + 0.0011) {
        const int ms = int(std::clamp(std::ceil(maxSeconds * 1000.0), 1.0, 3600000.0));
        m_wake->start(ms);
        m_wakeAt = now() + ms / 1000.0;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void ManualClock::waitForEvents(double maxSeconds)
{
    if (m_onWait)
        m_onWait();
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (maxSeconds > 0)
        m_now += (m_step > 0) ? std::min(m_step, maxSeconds) : maxSeconds;
}

TimeOfDay::TimeOfDay(const Clock &clock, const QDateTime &wallAtStart)
    : m_clock(clock), m_wallAtStart(wallAtStart), m_clockAtStart(clock.now())
{
}

QDateTime TimeOfDay::at(double clockTime) const
{
    return m_wallAtStart.addMSecs(qint64(std::llround((clockTime - m_clockAtStart) * 1000.0)));
}

QString TimeOfDay::text() const
{
    return now().toString(QStringLiteral("HH:mm:ss"));
}
