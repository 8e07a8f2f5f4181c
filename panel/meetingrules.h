#pragma once

// The meeting console's rules that are plain arithmetic: how a seat's
// speaking time stands against the limit, whether a delegate may switch on
// with the microphone limit reached, and how a running time reads.

#include "settings/meetingsetup.h"

#include <QString>

// How a seat's speaking time stands. The chair's always runs Free.
enum class SpeakingPhase {
    Free,     // no limit, or well within it
    Warning,  // within the warning before the end: the button counts down
    Ended,    // the limit is reached: marked, or switched off by the setting
};

struct SpeakingMark
{
    SpeakingPhase phase = SpeakingPhase::Free;
    int remaining = 0; // whole seconds left while Warning (rounded up)
};

SpeakingMark speakingMark(double seconds, const MeetingSettings &settings, bool chair);

// What a delegate's press to switch on meets when `delegatesOn` delegates
// speak already.
enum class MicDecision {
    SwitchOn,
    Refuse,           // 拒否: the press is refused
    LongestOffFirst,  // 先着順: the delegate(s) who spoke longest go first
};

MicDecision micDecision(int delegatesOn, const MeetingSettings &settings);

// Whole seconds as "m:ss" ("0:07", "12:30", "75:00").
QString runningTimeText(double seconds);

// Why an action of the meeting console did not happen. The remote interface
// answers each with its name (refusalName), a 409 but for NoSeat (404).
enum class MeetingRefusal {
    None,
    NotExecuting,      // the panel is not in its execution state
    NoSeat,            // no channel button there
    Limit,             // 拒否: the microphone limit is reached
    Speaking,          // a seat that speaks cannot ask to speak
    ChairSeat,         // the chair does not ask to speak
    AlreadyRequested,
    RequestsFull,      // 64 requests wait already
    NotRequested,      // nothing to withdraw
    NoRequests,        // 次の発言者 with an empty list
};

// "limit", "not-executing" ... as the interface names them.
const char *refusalName(MeetingRefusal refusal);
// The same in the user's words ("マイク数の上限です" ...).
QString refusalText(MeetingRefusal refusal);
