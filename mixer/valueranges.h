#pragma once

// The values each mixer parameter may take, in two widths: what the mixer
// editor can set (its choices, its level scale, the bounds of its entry
// fields), and what the mixer itself can hold (a data-block byte, the
// threshold's 15 bits, an extension register by its width). The editor
// builds its controls from the first; the settings file and the tool refuse
// what lies outside it, unless a service engineer asks for the second.

#include "mixer/parametertable.h"

#include <QtGlobal>

#include <array>
#include <cstdint>
#include <optional>

// Attenuation in tenths of a dB for each level code 0..64; the level shown
// for code c is -LevelTable[c] / 10. The steps are uneven: the table is the
// only definition of the level scale, and it falls strictly from code 0 to 64.
inline constexpr std::array<std::int16_t, 65> LevelTable{
    960, 915, 817, 740, 680, 625, 575, 532, 490, 452, 417, 386, 357, 332, 310, 287, 268,
    250, 235, 220, 207, 193, 182, 170, 160, 152, 142, 133, 126, 119, 112, 106, 100, 94,
    88,  83,  78,  74,  69,  64,  61,  56,  53,  50,  46,  43,  38,  36,  33,  31,  28,
    26,  23,  21,  19,  17,  15,  13,  12,  10,  7,   6,   4,   2,   0};

inline constexpr int LevelCodeMin = 0;                          // -96.0 dB, shown as "MUTE"
inline constexpr int LevelCodeMax = int(LevelTable.size()) - 1; // 0.0 dB

struct ValueRange
{
    qint64 low = 0;
    qint64 high = 0;

    constexpr bool contains(qint64 v) const { return v >= low && v <= high; }
    constexpr bool operator==(const ValueRange &o) const { return low == o.low && high == o.high; }
};

// The mixer keeps one priority switch, parameter 49 (Priority_1): non-zero
// lets every channel on at once ("All OK"), 0 limits them to OnlyType + 1.
// Its data block repeats the switch in the bytes of channels 2..8; those
// are never sent and are no settings of their own.
constexpr bool priorityEcho(int keyId)
{
    return keyId > channelKeyId(ChannelFamily::Priority, 1)
        && keyId <= channelKeyId(ChannelFamily::Priority, 8);
}

namespace ValueRanges {
inline constexpr ValueRange Switch{0, 1};
inline constexpr ValueRange Byte{0, 255};
inline constexpr ValueRange Word15{0, 32767};
inline constexpr ValueRange Level{LevelCodeMin, LevelCodeMax};
inline constexpr ValueRange Whole32{-2147483647 - 1, 2147483647};

// The choices of a channel strip's rows; the gain is a level.
constexpr ValueRange channel(ChannelFamily family)
{
    switch (family) {
    case ChannelFamily::InputLevel: return {0, 3}; // -50, 0, -30, -40 dB
    case ChannelFamily::HeadAmp: return {0, 4};    // -20, -10, 0, -25, -30 dB
    case ChannelFamily::InputGain: return Level;
    default: return Switch;
    }
}

constexpr std::optional<ValueRange> single(int keyId)
{
    switch (keyId) {
    case MixerKey::OutputLevel: return ValueRange{0, 3};
    case MixerKey::OutputGain: return Level;
    case MixerKey::MuteAtt: return ValueRange{0, 2};  // -60, -40, -20 dB
    case MixerKey::HoldTime: return ValueRange{0, 5}; // 0.5 .. 3.0 s
    case MixerKey::OnlyType: return ValueRange{0, 3}; // 1ch .. 4ch only
    case MixerKey::Threshold: return Word15;
    default: break;
    }
    if (keyId >= MixerKey::MuteChange && keyId <= MixerKey::KeyLock)
        return Switch;
    return std::nullopt;
}

constexpr std::optional<ValueRange> extended(int keyId)
{
    switch (keyId) {
    case 89: return ValueRange{1, 1000};             // ThresholdK, 0.01 .. 10.00
    case 91: return ValueRange{-200, 60};            // OutPeakLEDK, -20.0 .. 6.0 dB
    case 92: case 96: case 97: case 100: return Switch; // PriorityDef, ThresholdActDef, the two ON/OFF
    case 95: return ValueRange{0, 2};                // MuteAttDef
    case 98: case 99: return Whole32;                // any field shows as its 16-bit entry
    case 101: case 102: return ValueRange{0, 119};   // Silent_Time, Hold_Time2, 0.05 .. 6.00 s
    case 87: case 88: case 90: case 93: case 94: case 103: return Word15; // thresholds, MuteK, ThresholdK2
    default: return std::nullopt;
    }
}
} // namespace ValueRanges

// Key ids 1..85 and 87..103 the editor sets: the codes of its choices and
// entry fields. The echoes of the priority switch are bytes. Nothing for
// Active and Model, which describe the PC and the mixer, not a setting.
constexpr std::optional<ValueRange> editorRange(int keyId)
{
    if (priorityEcho(keyId))
        return ValueRanges::Byte;
    if (keyId >= MixerKey::FirstBlock && keyId <= channelKeyId(ChannelFamily::RemoteOff, 8))
        return ValueRanges::channel(ChannelFamily((keyId - 1) / 8));
    if (keyId >= MixerKey::FirstExtended)
        return ValueRanges::extended(keyId);
    return ValueRanges::single(keyId);
}
// The upper end of a key's editor range (0 for a key without one).
constexpr int editorMax(int keyId)
{
    return editorRange(keyId) ? int(editorRange(keyId)->high) : 0;
}
constexpr int editorMin(int keyId)
{
    return editorRange(keyId) ? int(editorRange(keyId)->low) : 0;
}

// What the mixer can hold for the same ids: every data-block byte 0..255,
// the threshold 0..32767, an extended field what its register keeps whole.
std::optional<ValueRange> mixerRange(int keyId);
