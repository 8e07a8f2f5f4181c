#pragma once

// Everything the running program shares, owned in one place and handed out
// by reference. A test builds a fresh world in one line.

#include "app/loopstate.h"
#include "link/linkstate.h"
#include "mixer/mixerdata.h"

class Clock;
class Dialogs;

struct World
{
    World(Clock &c, Dialogs &d) : clock(c), dialogs(d) {}

    Clock &clock;
    Dialogs &dialogs;
    LinkState link;
    LoopState loop;
    MixerState mixers;
};
