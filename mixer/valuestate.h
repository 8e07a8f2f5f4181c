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
