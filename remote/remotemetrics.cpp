#include "remote/remotemetrics.h"

#include <cmath>

void RemoteMetrics::attach(SyncStatus *status)
{
    if (m_events)
        disconnect(m_events, nullptr, this, nullptr);
    m_status = status;
    m_events = status ? &status->events() : nullptr;
    m_states.clear();
    if (m_events)
        connect(m_events, &SyncEvents::valueStateChanged, this, &RemoteMetrics::valueChanged);
}

void RemoteMetrics::notePoll(bool good, double now)
{
    if (good)
        m_lastGoodPoll = now;
}

void RemoteMetrics::valueChanged(int mixer, int id)
{
    if (!m_status)
        return;
    const ValueState now = m_status->valueStatus(mixer, id).state;
    ValueState &before = m_states[{mixer, id}];
    // A value is counted once per write: verified after it waited, failed
    // when it turns failed (a value judged again after a reconnection is
    // no new write).
    if (now == ValueState::Verified && before == ValueState::Waiting)
        ++m_verified;
    else if (now == ValueState::Failed && before != ValueState::Failed)
        ++m_failed;
    before = now;
}

namespace {

void family(QByteArray &out, const char *name, const char *type, const char *help)
{
    out += QByteArray("# HELP ") + name + ' ' + help + "\n# TYPE " + name + ' ' + type + '\n';
}

void sample(QByteArray &out, const char *name, const QByteArray &labels, double value)
{
    out += name;
    if (!labels.isEmpty())
        out += '{' + labels + '}';
    out += ' ';
    out += std::isinf(value) ? QByteArray("+Inf") : QByteArray::number(value, 'g', 15);
    out += '\n';
}

QByteArray seatLabels(int mixer, int channel)
{
    return "mixer=\"" + QByteArray::number(mixer) + "\",channel=\"" + QByteArray::number(channel) + '"';
}

} // namespace

QByteArray metricsText(const MetricsFigures &f)
{
    QByteArray out;
    out.reserve(16 * 1024);
    family(out, "zkvr_link_up", "gauge", "1 while the link is connected and a mixer answers.");
    sample(out, "zkvr_link_up", {}, f.system.connected ? 1 : 0);
    family(out, "zkvr_mixers_linked", "gauge", "Mixers counted on the link.");
    sample(out, "zkvr_mixers_linked", {}, f.system.mixerCount);
    family(out, "zkvr_seconds_since_good_poll", "gauge",
           "Seconds since a status poll last found the link up with mixers on it (+Inf: none yet).");
    sample(out, "zkvr_seconds_since_good_poll", {}, f.sinceGoodPoll ? std::max(0.0, *f.sinceGoodPoll) : INFINITY);
    family(out, "zkvr_writes_verified_total", "counter", "Values written to a mixer and read back holding them.");
    sample(out, "zkvr_writes_verified_total", {}, double(f.writesVerified));
    family(out, "zkvr_writes_failed_total", "counter", "Values a mixer did not hold when the write passes ran out.");
    sample(out, "zkvr_writes_failed_total", {}, double(f.writesFailed));
    family(out, "zkvr_reconnects_total", "counter", "Times the connection came back since the link opened.");
    sample(out, "zkvr_reconnects_total", {}, f.reconnects);
    family(out, "zkvr_seat_on", "gauge", "1 when the mixer last reported the seat's microphone switched on.");
    for (int m = 1; m <= f.system.mixerCount; ++m)
        for (int c = 1; c <= ChannelCount; ++c)
            sample(out, "zkvr_seat_on", seatLabels(m, c), f.system.channels[size_t(m)][size_t(c - 1)].reported ? 1 : 0);
    family(out, "zkvr_seat_failed", "gauge", "1 while the seat's last switch failed to verify.");
    for (int m = 1; m <= f.system.mixerCount; ++m)
        for (int c = 1; c <= ChannelCount; ++c)
            sample(out, "zkvr_seat_failed", seatLabels(m, c),
                   f.system.channels[size_t(m)][size_t(c - 1)].sync == RemoteValueState::Failed ? 1 : 0);
    family(out, "zkvr_clients", "gauge", "Clients connected, by front: page, interface (events) and line control.");
    sample(out, "zkvr_clients", "front=\"page\"", f.pageClients);
    sample(out, "zkvr_clients", "front=\"interface\"", f.interfaceClients);
    sample(out, "zkvr_clients", "front=\"line\"", f.lineClients);
    return out + f.more;
}

QByteArray meetingMetricsText(const QJsonObject &meeting)
{
    QByteArray out;
    family(out, "zkvr_seat_speaking_seconds", "gauge",
           "Seconds the seat has spoken since the mixer held its switch on (0 while off).");
    for (const QJsonValue &v : meeting.value(QLatin1String("seats")).toArray())
        sample(out, "zkvr_seat_speaking_seconds",
               seatLabels(v[QLatin1String("mixer")].toInt(), v[QLatin1String("channel")].toInt()),
               v[QLatin1String("seconds")].toInt());
    family(out, "zkvr_requests_waiting", "gauge", "Requests to speak waiting on the meeting console.");
    sample(out, "zkvr_requests_waiting", {}, double(meeting.value(QLatin1String("requests")).toArray().size()));
    return out;
}
