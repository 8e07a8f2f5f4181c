#include "panel/meetingconsole.h"

#include "base/clock.h"
#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"
#include "panel/remotechannels.h"

#include <algorithm>

namespace {

constexpr int FirstSwitchId = channelKeyId(ChannelFamily::RemoteOn, 1);
constexpr int LastSwitchId = channelKeyId(ChannelFamily::RemoteOff, ChannelCount);

int channelOf(int id)
{
    return (id - 1) % ChannelCount + 1;
}

const ButtonRef NoSeat{-1, -1};

} // namespace

MeetingConsole::MeetingConsole(Context context, QString recordPath, QObject *parent)
    : QObject(parent), m_ctx(context), m_record(std::move(recordPath))
{
    if (m_ctx.sync) {
        m_events = &m_ctx.sync->events();
        connect(m_events, &SyncEvents::valueStateChanged, this, &MeetingConsole::onValueState);
    }
}

void MeetingConsole::setExecuting(bool executing, int mixers)
{
    if (executing == m_executing)
        return;
    if (!executing) {
        // What runs ends in the record: the console counts no more.
        for (const ButtonRef &s : seats()) {
            if (const auto speech = m_times.drop(s, m_ctx.clock.now()))
                keep(*speech);
            m_times.failed(s);
            followOf(s) = {};
        }
        m_executing = false;
        return;
    }
    m_executing = true;
    m_mixers = qBound(0, mixers, Panel::MaxMixers);
    // The seats on as the execution begins count from their verification;
    // one the mixers hold already counts from now.
    for (const ButtonRef &s : seats()) {
        if (!m_ctx.panel.slot(s.mixer, s.slot).IconOnOff)
            continue;
        m_times.submitted(s, true);
        followOf(s) = {};
        follow(s);
    }
}

bool MeetingConsole::isSeat(ButtonRef seat) const
{
    return seat.mixer >= 0 && seat.mixer < m_mixers && seat.slot >= 0 && seat.slot < Panel::ChannelSlots
        && m_ctx.panel.slot(seat.mixer, seat.slot).IconEnable;
}

bool MeetingConsole::isChair(ButtonRef seat) const
{
    return m_ctx.panel.meeting.isChair(seat.mixer, seat.slot);
}

std::vector<ButtonRef> MeetingConsole::seats() const
{
    std::vector<ButtonRef> out;
    for (const ButtonRef &b : enabledButtons(m_ctx.panel, m_mixers))
        if (!b.isOutput())
            out.push_back(b);
    return out;
}

std::vector<ButtonRef> MeetingConsole::delegatesOn() const
{
    std::vector<ButtonRef> on;
    for (const ButtonRef &s : seats())
        if (!isChair(s) && m_ctx.panel.slot(s.mixer, s.slot).IconOnOff)
            on.push_back(s);
    return m_times.longestFirst(on);
}

const MeetingSettings &MeetingConsole::settings() const
{
    return m_ctx.panel.meeting.settings;
}

MeetingRefusal MeetingConsole::refuse(ButtonRef seat, MeetingRefusal why)
{
    emit refused(seat, why);
    return why;
}

void MeetingConsole::switchSeat(ButtonRef seat, bool on)
{
    m_ctx.panel.slot(seat.mixer, seat.slot).IconOnOff = on;
    m_ctx.remote.switchChannel(seat.mixer, seat.slot, on);
    m_times.submitted(seat, on);
    followOf(seat).pressed = true;
    followOf(seat).sawWaiting = false;
    if (on && m_requests.withdraw(seat))
        emit requestsChanged();
    emit seatChanged(seat);
    follow(seat);
}

MeetingRefusal MeetingConsole::press(ButtonRef seat)
{
    if (!m_executing)
        return refuse(seat, MeetingRefusal::NotExecuting);
    if (!isSeat(seat))
        return refuse(seat, MeetingRefusal::NoSeat);
    if (m_ctx.panel.slot(seat.mixer, seat.slot).IconOnOff) {
        switchSeat(seat, false);
        return MeetingRefusal::None;
    }
    if (!isChair(seat)) {
        const std::vector<ButtonRef> speaking = delegatesOn();
        switch (micDecision(int(speaking.size()), settings())) {
        case MicDecision::SwitchOn:
            break;
        case MicDecision::Refuse:
            return refuse(seat, MeetingRefusal::Limit);
        case MicDecision::LongestOffFirst: {
            // As many go as leave room for this one.
            const size_t keep = size_t(settings().bounded().micLimit - 1);
            for (size_t i = 0; i + keep < speaking.size(); ++i)
                switchSeat(speaking[i], false);
            break;
        }
        }
    }
    switchSeat(seat, true);
    return MeetingRefusal::None;
}

void MeetingConsole::switchDelegatesOff()
{
    for (const ButtonRef &s : delegatesOn())
        switchSeat(s, false);
}

MeetingRefusal MeetingConsole::allOff()
{
    if (!m_executing)
        return refuse(NoSeat, MeetingRefusal::NotExecuting);
    switchDelegatesOff();
    return MeetingRefusal::None;
}

MeetingRefusal MeetingConsole::next()
{
    if (!m_executing)
        return refuse(NoSeat, MeetingRefusal::NotExecuting);
    // A request whose button went away since is passed over.
    std::optional<RequestList::Request> first;
    while ((first = m_requests.takeFirst()) && !isSeat(first->seat)) {
    }
    emit requestsChanged();
    if (!first)
        return refuse(NoSeat, MeetingRefusal::NoRequests);
    switchDelegatesOff();
    switchSeat(first->seat, true);
    return MeetingRefusal::None;
}

MeetingRefusal MeetingConsole::request(ButtonRef seat)
{
    if (!m_executing)
        return refuse(seat, MeetingRefusal::NotExecuting);
    if (!isSeat(seat))
        return refuse(seat, MeetingRefusal::NoSeat);
    if (isChair(seat))
        return refuse(seat, MeetingRefusal::ChairSeat);
    if (m_ctx.panel.slot(seat.mixer, seat.slot).IconOnOff)
        return refuse(seat, MeetingRefusal::Speaking);
    if (const MeetingRefusal why = m_requests.add(seat, m_ctx.clock.now()); why != MeetingRefusal::None)
        return refuse(seat, why);
    emit requestsChanged();
    return MeetingRefusal::None;
}

MeetingRefusal MeetingConsole::withdraw(ButtonRef seat)
{
    if (!m_requests.withdraw(seat))
        return refuse(seat, MeetingRefusal::NotRequested);
    emit requestsChanged();
    return MeetingRefusal::None;
}

bool MeetingConsole::startMeeting()
{
    m_meetingStart = m_ctx.clock.now();
    const bool written = m_record.start(m_ctx.timeOfDay.at(m_meetingStart));
    m_requests.clear();
    emit requestsChanged();
    emit recordChanged();
    return written;
}

void MeetingConsole::setSettings(const MeetingSettings &settings)
{
    m_ctx.panel.meeting.settings = settings.bounded();
    emit settingsChanged();
    tick();
}

double MeetingConsole::seconds(ButtonRef seat) const
{
    return m_times.seconds(seat, m_ctx.clock.now());
}

SpeakingMark MeetingConsole::mark(ButtonRef seat) const
{
    if (!m_times.since(seat))
        return {};
    return speakingMark(seconds(seat), settings(), isChair(seat));
}

bool MeetingConsole::anyRunning() const
{
    const std::vector<ButtonRef> all = seats();
    return std::any_of(all.begin(), all.end(), [this](ButtonRef s) { return running(s); });
}

double MeetingConsole::waiting(const RequestList::Request &r) const
{
    return std::max(0.0, m_ctx.clock.now() - r.since);
}

void MeetingConsole::tick()
{
    if (!m_executing)
        return;
    for (const ButtonRef &s : seats()) {
        const SpeakingMark m = mark(s);
        SeatFollow &f = followOf(s);
        if (m.phase != f.phase) {
            f.phase = m.phase;
            emit seatChanged(s);
        }
        const bool due = m.phase == SpeakingPhase::Ended && settings().atEnd == SpeakingEnd::SwitchOff;
        if (due && m_ctx.panel.slot(s.mixer, s.slot).IconOnOff)
            switchSeat(s, false);
    }
}

bool MeetingConsole::mixerHolds(ButtonRef seat) const
{
    const int wire = seat.mixer + 1;
    const int c = seat.slot + 1;
    for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff})
        if (m_ctx.mixers.MixerData[size_t(wire)].channel(f, c) != m_ctx.mixers.MixerSetData[size_t(wire)].channel(f, c))
            return false;
    return true;
}

void MeetingConsole::follow(ButtonRef seat)
{
    if (!m_ctx.sync || !m_times.awaiting(seat))
        return;
    const int wire = seat.mixer + 1;
    const int c = seat.slot + 1;
    const ValueState state = switchState(m_ctx.sync->valueStatus(wire, channelKeyId(ChannelFamily::RemoteOn, c)).state,
                                         m_ctx.sync->valueStatus(wire, channelKeyId(ChannelFamily::RemoteOff, c)).state);
    SeatFollow &f = followOf(seat);
    if (state == ValueState::Waiting) {
        f.sawWaiting = true;
        return;
    }
    // After a switch, what the state said before it (an earlier write's
    // outcome) is no answer: the new write is seen waiting first.
    if (f.pressed && !f.sawWaiting)
        return;
    if (state == ValueState::Failed) {
        m_times.failed(seat);
        emit seatChanged(seat);
        return;
    }
    const bool verified = f.sawWaiting ? state == ValueState::Verified
                                       : m_ctx.sync->mixersCurrent() && mixerHolds(seat);
    if (!verified)
        return;
    if (const auto speech = m_times.verified(seat, m_ctx.clock.now()))
        keep(*speech);
    emit seatChanged(seat);
}

void MeetingConsole::onValueState(int wireMixer, int id)
{
    if (!m_executing || id < FirstSwitchId || id > LastSwitchId)
        return;
    const ButtonRef seat{wireMixer - 1, channelOf(id) - 1};
    if (isSeat(seat))
        follow(seat);
}

void MeetingConsole::keep(const SpeakingTimes::Speech &speech)
{
    const double from = std::max(speech.from, m_meetingStart);
    SpeakingRecord::Entry e;
    e.seat = speech.seat;
    e.caption = m_ctx.panel.slot(speech.seat.mixer, speech.seat.slot).IconText;
    e.from = m_ctx.timeOfDay.at(from);
    e.to = m_ctx.timeOfDay.at(speech.to);
    e.seconds = std::max(0.0, speech.to - from);
    m_record.append(std::move(e));
    emit recordChanged();
}
