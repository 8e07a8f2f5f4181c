#pragma once

// The meeting console: the panel's channel buttons as the seats of a council
// chamber or a meeting room, in the execution state. It keeps each seat's
// speaking time (counted from the mixer's verification of its switch, on
// the program's Clock), the speaking-time limit with its warning, the
// delegates' microphone limit (拒否 or 先着順), 全員オフ, the requests to
// speak with 次の発言者, and the record of who spoke when. The chair's
// seats are exempt from the limits and from 全員オフ.
//
// Every action is one call that answers at once whether it was taken (a
// MeetingRefusal says why not); what follows comes as signals. Switches go
// the panel's one way, RemoteChannels and SyncStatus::submit, and times
// start and end when the mixers are verified holding them.

#include "panel/meetingrules.h"
#include "panel/paneldesign.h"
#include "panel/requestlist.h"
#include "panel/speakingrecord.h"
#include "panel/speakingtimes.h"

#include <QObject>
#include <QPointer>

class Clock;
class RemoteChannels;
class SyncEvents;
class SyncStatus;
class TimeOfDay;
struct MixerState;

class MeetingConsole : public QObject
{
    Q_OBJECT

public:
    struct Context
    {
        PanelState &panel;
        RemoteChannels &remote;
        const MixerState &mixers;
        SyncStatus *sync; // none: nothing is switched, no time runs
        const Clock &clock;
        const TimeOfDay &timeOfDay;
    };
    MeetingConsole(Context context, QString recordPath = SpeakingRecord::defaultPath(),
                   QObject *parent = nullptr);

    // The execution state begins (after the buttons' states were applied)
    // with the panel's first `mixers` mixers, or ends: speeches running then
    // end in the record, and no time runs until it begins again.
    void setExecuting(bool executing, int mixers = 0);
    bool executing() const { return m_executing; }

    // The actions.
    // A press on the seat's button: off when on; on when off, unless the
    // delegates' limit refuses it (拒否) or the longest speaker goes first (先着順).
    MeetingRefusal press(ButtonRef seat);
    // Every delegate seat that is on goes off, in one write run.
    MeetingRefusal allOff();
    // The delegates speaking go off and the first request is switched on.
    MeetingRefusal next();
    MeetingRefusal request(ButtonRef seat);
    MeetingRefusal withdraw(ButtonRef seat);
    // 会議開始: the record and the requests start anew. False when the
    // record's file could not be written.
    bool startMeeting();
    // The 会議設定 dialog's values (brought into their ranges).
    void setSettings(const MeetingSettings &settings);

    // Once a second: the marks follow the times, and a delegate whose time
    // ran out is switched off when the setting says so.
    void tick();

    // The channel buttons of the panel's mixers.
    std::vector<ButtonRef> seats() const;
    const PanelState &panel() const { return m_ctx.panel; }
    bool isSeat(ButtonRef seat) const;
    bool isChair(ButtonRef seat) const;
    // The running time; 0 unless the seat is on and verified.
    double seconds(ButtonRef seat) const;
    // Whether the seat's time runs: on, and verified so by the mixer.
    bool running(ButtonRef seat) const { return m_times.since(seat).has_value(); }
    SpeakingMark mark(ButtonRef seat) const;
    // Whether any seat's time runs (the window redraws once a second then).
    bool anyRunning() const;
    const MeetingSettings &settings() const;
    const RequestList &requests() const { return m_requests; }
    double waiting(const RequestList::Request &r) const;
    const SpeakingRecord &record() const { return m_record; }

signals:
    // The seat was switched, its time began or ended, or its mark changed.
    void seatChanged(ButtonRef seat);
    // An action on the seat was refused (for 全員オフ and 次の発言者 the seat
    // is the first button, mixer -1).
    void refused(ButtonRef seat, MeetingRefusal why);
    void requestsChanged();
    void recordChanged();
    void settingsChanged();

private:
    MeetingRefusal refuse(ButtonRef seat, MeetingRefusal why);
    // Delegate seats switched on, longest speaking first.
    std::vector<ButtonRef> delegatesOn() const;
    void switchSeat(ButtonRef seat, bool on);
    void switchDelegatesOff();
    // The seat's switch changed state in the sync: its time starts or ends.
    void follow(ButtonRef seat);
    void onValueState(int wireMixer, int id);
    bool mixerHolds(ButtonRef seat) const;
    void keep(const SpeakingTimes::Speech &speech);

    Context m_ctx;
    QPointer<SyncEvents> m_events;
    SpeakingTimes m_times;
    RequestList m_requests;
    SpeakingRecord m_record;
    bool m_executing = false;
    int m_mixers = 0;
    double m_meetingStart = 0; // Clock time of 会議開始
    struct SeatFollow
    {
        bool pressed = false;   // the console switched it (not adopted)
        bool sawWaiting = false;
        SpeakingPhase phase = SpeakingPhase::Free;
    };
    std::array<std::array<SeatFollow, Panel::ChannelSlots>, Panel::MaxMixers> m_follow{};
    SeatFollow &followOf(ButtonRef s) { return m_follow.at(size_t(s.mixer)).at(size_t(s.slot)); }
};
