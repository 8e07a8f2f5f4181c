#include "editor/parametergrid.h"

#include "base/strings.h"
#include "editor/editorrules.h"
#include "editor/editortexts.h"
#include "editor/scales.h"

#include <algorithm>
#include <array>

namespace T = EditorText;

namespace {

constexpr int MasterText = 1902;   // "マスター"
constexpr int SlaveText = 1903;    // "スレーブ"
constexpr int MixerNumber = 2602;  // "ミキサー番号"
constexpr int AttenuatorCaption = 2113; // 2113 − code: the input attenuator's captions
constexpr int HeadAmpCaption = 2123;    // 2123 − code

enum GridItem : int {
    ItemInputLevel, ItemPhantom, ItemHeadAmp, ItemLowCut, ItemInputGain, ItemRemoteOn, ItemRemoteOff,
    ItemThresholdObj, ItemOutputLevel, ItemOutputGain, ItemThreshold, ItemMuteAtt,
};

// The families of the channel items, in item order.
constexpr std::array<ChannelFamily, FirstMixerItem> ItemFamily{
    ChannelFamily::InputLevel, ChannelFamily::Phantom,  ChannelFamily::HeadAmp,
    ChannelFamily::LowCutFil,  ChannelFamily::InputGain, ChannelFamily::RemoteOn,
    ChannelFamily::RemoteOff,  ChannelFamily::ThresholdObj};

// A caption of a numbered list of captions; a code no caption stands for
// shows as the number it is, never as an unrelated text of the table.
QString caption(int firstId, int code, int count, bool downwards)
{
    if (code < 0 || code >= count)
        return QString::number(code);
    return gridCaption(str(downwards ? firstId - code : firstId + code));
}

QString onOff(int code)
{
    return str(code == 1 ? T::On : T::Off);
}

// Levels in dB with one decimal, code 0 as -96.0dB (the grid has no "MUTE").
QString level(int code)
{
    const QString number = levelNumberText(code);
    return number.isEmpty() ? QString::number(code) : number + str(T::Decibel);
}

QString channelValue(int item, int code)
{
    switch (item) {
    case ItemInputLevel: return caption(AttenuatorCaption, code, rowChoices(RowInputLevel), true);
    case ItemHeadAmp: return caption(HeadAmpCaption, code, rowChoices(RowHeadAmp), true);
    case ItemInputGain: return level(code);
    default: return onOff(code);
    }
}

QString mixerValue(int item, const MixerDataRecord &d, double ambientLevel)
{
    switch (item) {
    case ItemOutputLevel:
        // The output's levels are captioned like the input attenuator's here.
        return caption(AttenuatorCaption, d.block[MixerKey::OutputLevel - 1], rowChoices(RowInputLevel),
                       true);
    case ItemOutputGain: return level(d.block[MixerKey::OutputGain - 1]);
    case ItemThreshold: return QString::number(d.Threshold);
    default:
        if (d.block[MixerKey::MuteChange - 1] != 0)
            return caption(T::MuteAttFirst, d.block[MixerKey::MuteAtt - 1], 3, false);
        return QString::number(ambientLevel);
    }
}

QString channelLabel(int mixer, int channel)
{
    const QString ch = str(T::Ch) + u' ';
    if (mixer == 1)
        return str(MasterText) + QStringLiteral("    ") + ch + QString::number(channel);
    return mixerLabel(mixer) + QStringLiteral("  ") + ch
           + QString::number((mixer - 1) * ChannelCount + channel);
}

} // namespace

QString mixerLabel(int mixer)
{
    return mixer == 1 ? str(MasterText) : joinWords(str(SlaveText), QString::number(mixer - 1));
}

QString gridCaption(const QString &text)
{
    auto isWordChar = [](QChar c) { return c.unicode() > u' ' && c.unicode() < 0x7F; };
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] != u' ') {
            out += text[i++];
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && text[end] == u' ')
            ++end;
        if (i > 0 && end < text.size() && isWordChar(text[i - 1]) && isWordChar(text[end]))
            out += u' ';
        i = end;
    }
    return out;
}

namespace {
// The key a mixer item shows (gate attenuation: the attenuation chosen).
int mixerItemKey(int item)
{
    switch (item) {
    case ItemOutputLevel: return MixerKey::OutputLevel;
    case ItemOutputGain: return MixerKey::OutputGain;
    case ItemThreshold: return MixerKey::Threshold;
    default: return MixerKey::MuteAtt;
    }
}
} // namespace

ParameterGrid parameterGrid(int item, const MixerState &mixers, double ambientLevel, const SyncStatus *sync)
{
    ParameterGrid grid;
    if (item < 0 || item >= GridItemCount)
        return grid;
    const int titleId = item < FirstMixerItem ? T::RowLabelFirst + item
                                              : T::FieldLabelFirst + item - FirstMixerItem;
    grid.title = gridCaption(str(titleId));
    grid.mixerHeader = str(MixerNumber);
    const int count = std::clamp<int>(mixers.MixerCount, 0, MaxMixers);
    for (int m = 1; m <= count; ++m) {
        const MixerDataRecord &d = mixers.MixerData[size_t(m)];
        const auto state = [&](int id) { return sync ? sync->valueStatus(m, id).state : ValueState::Settled; };
        if (item >= FirstMixerItem) {
            grid.rows.emplace_back(mixerLabel(m), mixerValue(item, d, ambientLevel));
            grid.states.push_back(state(mixerItemKey(item)));
            continue;
        }
        for (int c = 1; c <= ChannelCount; ++c) {
            grid.rows.emplace_back(channelLabel(m, c), channelValue(item, d.channel(ItemFamily[size_t(item)], c)));
            grid.states.push_back(state(channelKeyId(ItemFamily[size_t(item)], c)));
        }
    }
    return grid;
}
