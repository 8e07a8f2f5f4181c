#pragma once

// The meeting console's setup: which channel buttons are the chair's seats
// and the rules of a meeting (how many delegates may speak at once, how long
// each may speak). The settings file keeps it in a section of its own,
// "[Meeting]", written after "SystemData" and only when anything differs
// from the defaults, so a file of a room without it is written as before.

#include "settings/settingsfile.h"

#include <QString>

#include <array>
#include <bitset>

// What a further press does when the delegates' microphone limit is reached.
// File values 0 and 1.
enum class MicLimitMode { Refuse = 0, Fifo = 1 };
// What happens when a delegate's speaking time runs out. File values 0 and 1.
enum class SpeakingEnd { Mark = 0, SwitchOff = 1 };

struct MeetingSettings
{
    static constexpr int MaxMicLimit = 32;
    static constexpr int MinSpeakingLimit = 60;     // seconds
    static constexpr int MaxSpeakingLimit = 3600;
    static constexpr int DefaultWarning = 30;

    int micLimit = 0;                       // delegates on at once; 0: no limit
    MicLimitMode micMode = MicLimitMode::Refuse;
    int speakingLimit = 0;                  // seconds; 0: no limit
    int warning = DefaultWarning;           // seconds before the end
    SpeakingEnd atEnd = SpeakingEnd::Mark;

    bool operator==(const MeetingSettings &o) const
    {
        return micLimit == o.micLimit && micMode == o.micMode && speakingLimit == o.speakingLimit
            && warning == o.warning && atEnd == o.atEnd;
    }
    bool operator!=(const MeetingSettings &o) const { return !(*this == o); }
    // The values brought into their ranges: a limit of 0 stays "none", the
    // warning shorter than the limit.
    MeetingSettings bounded() const;
};

struct PanelState;

struct MeetingSetup
{
    // The panel's mixers and channel slots (Panel::MaxMixers, ChannelSlots).
    static constexpr int Mixers = 16;
    static constexpr int Slots = 8;
    // Chair seats per panel mixer 0..15, channel slot 0..7.
    std::array<std::bitset<Slots>, Mixers> chairs{};
    MeetingSettings settings;

    bool isChair(int mixer, int slot) const;
    void setChair(int mixer, int slot, bool chair);
    bool isDefault() const { return *this == MeetingSetup{}; }
    bool operator==(const MeetingSetup &o) const { return chairs == o.chairs && settings == o.settings; }
    bool operator!=(const MeetingSetup &o) const { return !(*this == o); }
};

// The key lines of the setup (none for the defaults); only chairs of buttons
// `panel` holds are kept.
SectionLines meetingLines(const MeetingSetup &setup, const PanelState &panel);
// The setup the lines describe. Unknown keys are passed over (a later
// program's); a value out of its range is brought into it. False in `ok`
// when a known key's value is no number.
MeetingSetup meetingFromLines(const SectionLines &lines, bool *ok = nullptr);
