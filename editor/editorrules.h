#pragma once

// The fixed rules of the mixer editor window that need no widgets: how its
// indexed controls are numbered, what they are captioned, which of them a
// window may use for which mixer, and the codes its buttons ask the job loop
// for. The window (editor/ui/frmmixer.h) builds itself from these.

#include "mixer/mixerdata.h"

#include <QString>

#include <array>
#include <optional>

// The four tabs of SSTMixer.
enum EditorTab : int {
    TabChannels = 0,
    TabSystem = 1,
    TabExtended = 2, // hidden until CmdOpen(0) is confirmed
    TabDefaults = 3, // hidden until CmdOpen(1) is confirmed
};
constexpr int EditorTabCount = 4;

// ---- Channel strips ----------------------------------------------------------

// Rows of a channel strip's option buttons. Row 5 has no buttons: it stands
// for Priority, which only the simultaneous-selection group sets.
enum ChannelRow : int {
    RowInputLevel = 0,
    RowPhantom = 1,
    RowHeadAmp = 2,
    RowLowCutFil = 3,
    RowThresholdObj = 4,
    RowPriority = 5,
    RowRemoteOn = 6,  // "ｵｰﾊﾞｰﾗｲﾄﾞ", key Override_n
    RowRemoteOff = 7, // "ミュート", key Mute_n
};
// The rows that have option buttons, in the order the refresh selects them.
constexpr std::array<int, 7> OptionRows{RowInputLevel, RowPhantom, RowHeadAmp, RowLowCutFil,
                                        RowThresholdObj, RowRemoteOn, RowRemoteOff};
ChannelFamily rowFamily(int row);
// Number of choices of a row with buttons (0 for row 5 and unknown rows):
// the codes the parameter's editor range holds.
int rowChoices(int row);

// One option button of a channel strip: the strip 0..7, its row and choice.
struct ChannelOption
{
    int ch = 0;
    int row = 0;
    int choice = 0;
};
// Whether the button exists.
bool validChannelOption(const ChannelOption &o);
// The button's index in the control array OpnParamCh: ch × 100 + row × 10 +
// choice. Only the array's accessor and the buttons' names use it.
constexpr int channelOptionIndex(const ChannelOption &o)
{
    return o.ch * 100 + o.row * 10 + o.choice;
}
// The button of an OpnParamCh index; nullopt for an index no button has.
std::optional<ChannelOption> channelOptionAt(int index);

// The caption of choice c in row r: string 10k + 2113 − c, k = 0 for the
// input attenuator, 1 for the head amp, 80 for the OFF/ON rows.
int channelCaptionId(int row, int choice);

// The strip caption and CmdInitch caption: "ch" and the channel number across
// the linked system, (mixer − 1) × 8 + ch + 1.
QString channelText(int editMixer, int ch);

// ---- System tab option groups ------------------------------------------------

// OpnParam(group × 10 + choice).
enum SystemGroup : int {
    GroupOutputLevel = 0,
    GroupNoma = 1,
    GroupKeyLock = 2,
    GroupThresholdAction = 3,
    GroupThresholdUnit = 4,
    GroupAction = 5,
    GroupMuteChange = 6,
    GroupSimultaneous = 7, // Priority_1..8 and OnlyType together
    GroupLastOn = 8,
};
constexpr int SystemGroupCount = 9;
int groupChoices(int group);
// Key id of the group's one parameter; 0 for the simultaneous-selection group.
int groupKeyId(int group);
// Output level and gate attenuation stay editable in a slave's window and
// follow Mixer-Link; every other group belongs to the master's window alone.
constexpr bool slaveGroup(int group)
{
    return group == GroupOutputLevel || group == GroupMuteChange;
}
QString systemCaption(int group, int choice);

// The simultaneous-selection choice a record stands for: 0 ("All OK") while
// the priority switch (Priority_1) is on, else OnlyType + 1 ("n ch only").
int simultaneousChoice(const MixerDataRecord &record);

// ---- Requests to the job loop ------------------------------------------------

// Initialise codes (what an initialise job sets back). CmdInitch(i) asks for i: 0..7 one
// channel, 8 all channels.
constexpr int InitAllChannels = 8;
// CmdInit(0..6): the extended groups 1, 2, the initial values, the gate,
// threshold and output groups, extended group 3.
int cmdInitCode(int index);
constexpr int CmdInitCount = 7;
// CmdMixer(n) writes extended group n (the group of an extended write): 0 ThresholdK,
// MuteK, OutPeakLEDK; 1 ThresholdMax, ThresholdMin; 2 the initial values;
// 3 the noise-detection group.
constexpr int CmdMixerCount = 4;

// The question CmdOpen(i) asks before it shows tab i + 2.
QString openTabQuestion(int i);

// ---- Who may edit what ---------------------------------------------------------

// Enable_Control's rules for a window of `editMixer` whose mixer reports
// `model` (0 the older model; any other value counts as the newer one).
struct EnableRules
{
    bool masterGroups = false; // OpnParam groups 1..5, 7, 8 and their labels
    bool holdTime = false;     // HoldTime: master of the older model only
    bool newerChoices = false; // input attenuator -30/-40 dB, head amp -25/-30 dB
    bool extended = false;     // tabs 2 and 3: extended data and initial values
    bool noiseGroup = false;   // the noise-detection group of tab 2
    bool mixerLink = false;    // Mixer-Link: only the master's window has it
};
EnableRules enableRules(int editMixer, qint16 model);

// Whether a channel choice exists on the mixer's model (choices 2, 3 of the
// input attenuator and 3, 4 of the head amp are the newer model's).
bool newerOnlyChoice(int row, int choice);

// An older-model mixer reporting a value its own buttons cannot show: the
// whole row's buttons are disabled rather than offering choices that would
// silently replace the value.
struct OlderModelLocks
{
    bool inputLevel = false; // InputLevel above 1
    bool headAmp = false;    // HeadAmp above 2

    bool operator==(const OlderModelLocks &o) const { return inputLevel == o.inputLevel && headAmp == o.headAmp; }
};
OlderModelLocks olderModelLocks(qint16 model, quint8 inputLevel, quint8 headAmp);
bool outputLevelLocked(qint16 model, quint8 outputLevel);

// The tab frames: editable only online with write access.
constexpr bool framesEditable(bool offline, bool writeAccess)
{
    return !offline && writeAccess;
}

// ---- Pictures -------------------------------------------------------------------

// Bitmap resources 101..132 stand for the 32 level pictures; the program
// draws them (editor/ui/levelpictures.h) and numbers them 0..31.
constexpr int LevelPictureCount = 32;
