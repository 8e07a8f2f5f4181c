#pragma once

// The in-memory records of all sixteen mixers: what they reported
// (MixerData), what the program wants them to hold (MixerSetData), which
// values wait to be sent (SetDataPending) and the extended parameters.
// Index 1 is the master, 2..16 the slaves 1..15; index 0 is unused.

#include "mixer/parametertable.h"
#include "mixer/valuestate.h"

#include <QString>
#include <QtGlobal>

#include <array>

constexpr int MixerSlots = 17;      // index 1..16
constexpr int MaxMixers = 16;
constexpr int ChannelCount = 8;
constexpr int DataBlockSize = 84;   // key ids 1..84, on the wire in this order
constexpr int PendingFlagCount = 86; // flag k for key id k = 1..85
constexpr int ExtendedRegisterSlots = 19; // extended registers 1..18

// One mixer's parameters. The 84 bytes from InputLevel(1) to KeyLock are held
// exactly as the data block travels on the wire, so reading a status reply or
// building a write is a copy.
struct MixerDataRecord
{
    std::array<quint8, DataBlockSize> block{};
    qint16 Threshold = 0;

    // Channel n = 1..8 of each family.
    quint8 &InputLevel(int n) { return block[size_t(n - 1)]; }
    quint8 &Phantom(int n) { return block[size_t(8 + n - 1)]; }
    quint8 &HeadAmp(int n) { return block[size_t(16 + n - 1)]; }
    quint8 &LowCutFil(int n) { return block[size_t(24 + n - 1)]; }
    quint8 &ThresholdObj(int n) { return block[size_t(32 + n - 1)]; }
    quint8 &InputGain(int n) { return block[size_t(40 + n - 1)]; }
    quint8 &Priority(int n) { return block[size_t(48 + n - 1)]; }
    quint8 &RemoteOn(int n) { return block[size_t(56 + n - 1)]; }
    quint8 &RemoteOff(int n) { return block[size_t(64 + n - 1)]; }
    quint8 &channel(ChannelFamily f, int n) { return block[size_t(channelKeyId(f, n) - 1)]; }
    quint8 channel(ChannelFamily f, int n) const { return block[size_t(channelKeyId(f, n) - 1)]; }

    quint8 &OutputLevel() { return block[72]; }
    quint8 &OutputGain() { return block[73]; }
    quint8 &MuteChange() { return block[74]; }
    quint8 &MuteAtt() { return block[75]; }
    quint8 &ThresholdAction() { return block[76]; }
    quint8 &ThresholdUnit() { return block[77]; }
    quint8 &Action() { return block[78]; }
    quint8 &Noma() { return block[79]; }
    quint8 &LastOn() { return block[80]; }
    quint8 &HoldTime() { return block[81]; }
    quint8 &OnlyType() { return block[82]; }
    quint8 &KeyLock() { return block[83]; }

    // Value of key id 1..85 (block bytes, Threshold); 0 for other ids.
    // setValue stores ids 1..85 (block bytes keep the low byte). Active (id 0)
    // is no value of the mixer: it says whether its editor is open
    // (MixerState::EditorOpen).
    qint32 value(int id) const;
    void setValue(int id, qint32 v);

    bool operator==(const MixerDataRecord &o) const
    {
        return block == o.block && Threshold == o.Threshold;
    }

    static MixerDataRecord startValues();
};

// The extended parameters of one mixer (key ids 87..103).
struct ExtendedRecord
{
    qint16 ThresholdMax = 16383;
    qint16 ThresholdMin = 100;
    qint16 ThresholdK = 100;
    qint16 MuteK = 10;
    qint16 OutPeakLEDK = 0;
    qint16 PriorityDef = 1;
    qint16 ThresholdMaxDef = 16383;
    qint16 ThresholdMinDef = 100;
    qint16 MuteAttDef = 1;
    qint16 ThresholdActDef = 1;
    qint16 Noise_Detection = 0;
    qint32 Noise_Detection_Reference = 0;
    qint32 Noise_Detection_Threshold = 0;
    qint16 Head_Lack_Prevention = 0;
    qint16 Silent_Time = 0;
    qint16 Hold_Time2 = 0;
    qint16 ThresholdK2 = 8;

    // Value of key id 87..103; 0 for others.
    qint32 value(int id) const;
    // Stores id 87..103; 16-bit fields keep the low 16 bits.
    void setValue(int id, qint32 v);
};

// Factory default of key id 1..103 as settings-file text ("1", "16383" ...);
// empty for other ids.
QString factoryDefaultText(int id);

// All mixer records and counts of the running program. Which values wait to
// be sent (SetDataPending) is mixer/'s own: values are written through
// SyncStatus::submit, and the rest of the program asks waiting().
struct MixerState
{
    std::array<MixerDataRecord, MixerSlots> MixerData{};
    std::array<MixerDataRecord, MixerSlots> MixerSetData{};
    std::array<ExtendedRecord, MixerSlots> ExtendedData{};
    std::array<qint16, MixerSlots> Model{};
    qint16 MixerCount = 0;     // mixers 1..MixerCount are linked
    qint16 FileMixerCount = 0; // mixer sections written to the settings file
    bool WriteAccess = true;   // false only after the Ethernet access check refused
    // Which mixers are shown in an open editor window: the one record of it.
    // The poll hands these mixers the ambient level; the settings file writes
    // it as each mixer's Active.
    std::array<bool, MixerSlots> EditorOpen{};
    // How the last write of each extended register (1..18) stands: the
    // editor marks a group waiting when it asks for it to be written, the
    // job that writes the registers settles each one. The registers are the
    // whole system's, so there is one set.
    std::array<ValueStatus, ExtendedRegisterSlots> ExtendedWrite{};

    int openEditorCount() const;
    // An editor window opened or closed on the mixer.
    void setEditorOpen(int mixer, bool open)
    {
        if (mixer >= 1 && mixer <= MaxMixers)
            EditorOpen[size_t(mixer)] = open;
    }
    // The editor asked for extended register `reg` (1..18) to be written
    // with `value`.
    void awaitExtendedWrite(int reg, qint32 value)
    {
        if (reg >= 1 && reg < ExtendedRegisterSlots)
            ExtendedWrite[size_t(reg)] = ValueStatus{ValueState::Waiting, 0, value, 0};
    }
    // The editor's register writes were withdrawn: none of them will be made.
    void dropWaitingExtendedWrites()
    {
        for (ValueStatus &w : ExtendedWrite)
            if (w.state == ValueState::Waiting)
                w = ValueStatus{};
    }
    // A job wrote register `reg` and read it back (`state`), at Clock time
    // `at`. A write the editor did not ask for (a loaded file's transfer) is
    // noted with `heldValue`, the value as the register now holds it.
    void settleExtendedWrite(int reg, ValueState state, qint32 heldValue, double at)
    {
        if (reg < 1 || reg >= ExtendedRegisterSlots)
            return;
        ValueStatus &s = ExtendedWrite[size_t(reg)];
        if (s.state != ValueState::Waiting)
            s.value = heldValue;
        s.state = state;
        s.at = at;
        s.passes = 1;
    }
    // A job that failed did not reach register `reg`: a write still waiting
    // for it failed too, rather than look as if it still waits.
    void abandonExtendedWrite(int reg, double at)
    {
        if (reg < 1 || reg >= ExtendedRegisterSlots)
            return;
        ValueStatus &s = ExtendedWrite[size_t(reg)];
        if (s.state == ValueState::Waiting)
            s = ValueStatus{ValueState::Failed, at, s.value, 0};
    }

    MixerState()
    {
        Model.fill(-1);
        resetToStartValues();
    }

    // The connect step: start values for all sixteen mixers, nothing pending.
    // Model and the counts are left to their owners.
    void resetToStartValues();

    // Whether key id 1..85 of the mixer is marked to be sent.
    bool waiting(int mixer, int id) const;
    bool anyPending(int mixer) const;
    void clearPending();
    // A settings file was loaded into the records: its value waits to be
    // sent when the file is transferred. (Edits go through SyncStatus::submit.)
    void takeLoadedValue(int mixer, int id, qint32 v);
    // The loaded values were transferred and verified: the mixer holds them,
    // nothing waits.
    void adoptLoadedValues(int mixer);
    // Mixer m's working copy becomes what the mixer reports, except the
    // values still flagged: those are edits on their way to the mixer (a
    // panel switching channels off, a loaded file, a save during SetData).
    void takeReported(int mixer);

    // Offline the link count stands for the mixers the panel is laid out
    // for: both counts grow to take in `mixers`, and never fall.
    void takeInOfflineMixers(int mixers);
    // The settings file keeps sections for `mixers` mixers.
    void keepFileSections(int mixers) { FileMixerCount = qint16(mixers); }

private:
    friend class SyncStatus;
    friend class SetData;
    friend class StatusPoll;
    friend class MixerSync;

    // Stores a value the program wants mixer m to hold and marks it to be sent.
    void setPending(int mixer, int id, qint32 v);

    std::array<std::array<bool, PendingFlagCount>, MixerSlots> SetDataPending{};
};
