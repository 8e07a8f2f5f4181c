#include "settings/meetingsetup.h"

#include "settings/panelmodel.h"

#include <QStringList>

static_assert(MeetingSetup::Mixers == Panel::MaxMixers && MeetingSetup::Slots == Panel::ChannelSlots);

namespace {

// The section's keys.
const QString ChairKey = QStringLiteral("Chair");
const QString MicLimitKey = QStringLiteral("MicLimit");
const QString MicModeKey = QStringLiteral("MicLimitMode");
const QString SpeakingKey = QStringLiteral("SpeakingLimit");
const QString WarningKey = QStringLiteral("SpeakingWarning");
const QString EndKey = QStringLiteral("SpeakingEnd");

// Panel-wide channel number m × 8 + s + 1, as the user reads it.
int channelNumber(int mixer, int slot)
{
    return mixer * Panel::ChannelSlots + slot + 1;
}

} // namespace

MeetingSettings MeetingSettings::bounded() const
{
    MeetingSettings b = *this;
    b.micLimit = qBound(0, micLimit, MaxMicLimit);
    b.speakingLimit = speakingLimit <= 0 ? 0 : qBound(MinSpeakingLimit, speakingLimit, MaxSpeakingLimit);
    const int longest = b.speakingLimit > 0 ? b.speakingLimit - 1 : MaxSpeakingLimit - 1;
    b.warning = qBound(0, warning, longest);
    return b;
}

bool MeetingSetup::isChair(int mixer, int slot) const
{
    return mixer >= 0 && mixer < Panel::MaxMixers && slot >= 0 && slot < Panel::ChannelSlots
        && chairs[size_t(mixer)].test(size_t(slot));
}

void MeetingSetup::setChair(int mixer, int slot, bool chair)
{
    if (mixer >= 0 && mixer < Panel::MaxMixers && slot >= 0 && slot < Panel::ChannelSlots)
        chairs[size_t(mixer)].set(size_t(slot), chair);
}

SectionLines meetingLines(const MeetingSetup &setup, const PanelState &panel)
{
    QStringList chairs;
    for (int m = 0; m < Panel::MaxMixers; ++m)
        for (int s = 0; s < Panel::ChannelSlots; ++s)
            if (setup.isChair(m, s) && panel.slot(m, s).IconEnable)
                chairs << QString::number(channelNumber(m, s));
    const MeetingSettings d;
    const MeetingSettings &v = setup.settings;
    if (chairs.isEmpty() && v == d)
        return {};
    return {
        {ChairKey, chairs.join(u',')},
        {MicLimitKey, QString::number(v.micLimit)},
        {MicModeKey, QString::number(int(v.micMode))},
        {SpeakingKey, QString::number(v.speakingLimit)},
        {WarningKey, QString::number(v.warning)},
        {EndKey, QString::number(int(v.atEnd))},
    };
}

MeetingSetup meetingFromLines(const SectionLines &lines, bool *ok)
{
    MeetingSetup setup;
    bool good = true;
    auto number = [&good](const QString &text) {
        bool valid = false;
        const int n = text.toInt(&valid);
        good = good && valid;
        return valid ? n : 0;
    };
    MeetingSettings &v = setup.settings;
    for (const auto &[key, value] : lines) {
        if (key == ChairKey) {
            for (const QString &item : value.split(u',', Qt::SkipEmptyParts)) {
                const int n = number(item) - 1;
                if (n >= 0)
                    setup.setChair(n / Panel::ChannelSlots, n % Panel::ChannelSlots, true);
            }
        } else if (key == MicLimitKey) {
            v.micLimit = number(value);
        } else if (key == MicModeKey) {
            v.micMode = number(value) == 1 ? MicLimitMode::Fifo : MicLimitMode::Refuse;
        } else if (key == SpeakingKey) {
            v.speakingLimit = number(value);
        } else if (key == WarningKey) {
            v.warning = number(value);
        } else if (key == EndKey) {
            v.atEnd = number(value) == 1 ? SpeakingEnd::SwitchOff : SpeakingEnd::Mark;
        }
    }
    v = v.bounded();
    if (ok)
        *ok = good;
    return setup;
}
