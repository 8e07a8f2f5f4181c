#include "sim/simline.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSimLine, "zkvr.sim.line", QtWarningMsg)

double simMonotonicNow()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

SimLine::SimLine(QObject *parent) : QObject(parent) {}

SimLine::~SimLine()
{
    m_notifier.reset();
    if (m_timerFd >= 0)
        ::close(m_timerFd);
}

bool SimLine::setRate(int bitsPerSecond)
{
    m_rate = 0;
    if (bitsPerSecond <= 0)
        return true;
    if (m_timerFd < 0) {
        m_timerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (m_timerFd < 0) {
            qCWarning(lcSimLine) << "no timerfd; the line is not paced";
            return false;
        }
        m_notifier = std::make_unique<QSocketNotifier>(m_timerFd, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &SimLine::deliverDue);
    }
    m_rate = bitsPerSecond;
    return true;
}

double SimLine::byteTime() const
{
    return m_rate > 0 ? double(BitsPerByte) / m_rate : 0.0;
}

void SimLine::fromPc(const QByteArray &bytes)
{
    m_bytesFromPc += bytes.size();
    if (m_rate <= 0) {
        if (arrived)
            arrived(bytes);
        return;
    }
    queue(m_in, m_inFree, bytes);
}

void SimLine::toPc(const QByteArray &bytes)
{
    m_bytesToPc += bytes.size();
    if (m_rate <= 0) {
        if (carried)
            carried(bytes);
        return;
    }
    queue(m_out, m_outFree, bytes);
}

void SimLine::queue(std::deque<Piece> &direction, double &freeAt, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    // The bytes start once the line is free and are through after their line
    // time; they are handed over whole, as the receiver could not act on a
    // frame before its last byte anyway.
    const double start = std::max(simMonotonicNow(), freeAt);
    freeAt = start + double(bytes.size()) * byteTime();
    direction.push_back(Piece{freeAt, bytes});
    arm();
}

void SimLine::arm()
{
    double next = 0;
    for (const std::deque<Piece> *d : {&m_in, &m_out})
        if (!d->empty())
            next = next == 0 ? d->front().due : std::min(next, d->front().due);
    itimerspec due{};
    if (next > 0) {
        const double whole = std::floor(next);
        due.it_value.tv_sec = time_t(whole);
        due.it_value.tv_nsec = long((next - whole) * 1e9);
        if (due.it_value.tv_sec == 0 && due.it_value.tv_nsec == 0)
            due.it_value.tv_nsec = 1; // all zeros would disarm it
    }
    ::timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &due, nullptr);
}

void SimLine::deliverDue()
{
    uint64_t expirations = 0;
    [[maybe_unused]] const ssize_t n = ::read(m_timerFd, &expirations, sizeof expirations);
    const double now = simMonotonicNow();
    // Towards the mixer first: an acknowledge it sends in answer queues
    // behind what is already on its way to the PC.
    while (!m_in.empty() && m_in.front().due <= now) {
        const QByteArray bytes = std::move(m_in.front().bytes);
        m_in.pop_front();
        if (arrived)
            arrived(bytes);
    }
    while (!m_out.empty() && m_out.front().due <= now) {
        const QByteArray bytes = std::move(m_out.front().bytes);
        m_out.pop_front();
        if (carried)
            carried(bytes);
    }
    arm();
}
