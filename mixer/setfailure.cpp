#include "mixer/setfailure.h"

#include "base/placement.h"
#include "base/strings.h"
#include "mixer/mixerdata.h"

namespace {
namespace Text {
constexpr int Line = 13600;        // "%1 %2: %3"
constexpr int More = 13601;        // "ほか %1 件"
constexpr int ReasonFirst = 13602; // link down, kept, no answer
constexpr int Channel = 13605;     // "ch %1 %2"
constexpr int FamilyFirst = 13610; // InputLevel .. RemoteOff
constexpr int SingleFirst = 13620; // OutputLevel (73) .. Threshold (85)
} // namespace Text
} // namespace

QString valueName(int id)
{
    if (id >= MixerKey::FirstBlock && id <= ChannelCount * (int(ChannelFamily::RemoteOff) + 1)) {
        const int family = (id - 1) / ChannelCount;
        const int channel = (id - 1) % ChannelCount + 1;
        return str(Text::Channel).arg(channel).arg(str(Text::FamilyFirst + family));
    }
    if (id >= MixerKey::OutputLevel && id <= MixerKey::Threshold)
        return str(Text::SingleFirst + id - MixerKey::OutputLevel);
    return QString::number(id);
}

QString setFailureText(const std::vector<SetFailure> &failures, int named)
{
    QString text = str(StrId::SetFailed);
    const int shown = std::min<int>(named, int(failures.size()));
    for (int i = 0; i < shown; ++i) {
        const SetFailure &f = failures[size_t(i)];
        text += u'\n' + str(Text::Line).arg(MixerName(f.mixer), valueName(f.id),
                                            str(Text::ReasonFirst + int(f.reason)));
    }
    if (int(failures.size()) > shown)
        text += u'\n' + str(Text::More).arg(int(failures.size()) - shown);
    return text;
}
