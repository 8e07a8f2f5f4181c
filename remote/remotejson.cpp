#include "remote/remotejson.h"

#include "link/linkstate.h"
#include "remote/remotehost.h"
#include "remote/remotemeeting.h"

#include <QFileInfo>

namespace {

QString linkKindName(LinkKind kind)
{
    switch (kind) {
    case LinkKind::Rs232c: return QStringLiteral("rs232c");
    case LinkKind::Usb: return QStringLiteral("usb");
    case LinkKind::Offline: return QStringLiteral("offline");
    case LinkKind::Ethernet: return QStringLiteral("ethernet");
    }
    return QStringLiteral("offline");
}

QJsonObject channelJson(int channel, const ChannelSnapshot &c)
{
    return {{QStringLiteral("channel"), channel},
            {QStringLiteral("on"), c.on},
            {QStringLiteral("reported"), c.reported},
            {QStringLiteral("sync"), QString::fromLatin1(stateName(c.sync))}};
}

QJsonObject linkJson(const RemoteSnapshot &s)
{
    return {{QStringLiteral("kind"), s.linkKind}, {QStringLiteral("connected"), s.connected}};
}

// A text, or null when there is none.
QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

} // namespace

bool channelOn(const MixerDataRecord &record, int channel)
{
    return record.channel(ChannelFamily::RemoteOn, channel) == 1
           && record.channel(ChannelFamily::RemoteOff, channel) == 0;
}

QString cssColor(qint32 bgr)
{
    const quint32 v = quint32(bgr);
    const quint32 rgb = ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

RemoteSnapshot RemoteSnapshot::take(const MixerState &mixers, const LinkState &link, const RemoteSyncView &sync,
                                    bool panelOpen, bool executing)
{
    RemoteSnapshot s;
    s.linkKind = linkKindName(link.linkKind);
    s.mixerCount = qBound(0, int(mixers.MixerCount), MaxMixers);
    s.connected = !link.offline() && !link.closed && !link.down() && s.mixerCount > 0;
    s.panelOpen = panelOpen;
    s.executing = executing;
    for (int m = 1; m <= s.mixerCount; ++m) {
        s.model[size_t(m)] = mixers.Model[size_t(m)];
        for (int c = 1; c <= ChannelCount; ++c) {
            ChannelSnapshot &ch = s.channels[size_t(m)][size_t(c - 1)];
            ch.on = channelOn(mixers.MixerSetData[size_t(m)], c);
            ch.reported = channelOn(mixers.MixerData[size_t(m)], c);
            ch.sync = sync.channelState(m, c);
        }
    }
    return s;
}

RemoteSnapshot snapshotOf(const RemoteHost &host, const RemoteSyncView &sync)
{
    RemoteSnapshot s = RemoteSnapshot::take(host.mixers, host.link, sync, host.panelOpen && host.panelOpen(),
                                            host.executing && host.executing());
    if (host.virtualMixers && host.virtualMixers())
        s.linkKind = QStringLiteral("virtual");
    if (host.settingsFile)
        s.file = QFileInfo(host.settingsFile()).fileName();
    if (host.blocked)
        s.blocked = host.blocked();
    if (const MeetingConsole *console = host.meeting ? host.meeting() : nullptr)
        s.meeting = meetingJson(*console, false);
    return s;
}

QJsonObject statusJson(const RemoteSnapshot &s)
{
    QJsonArray list;
    for (int m = 1; m <= s.mixerCount; ++m) {
        QJsonArray channels;
        for (int c = 1; c <= ChannelCount; ++c)
            channels.append(channelJson(c, s.channels[size_t(m)][size_t(c - 1)]));
        list.append(QJsonObject{{QStringLiteral("mixer"), m},
                                {QStringLiteral("model"), s.model[size_t(m)]},
                                {QStringLiteral("channels"), channels}});
    }
    return {{QStringLiteral("link"), linkJson(s)},
            {QStringLiteral("mixerCount"), s.mixerCount},
            {QStringLiteral("panel"), QJsonObject{{QStringLiteral("open"), s.panelOpen},
                                                  {QStringLiteral("executing"), s.executing}}},
            {QStringLiteral("file"), textOrNull(s.file)},
            {QStringLiteral("blocked"), textOrNull(s.blocked)},
            {QStringLiteral("mixers"), list}};
}

QJsonObject panelJson(const PanelState &panel, int mixers, bool executing)
{
    QJsonArray buttons;
    const int count = qBound(0, mixers, Panel::MaxMixers);
    for (int m = 0; m < count; ++m) {
        for (int slot = 0; slot < Panel::SlotsPerMixer; ++slot) {
            const ButtonSlot &b = panel.buttons.at(size_t(m)).at(size_t(slot));
            if (!b.IconEnable)
                continue;
            const bool output = slot == Panel::OutputSlot;
            QJsonArray caption;
            for (const QString &line : b.IconText.split(QStringLiteral("\r\n")).mid(0, 2))
                caption.append(line);
            QJsonObject o{{QStringLiteral("mixer"), m + 1},
                          {QStringLiteral("slot"), slot},
                          {QStringLiteral("output"), output},
                          {QStringLiteral("caption"), caption},
                          {QStringLiteral("left"), b.IconLeft},
                          {QStringLiteral("top"), b.IconTop},
                          {QStringLiteral("width"), b.IconWidth},
                          {QStringLiteral("height"), b.IconHeight},
                          {QStringLiteral("font"), QJsonObject{{QStringLiteral("name"), b.IconFontName},
                                                               {QStringLiteral("size"), b.IconFontSize},
                                                               {QStringLiteral("bold"), b.IconFontBold},
                                                               {QStringLiteral("italic"), b.IconFontItalic}}},
                          {QStringLiteral("offColor"), cssColor(b.IconColorDef)}};
            if (!output) {
                o.insert(QStringLiteral("channel"), slot + 1);
                o.insert(QStringLiteral("onColor"), cssColor(b.IconColorOn));
                o.insert(QStringLiteral("on"), b.IconOnOff);
            }
            buttons.append(o);
        }
    }
    return {{QStringLiteral("executing"), executing},
            {QStringLiteral("windowColor"), cssColor(panel.GUIWindowColor)},
            {QStringLiteral("buttons"), buttons}};
}

std::vector<QJsonObject> eventsBetween(const RemoteSnapshot &before, const RemoteSnapshot &after,
                                       const QJsonObject &meetingNow)
{
    std::vector<QJsonObject> out;
    if (before.connected != after.connected || before.linkKind != after.linkKind)
        out.push_back({{QStringLiteral("type"), QStringLiteral("link")}, {QStringLiteral("link"), linkJson(after)}});
    if (before.mixerCount != after.mixerCount)
        out.push_back({{QStringLiteral("type"), QStringLiteral("mixerCount")},
                       {QStringLiteral("mixerCount"), after.mixerCount}});
    if (before.panelOpen != after.panelOpen || before.executing != after.executing)
        out.push_back({{QStringLiteral("type"), QStringLiteral("panel")},
                       {QStringLiteral("open"), after.panelOpen},
                       {QStringLiteral("executing"), after.executing}});
    if (before.blocked != after.blocked)
        out.push_back({{QStringLiteral("type"), QStringLiteral("blocked")},
                       {QStringLiteral("blocked"), textOrNull(after.blocked)}});
    for (int m = 1; m <= after.mixerCount; ++m) {
        for (int c = 1; c <= ChannelCount; ++c) {
            const ChannelSnapshot &a = after.channels[size_t(m)][size_t(c - 1)];
            // A mixer newly counted reports its channels too.
            if (m <= before.mixerCount && before.channels[size_t(m)][size_t(c - 1)] == a)
                continue;
            QJsonObject o = channelJson(c, a);
            o.insert(QStringLiteral("type"), QStringLiteral("channel"));
            o.insert(QStringLiteral("mixer"), m);
            out.push_back(o);
        }
    }
    if (before.meeting != after.meeting && !after.meeting.isEmpty()) {
        QJsonObject o = meetingNow.isEmpty() ? after.meeting : meetingNow;
        o.insert(QStringLiteral("type"), QStringLiteral("meeting"));
        out.push_back(o);
    }
    return out;
}
