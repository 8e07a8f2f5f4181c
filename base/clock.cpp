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

double SystemClock::now() const
{
    return double(m_timer.nsecsElapsed()) / 1e9;
}

void SystemClock::waitForEvents(double maxSeconds)
{
    if (!QCoreApplication::instance())
        return;
    QEventLoop loop;
    if (maxSeconds <= 0) {
        loop.processEvents(QEventLoop::AllEvents);
        return;
    }
    // The timer only exists to wake the sleep at the deadline; any other
    // event (socket data, a click, a serial byte) wakes it earlier.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    const int ms = int(std::clamp(std::ceil(maxSeconds * 1000.0), 1.0, 3600000.0));
    wake.start(ms);
    loop.processEvents(QEventLoop::WaitForMoreEvents);
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
