#pragma once

// What the mixer editor windows share with each other, with the job loop and
// with the control panel, and what one editor reaches of the running program.
// No widgets here.

#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"

#include <array>

class TimeOfDay;

// One for the whole program, owned by the application.
struct EditorState
{
    // True while a window writes MixerData into its controls: the value and
    // field change handlers then store nothing. Option clicks caused by the
    // refresh still store (they find MixerData's own value, so nothing is
    // marked unless a link copies it elsewhere).
    bool Refreshing = false;
    // Which item the parameter grid shows: 0..7 the channel rows, 8..11 the
    // four labels of the system tab.
    qint16 GridItem = 0;
    // Ignore-next-click flags of the override (RemoteOn) and mute (RemoteOff)
    // rows, per mixer 1..16 and channel 1..8. The control panel raises one
    // when it gives a channel its value back on closing; the next click of
    // that row and channel in an editor only lowers the flag.
    std::array<std::array<bool, ChannelCount + 1>, MixerSlots> IgnoreRemoteOnClick{};
    std::array<std::array<bool, ChannelCount + 1>, MixerSlots> IgnoreRemoteOffClick{};

    // What the channel and output settings dialogs open for, set by whoever
    // opens one (the control panel's right click): the panel's mixer 0..15
    // (0 the master), its slot 0..7 (a channel) or 8 (the output), and where
    // the pointer was, in panel twips. The dialog writes back where it
    // actually opened. Only one of the two dialogs is open at a time.
    qint16 DialogMixer = 0;
    qint16 DialogSlot = 0;
    qint32 DialogLeft = 0;
    qint32 DialogTop = 0;
    bool SettingsDialogOpen = false;

    // The control panel gave the channel's override (RemoteOn) or mute
    // (RemoteOff) value back: raises that row's ignore-next-click flag.
    void ignoreNextRemoteClick(int mixer, int channel, ChannelFamily family)
    {
        if (mixer < 1 || mixer > MaxMixers || channel < 1 || channel > ChannelCount)
            return;
        auto &flags = family == ChannelFamily::RemoteOn ? IgnoreRemoteOnClick : IgnoreRemoteOffClick;
        flags[size_t(mixer)][size_t(channel)] = true;
    }
    // Whoever opens a settings dialog says what for: the panel's mixer
    // 0..15, the slot 0..7 or 8, and where (panel twips; 0, 0 lets the
    // dialog choose).
    void aimSettingsDialog(int dialogMixer, int slot, qint32 left = 0, qint32 top = 0)
    {
        DialogMixer = qint16(dialogMixer);
        DialogSlot = qint16(slot);
        DialogLeft = left;
        DialogTop = top;
    }
};

// What an editor reaches: the records, the shared editor state and what it
// may see and ask of synchronisation.
struct EditorEnv
{
    MixerState &mixers;
    EditorState &editor;
    SyncStatus &sync;
    // The time of day on the program's clock, for the marks' words (none:
    // the wall clock's).
    const TimeOfDay *timeOfDay = nullptr;
};
