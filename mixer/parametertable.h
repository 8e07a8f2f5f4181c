#pragma once

// The mixer parameter table: 104 numbered parameters of one mixer, the same
// numbers serving as settings-file keys, "D","S" parameter numbers, positions
// in the 84-byte data block and indexes of the send flags.

#include <QString>

#include <vector>

// How a value is converted between settings-file text and number.
enum class KeyKind : int {
    Section = -1,  // the entry names a section, not a value
    Int16 = 2,
    Int32 = 3,
    Text = 4,
    Real = 5,
    Boolean = 11,  // "True" / "False"
    Byte = 17,     // 0..255
};

struct KeyEntry
{
    int id = 0;
    QString key;
    KeyKind kind = KeyKind::Byte;
};

namespace MixerKey {
constexpr int Active = 0;
constexpr int FirstBlock = 1;     // InputLevel_1, byte 0 of the data block
constexpr int LastBlock = 84;     // KeyLock
constexpr int OutputLevel = 73;
constexpr int OutputGain = 74;
constexpr int MuteChange = 75;
constexpr int MuteAtt = 76;
constexpr int ThresholdAction = 77;
constexpr int ThresholdUnit = 78;
constexpr int Action = 79;
constexpr int Noma = 80;
constexpr int LastOn = 81;
constexpr int HoldTime = 82;
constexpr int OnlyType = 83;
constexpr int KeyLock = 84;
constexpr int Threshold = 85;     // written with "T","S"
constexpr int Model = 86;
constexpr int FirstExtended = 87; // ThresholdMax
constexpr int LastExtended = 103; // ThresholdK2
constexpr int Count = 104;        // ids 0..103
constexpr int Sections = 16;      // "Mixer_Master", "Mixer_Slave1".."Mixer_Slave15"
} // namespace MixerKey

// The nine per-channel families, in block order; channel n of family k is
// key id 8k + n.
enum class ChannelFamily : int {
    InputLevel = 0,
    Phantom,
    HeadAmp,
    LowCutFil,
    ThresholdObj,
    InputGain,
    Priority,
    RemoteOn,   // settings key "Override_n"
    RemoteOff,  // settings key "Mute_n"
};
constexpr int channelKeyId(ChannelFamily family, int channel)
{
    return 8 * int(family) + channel;
}

// The list as the settings file code keeps it: one text of triples id, key,
// kind, each followed by a comma; the 104 keys, then the 16 section entries.
QString mixerKeyListText();

// Splits a triple list; malformed triples are skipped.
std::vector<KeyEntry> splitKeyList(const QString &text);

// The 104 keys of the mixer list (index = id).
const std::vector<KeyEntry> &mixerKeys();

// Key id of a settings key (exact, case-sensitive), -1 when unknown.
int mixerKeyId(const QString &key);
// Settings key of an id 0..103, empty otherwise.
QString mixerKey(int id);
// "Mixer_Master" for mixer 1, "Mixer_Slave1".."Mixer_Slave15" for 2..16.
QString mixerSectionName(int mixer);
