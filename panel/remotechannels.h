#pragma once

// The panel's hold on the mixers' channels, without widgets. While the panel
// window is open it owns each channel's two remote-control values (RemoteOn,
// settings key "Override_n"; RemoteOff, "Mute_n"): it records what they were,
// switches every channel off, lets the execution state's buttons switch
// channels on and off, and gives the recorded values back when it closes.
//
// Nothing here talks to a mixer: values are submitted to synchronisation
// (SyncStatus::submit), and the job loop's SetData carries them over.

#include "editor/editorstate.h"
#include "mixer/mixerdata.h"
#include "panel/paneldesign.h"

#include <functional>

class RemoteChannels
{
public:
    // `sync` takes the values the panel switches (none: the panel only
    // looks, as the designer's pictures do). `editor`, when given, holds the
    // editors' ignore-next-click flags that giving a channel back raises.
    RemoteChannels(MixerState &mixers, PanelRuntime &runtime, SyncStatus *sync, EditorState *editor = nullptr);

    // The panel window opens: records every linked channel's values (the
    // wanted ones while any channel value of that mixer still waits to be
    // sent, else the reported ones), then switches every channel off.
    void takeOver(int linkedMixers);

    // The panel window closes: every value that differs from what was
    // recorded goes back to it (a mixer counted while the panel was open has
    // nothing recorded and is left alone unless the panel switched it), and
    // so does every channel the panel switched while it was open. The wanted
    // values alone cannot tell: a save in between replaces them with the last
    // reported ones, which may not show the panel's latest switch yet. Each
    // value given back raises the editors' ignore flag of its row and
    // channel: an editor opened next shows the mixer's older value first, and
    // the click that showing causes must not store that value over the one
    // given back. A recorded mixer that is off the link now is owed its
    // values: giveBackOwed() hands them over once it is linked again.
    void giveBack(int linkedMixers);

    // After the panel closed: every mixer owed its recorded values that is
    // linked now gets all of them back (what it holds after its absence is
    // not known, so each value is sent). Returns whether any mixer is still
    // owed its values.
    bool giveBackOwed(int linkedMixers);

    // The execution state is entered: every enabled channel button of the
    // first `mixers` panel mixers brings its channel to the button's state.
    void applyButtonStates(const PanelState &panel, int mixers);

    // The mixers were read again after the connection came back: every
    // channel the panel holds whose switch the mixer no longer has is
    // written again, as the panel wants it.
    void rewriteDiffering(int linkedMixers);

    // A left click on channel button `button` in the execution state: flips
    // IconOnOff and switches the channel to match. The output button never
    // toggles. Returns whether anything changed.
    bool toggle(PanelState &panel, ButtonRef button);

    // Switches one channel (panel mixer 0..15, channel slot 0..7).
    void switchChannel(int mixer, int slot, bool on);

private:
    void set(int wireMixer, ChannelFamily family, int channel, quint8 value);
    // Records what panel mixer m's channels hold now, as they are to come back.
    void record(int m);
    // A mixer the panel is to switch: recorded now, unless an earlier panel
    // still owes it its values (what it holds now is that panel's doing).
    void holdRecord(int m);
    // Sets the recorded values of panel mixer m and raises the editors'
    // ignore flags; only the values that differ unless `all`.
    void restore(int m, bool all);

    MixerState &m_mixers;
    PanelRuntime &m_runtime;
    SyncStatus *m_sync;
    EditorState *m_editor;
    // Channels the panel has switched since it opened (mixer 0..15, channel 0..7).
    std::array<std::array<bool, ChannelCount>, Panel::MaxMixers> m_switched{};
};

// Whether any mixer is owed the channel values a closed panel recorded.
bool remoteValuesOwed(const PanelRuntime &runtime);
