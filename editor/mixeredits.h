#pragma once

// What an edit in a mixer editor window does to the mixer records: which
// parameter of which channels and mixers receives the new code, when it is
// marked for sending, and how the two links copy settings between channels
// (ch1-Link) and from the master to the slaves (Mixer-Link). No widgets: the
// window forwards every click and value change here and shows the result.
//
// Storing an edit submits the code to each target mixer as an edit
// (SyncStatus::submit): marked to be sent only where it differs from
// MixerData, and then the window waits for the mixer's next reply. A value
// equal to MixerData is stored unmarked (a mark of an earlier edit stays).
// Values copied by a link are submitted as copies, marked without comparison.

#include "editor/editorrules.h"
#include "editor/editorstate.h"

#include <vector>

class MixerEdits
{
public:
    MixerEdits(EditorEnv env, int editMixer);

    int editMixer() const { return m_mixer; }
    bool master() const { return m_mixer == 1; }
    bool ch1Link() const { return m_ch1Link; }
    bool mixerLink() const { return m_mixerLink; }

    // A click on a strip's option button, the user's or one caused by code
    // selecting a button (the refresh, ch1-Link). Returns whether anything
    // was stored: not for a button that does not exist, a strip other than
    // the first while ch1-Link is on, nor a click an ignore flag swallows.
    bool channelOptionClicked(const ChannelOption &o);

    // UpDwInpgain(ch) took a new code. Stores nothing while the window
    // refreshes, nor for a strip other than the first under ch1-Link (the
    // window copies the first strip's code into the others then).
    bool gainChanged(int ch, int code);

    // OpnLink(0): strips 2..8 follow strip 1. Stores strip 1's gain
    // (`gainCode`, the code its box holds) and its current choices of every
    // row for all eight channels; in the master's window with Mixer-Link on,
    // channel 1 of the master then goes to every channel of every slave.
    void turnCh1LinkOn(int gainCode);
    // OpnLink(1): the values stay as they are.
    void turnCh1LinkOff() { m_ch1Link = false; }

    // OpnMixerLink(0) on, (1) off; only the master's window has the choice
    // (false and nothing done elsewhere). Link-On first copies the master's
    // channel settings to the slaves; either choice then copies the output
    // level and gain, threshold and gate attenuation.
    bool chooseMixerLink(bool on);

    // What a click on the gate attenuation group means for the window:
    // manual offers the three attenuation buttons, auto shows the ambient
    // level the mixer calculates.
    enum class MuteMode { Unchanged, Manual, Auto };
    struct SystemClick
    {
        bool stored = false;
        MuteMode mute = MuteMode::Unchanged;
    };
    // A click on OpnParam(index) (group × 10 + choice). A slave's window
    // takes only the output level and gate attenuation groups.
    SystemClick systemOptionClicked(int index);

    // OpnMuteM(i): MuteAtt code i.
    void muteAttClicked(int i);

    // The system tab's fields. Nothing is stored while the window refreshes.
    // Threshold is kept within the mixer's ThresholdMin..ThresholdMax; the
    // return value is the code the field must hold.
    int thresholdChanged(int code);
    void outputGainChanged(int code);
    void holdTimeChanged(int code);

private:
    void store(int mixer, int id, int code);
    // Mixer-Link: every slave's channels take the master's (all from its
    // channel 1 under ch1-Link), each marked for sending.
    void copyMasterChannels();
    void storeChannels(ChannelFamily family, int ch, int code);
    void storeSystem(int id, int code, bool linkable);
    std::vector<int> targetMixers(bool linkable) const;
    std::vector<int> targetChannels(int ch) const;
    int lastLinkedMixer() const;
    void storeSimultaneous(int choice);

    EditorEnv m_env;
    int m_mixer;
    bool m_ch1Link = false;
    bool m_mixerLink = false;
};
