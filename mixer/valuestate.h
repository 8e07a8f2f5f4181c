#pragma once

// How one value the program wants a mixer to hold stands.

#include <QtGlobal>

enum class ValueState {
    Settled,  // nothing written since the link opened, or the mixer does not keep it
    Waiting,  // flagged to be sent, or sent and not yet read back
    Verified, // the read-back showed it
    Failed,   // the passes ran out before the read-back showed it
};

struct ValueStatus
{
    ValueState state = ValueState::Settled;
    double at = 0;   // Clock time of the last change of state (0 while waiting)
    qint32 value = 0; // the value written or waiting to be written
    int passes = 0;  // passes the run that settled it took; 0: the mixer held it, nothing was written
};

// A channel's remote switch is two values (RemoteOn, RemoteOff): Failed when
// either failed, Waiting when either waits, Verified when either was
// verified and the other is not behind, else Settled.
constexpr ValueState switchState(ValueState on, ValueState off)
{
    if (on == ValueState::Failed || off == ValueState::Failed)
        return ValueState::Failed;
    if (on == ValueState::Waiting || off == ValueState::Waiting)
        return ValueState::Waiting;
    if (on == ValueState::Verified || off == ValueState::Verified)
        return ValueState::Verified;
    return ValueState::Settled;
}
