#include "remote/remoteswitches.h"

#include "base/clock.h"
#include "link/linkstate.h"
#include "panel/meetingconsole.h"
#include "remote/remotehost.h"
#include "remote/remotejson.h"
#include "remote/remotesync.h"

#include <algorithm>
#include <memory>
#include <utility>

int SwitchOutcome::status() const
{
    switch (error) {
    case SwitchError::None: return 200;
    case SwitchError::NotLinked: return 404;
    case SwitchError::NoWriteAccess: return 403;
    case SwitchError::NotExecuting:
    case SwitchError::NoButton:
    case SwitchError::Limit:
    case SwitchError::Superseded: return 409;
    case SwitchError::Blocked:
    case SwitchError::LinkDown:
    case SwitchError::Stopped: return 503;
    case SwitchError::NotVerified:
    case SwitchError::Timeout: return 504;
    }
    return 500;
}

QString switchErrorWord(SwitchError error)
{
    switch (error) {
    case SwitchError::None:
    case SwitchError::NotVerified: return {};
    case SwitchError::NotLinked: return QStringLiteral("not-linked");
    case SwitchError::NoWriteAccess: return QStringLiteral("no-write-access");
    case SwitchError::NotExecuting: return QStringLiteral("panel-not-executing");
    case SwitchError::NoButton: return QStringLiteral("no-button");
    case SwitchError::Limit: return QStringLiteral("limit");
    case SwitchError::Superseded: return QStringLiteral("superseded");
    case SwitchError::Blocked: return QStringLiteral("blocked");
    case SwitchError::LinkDown: return QStringLiteral("link-down");
    case SwitchError::Stopped: return QStringLiteral("server-stopped");
    case SwitchError::Timeout: return QStringLiteral("timeout");
    }
    return {};
}

RemoteSwitches::RemoteSwitches(const RemoteHost &host, RemoteSyncView &sync, QObject *parent)
    : QObject(parent), m_host(host), m_sync(sync)
{
    m_deadlineTimer.setInterval(1000);
    connect(&m_deadlineTimer, &QTimer::timeout, this, [this] { settle({}); });
}

std::optional<SwitchOutcome> RemoteSwitches::refusal(int mixer, int channel) const
{
    const int linked = qBound(0, int(m_host.mixers.MixerCount), MaxMixers);
    if (mixer < 1 || mixer > linked || channel < 1 || channel > ChannelCount)
        return SwitchOutcome{SwitchError::NotLinked};
    // The mixers refused this program's writes (the Ethernet access check):
    // no switch would arrive.
    if (!m_host.mixers.WriteAccess)
        return SwitchOutcome{SwitchError::NoWriteAccess};
    return std::nullopt;
}

void RemoteSwitches::ask(int mixer, int channel, bool on, QPointer<QObject> owner, Answer answer)
{
    if (const auto refused = refusal(mixer, channel))
        return answer(*refused);
    if (!(m_host.executing && m_host.executing()))
        return answer({SwitchError::NotExecuting});
    const int panelMixer = mixer - 1;
    const int slot = channel - 1;
    if (panelMixer >= Panel::MaxMixers || !m_host.panel.slot(panelMixer, slot).IconEnable)
        return answer({SwitchError::NoButton});
    // A modal window holds the job loop: nothing asked now may happen
    // whenever someone answers it.
    if (const QString blocked = m_host.blocked ? m_host.blocked() : QString(); !blocked.isEmpty())
        return answer({SwitchError::Blocked, blocked});
    // Nothing reaches the mixers, and what was read of them before may no
    // longer hold: the panel's button is greyed, and so is this switch.
    if (m_host.link.down())
        return answer({SwitchError::LinkDown});
    bool didPress = false;
    if (m_host.panel.slot(panelMixer, slot).IconOnOff != on) {
        if (const SwitchError refused = press(panelMixer, slot); refused != SwitchError::None)
            return answer({refused});
        didPress = true;
    }
    Switch s{std::move(owner), std::move(answer), mixer, channel, on, didPress, true, false,
             m_host.clock.now() + Deadline};
    if (!settleOne(s)) {
        m_waiting.push_back(std::move(s));
        m_deadlineTimer.start();
    }
    if (didPress)
        emit pressed();
}

SwitchError RemoteSwitches::press(int panelMixer, int slot)
{
    // The meeting console says why it refused a press as it refuses it.
    MeetingConsole *console = m_host.meeting ? m_host.meeting() : nullptr;
    MeetingRefusal why = MeetingRefusal::None;
    QMetaObject::Connection heard;
    if (console)
        heard = connect(console, &MeetingConsole::refused, this, [&why](ButtonRef, MeetingRefusal r) { why = r; });
    const bool pressed = m_host.press(panelMixer, slot);
    disconnect(heard);
    if (pressed)
        return SwitchError::None;
    return why == MeetingRefusal::Limit ? SwitchError::Limit : SwitchError::NotExecuting;
}

void RemoteSwitches::await(const std::vector<Seat> &seats, QPointer<QObject> owner, Answer answer)
{
    struct Together
    {
        size_t left = 0;
        SwitchOutcome first{SwitchError::None, {}, true};
        Answer answer;
    };
    auto together = std::make_shared<Together>(Together{seats.size(), {SwitchError::None, {}, true}, std::move(answer)});
    if (seats.empty())
        return together->answer(together->first);
    for (const Seat &seat : seats) {
        Answer one = [together](const SwitchOutcome &o) {
            if (!o.verified() && together->first.verified())
                together->first = o;
            if (--together->left == 0)
                together->answer(together->first);
        };
        // The console pressed it: its write is seen waiting before any answer.
        Switch s{owner, std::move(one), seat.mixer, seat.channel, seat.on, true, false, false,
                 m_host.clock.now() + Deadline};
        if (!settleOne(s)) {
            m_waiting.push_back(std::move(s));
            m_deadlineTimer.start();
        }
    }
}

bool RemoteSwitches::settleOne(Switch &s)
{
    if (!s.owner)
        return true; // the client went away
    const RemoteValueState state = m_sync.channelState(s.mixer, s.channel);
    const bool wanted = channelOn(m_host.mixers.MixerSetData[size_t(s.mixer)], s.channel);
    auto finish = [&](SwitchError error) {
        s.answer({error, {}, true});
        return true;
    };
    const bool late = m_host.clock.now() > s.deadline;
    if (wanted != s.on)
        return finish(SwitchError::Superseded);
    // After a press, what the state said before (a verified or failed
    // earlier write) is no answer: the new write is seen waiting first.
    if (state == RemoteValueState::Waiting || (s.pressed && !s.sawWaiting)) {
        s.sawWaiting = s.sawWaiting || state == RemoteValueState::Waiting;
        return late ? finish(SwitchError::Timeout) : false;
    }
    if (state == RemoteValueState::Failed)
        return finish(SwitchError::NotVerified);
    // Verified says the mixer was read holding the switch, after the
    // connection last came back: the read-back of this write, or (a switch
    // that pressed nothing) the last read of the mixer's two values.
    if (m_sync.mixersCurrent()
        && ((state == RemoteValueState::Verified && s.sawWaiting) || holdsWanted(s.mixer, s.channel)))
        return finish(SwitchError::None);
    return late ? finish(SwitchError::Timeout) : false;
}

bool RemoteSwitches::holdsWanted(int mixer, int channel) const
{
    const MixerDataRecord &held = m_host.mixers.MixerData[size_t(mixer)];
    const MixerDataRecord &wanted = m_host.mixers.MixerSetData[size_t(mixer)];
    for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff})
        if (held.channel(f, channel) != wanted.channel(f, channel))
            return false;
    return true;
}

void RemoteSwitches::settle(const QString &blocked)
{
    m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(), [this](Switch &s) { return settleOne(s); }),
                    m_waiting.end());
    if (!blocked.isEmpty())
        holdBack(blocked);
    if (m_waiting.empty())
        m_deadlineTimer.stop();
}

void RemoteSwitches::holdBack(const QString &blocked)
{
    // Taken out first: a press back changes the system, and whoever follows
    // it settles again.
    const std::vector<Switch> held = std::exchange(m_waiting, {});
    for (const Switch &s : held) {
        if (!s.owner)
            continue;
        s.answer({SwitchError::Blocked, blocked});
        const bool stillAsked = channelOn(m_host.mixers.MixerSetData[size_t(s.mixer)], s.channel) == s.on;
        if (s.pressed && s.pressBack && stillAsked && m_host.press)
            m_host.press(s.mixer - 1, s.channel - 1);
    }
}

void RemoteSwitches::stopAll()
{
    const std::vector<Switch> held = std::exchange(m_waiting, {});
    m_deadlineTimer.stop();
    for (const Switch &s : held)
        if (s.owner)
            s.answer({SwitchError::Stopped});
}
