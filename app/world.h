#pragma once

// Everything the running program shares, owned in one place and handed out
// by reference. A test builds a fresh world in one line.

#include "app/jobqueue.h"
#include "base/clock.h"
#include "base/loopstate.h"
#include "editor/editorstate.h"
#include "link/linkstate.h"
#include "mixer/activitylog.h"
#include "mixer/mixerdata.h"
#include "settings/panelmodel.h"
#include "settings/loadsave.h"

class Clock;
class Dialogs;

struct World
{
    World(Clock &c, Dialogs &d) : clock(c), dialogs(d) { panel.defaults = PanelDefaults::fromStrings(); }

    Clock &clock;
    Dialogs &dialogs;
    LinkState link;
    LoopState loop;
    // The jobs asked of the job loop, in order.
    JobQueue jobs;
    MixerState mixers;
    EditorState editor;
    SettingsFiles settings;
    PanelState panel;
    // What was done with the mixers, in memory only (the activity window).
    ActivityLog activity{clock};
    // The time of day shown to the user, on the Clock.
    TimeOfDay timeOfDay{clock};
};
