#include "remote/controlwords.h"

namespace {

QByteArray onOff(bool on)
{
    return on ? "ON" : "OFF";
}

QByteArray panelWord(const RemoteSnapshot &s)
{
    if (!s.panelOpen)
        return "CLOSED";
    return s.executing ? "EXECUTING" : "DESIGN";
}

QByteArray blockedWord(const RemoteSnapshot &s)
{
    return s.blocked.isEmpty() ? QByteArray("NONE") : s.blocked.toUpper().toLatin1();
}

QByteArray seat(int mixer, int channel)
{
    return QByteArray::number(mixer) + ' ' + QByteArray::number(channel);
}

} // namespace

QByteArray errorLine(int code, const QByteArray &words)
{
    return "ERR " + QByteArray::number(code) + ' ' + words;
}

QByteArray switchLine(const SwitchOutcome &outcome, int mixer, int channel, bool on)
{
    if (outcome.verified())
        return "OK MIC " + seat(mixer, channel) + ' ' + onOff(on);
    // The interface's word, spelt for a terminal: "panel not executing".
    QByteArray words = switchErrorWord(outcome.error).toLatin1().replace('-', ' ');
    if (outcome.error == SwitchError::NotVerified)
        words = "not verified";
    if (outcome.error == SwitchError::Blocked)
        words += ' ' + outcome.blocked.toLatin1();
    return errorLine(outcome.status(), words);
}

QByteArray statusLine(const RemoteSnapshot &s)
{
    QList<QByteArray> on;
    for (int m = 1; m <= s.mixerCount; ++m)
        for (int c = 1; c <= ChannelCount; ++c)
            if (s.channels[size_t(m)][size_t(c - 1)].reported)
                on << QByteArray::number(m) + '/' + QByteArray::number(c);
    return "OK STATUS LINK=" + QByteArray(s.connected ? "UP" : "DOWN") + " MIXERS=" + QByteArray::number(s.mixerCount)
           + " PANEL=" + panelWord(s) + " BLOCKED=" + blockedWord(s)
           + " ON=" + (on.isEmpty() ? QByteArray("-") : on.join(','));
}

QList<QByteArray> eventLines(const RemoteSnapshot &before, const RemoteSnapshot &after)
{
    QList<QByteArray> out;
    if (before.connected != after.connected)
        out << "EVT LINK " + QByteArray(after.connected ? "UP" : "DOWN");
    if (before.mixerCount != after.mixerCount)
        out << "EVT MIXERS " + QByteArray::number(after.mixerCount);
    if (panelWord(before) != panelWord(after))
        out << "EVT PANEL " + panelWord(after);
    if (before.blocked != after.blocked)
        out << "EVT BLOCKED " + blockedWord(after);
    for (int m = 1; m <= std::min(before.mixerCount, after.mixerCount); ++m) {
        for (int c = 1; c <= ChannelCount; ++c) {
            const ChannelSnapshot &a = after.channels[size_t(m)][size_t(c - 1)];
            const ChannelSnapshot &b = before.channels[size_t(m)][size_t(c - 1)];
            const bool settledNow = a.sync != b.sync || a.on != b.on;
            if (settledNow && a.sync == RemoteValueState::Verified)
                out << "EVT MIC " + seat(m, c) + ' ' + onOff(a.on);
            else if (settledNow && a.sync == RemoteValueState::Failed)
                out << "EVT MIC " + seat(m, c) + ' ' + onOff(a.on) + " FAILED";
        }
    }
    // A request to speak that was not waiting before.
    const QJsonArray waited = before.meeting.value(QLatin1String("requests")).toArray();
    for (const QJsonValue &r : after.meeting.value(QLatin1String("requests")).toArray())
        if (!waited.contains(r))
            out << "EVT REQUEST " + seat(r[QLatin1String("mixer")].toInt(), r[QLatin1String("channel")].toInt());
    return out;
}
