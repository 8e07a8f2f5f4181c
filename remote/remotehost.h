#pragma once

// What the remote fronts (the page's interface, the room controllers' lines,
// the metrics) see of the program: the mixer records, the panel and the link
// to read, and the panel's button to press. They change nothing else.

#include "mixer/mixerdata.h"
#include "settings/panelmodel.h"

#include <QString>

#include <functional>

class Clock;
class MeetingConsole;
struct LinkState;

struct RemoteHost
{
    const MixerState &mixers;
    const PanelState &panel;
    const LinkState &link;
    const Clock &clock;
    // Whether the panel window is open, and in its execution state.
    std::function<bool()> panelOpen;
    std::function<bool()> executing;
    // A left press on the execution button of panel mixer 0..15, slot 0..7,
    // exactly as the panel window takes a click. False when there is no such
    // button (or the panel is not executing).
    std::function<bool(int mixer, int slot)> press;
    // What runs: virtual mixers inside the program rather than a room's,
    // and the settings file's path (none given: a room, no file named).
    std::function<bool()> virtualMixers;
    std::function<QString()> settingsFile;
    // The modal window the program waits on now, while the job loop stands
    // still ("message" for a message box, "dialog" for any other); empty
    // when none (none given: never).
    std::function<QString()> blocked;
    // The monitoring figures in the Prometheus text format (none given:
    // GET /metrics is not there).
    std::function<QByteArray()> metrics;
    // The panel window's meeting console, while the window is there (none
    // given, or none returned: the meeting's routes answer not-executing).
    std::function<MeetingConsole *()> meeting;
};
