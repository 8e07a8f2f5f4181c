#include "editor/editorrules.h"

#include "base/strings.h"
#include "editor/editortexts.h"
#include "mixer/valueranges.h"

ChannelFamily rowFamily(int row)
{
    switch (row) {
    case RowInputLevel: return ChannelFamily::InputLevel;
    case RowPhantom: return ChannelFamily::Phantom;
    case RowHeadAmp: return ChannelFamily::HeadAmp;
    case RowLowCutFil: return ChannelFamily::LowCutFil;
    case RowThresholdObj: return ChannelFamily::ThresholdObj;
    case RowRemoteOn: return ChannelFamily::RemoteOn;
    case RowRemoteOff: return ChannelFamily::RemoteOff;
    default: return ChannelFamily::Priority;
    }
}

int rowChoices(int row)
{
    // The buttons of a row are the codes its parameter may take.
    if (row == RowPriority || rowFamily(row) == ChannelFamily::Priority)
        return 0;
    const auto range = editorRange(channelKeyId(rowFamily(row), 1));
    return range ? int(range->high) + 1 : 0;
}

bool validChannelOption(const ChannelOption &o)
{
    return o.ch >= 0 && o.ch < ChannelCount && o.choice >= 0 && o.choice < rowChoices(o.row);
}

std::optional<ChannelOption> channelOptionAt(int index)
{
    if (index < 0)
        return std::nullopt;
    const ChannelOption o{index / 100, index / 10 % 10, index % 10};
    return validChannelOption(o) ? std::optional(o) : std::nullopt;
}

int channelCaptionId(int row, int choice)
{
    const int k = row == RowInputLevel ? 0 : row == RowHeadAmp ? 1 : 80;
    return 10 * k + 2113 - choice;
}

QString channelText(int editMixer, int ch)
{
    return str(EditorText::Ch) + u' ' + QString::number((editMixer - 1) * ChannelCount + ch + 1);
}

int groupChoices(int group)
{
    // "All OK", then one choice per code of OnlyType.
    if (group == GroupSimultaneous)
        return int(editorRange(MixerKey::OnlyType)->high) + 2;
    const int key = groupKeyId(group);
    const auto range = key ? editorRange(key) : std::nullopt;
    return range ? int(range->high) + 1 : 0;
}

int groupKeyId(int group)
{
    static constexpr std::array<int, SystemGroupCount> keys{
        MixerKey::OutputLevel,     MixerKey::Noma,   MixerKey::KeyLock,
        MixerKey::ThresholdAction, MixerKey::ThresholdUnit, MixerKey::Action,
        MixerKey::MuteChange,      0,                MixerKey::LastOn};
    return group >= 0 && group < SystemGroupCount ? keys[size_t(group)] : 0;
}

QString systemCaption(int group, int choice)
{
    if (group == GroupSimultaneous)
        return choice == 0 ? str(EditorText::AllOk)
                           : QString::number(choice) + str(EditorText::Ch) + str(EditorText::Only);
    if (group == GroupOutputLevel)
        return str(2963 - choice);
    int k = 0;
    if (group == GroupThresholdAction || group == GroupAction || group == GroupMuteChange)
        k = 3;
    else if (group == GroupThresholdUnit)
        k = 4;
    return str(10 * k + 2913 - choice);
}

int simultaneousChoice(const MixerDataRecord &record)
{
    // The mixer's one priority switch decides; the bytes that repeat it for
    // channels 2..8 are never sent and cannot contradict it.
    if (record.channel(ChannelFamily::Priority, 1) == 0)
        return record.block[MixerKey::OnlyType - 1] + 1;
    return 0;
}

int cmdInitCode(int index)
{
    static constexpr std::array<int, CmdInitCount> codes{16, 17, 18, 11, 10, 9, 20};
    return index >= 0 && index < CmdInitCount ? codes[size_t(index)] : -1;
}

QString openTabQuestion(int i)
{
    return str(EditorText::ExtendedData + i) + str(EditorText::MenuShown) + u'\n'
           + str(EditorText::DoNotChange);
}

EnableRules enableRules(int editMixer, qint16 model)
{
    const bool master = editMixer == 1;
    const bool newer = model != 0;
    EnableRules r;
    r.masterGroups = master;
    r.holdTime = master && !newer;
    r.newerChoices = newer;
    r.extended = master;
    r.noiseGroup = master && newer;
    r.mixerLink = master;
    return r;
}

bool newerOnlyChoice(int row, int choice)
{
    return (row == RowInputLevel && choice >= 2) || (row == RowHeadAmp && choice >= 3);
}

OlderModelLocks olderModelLocks(qint16 model, quint8 inputLevel, quint8 headAmp)
{
    if (model != 0)
        return {};
    return {inputLevel > 1, headAmp > 2};
}

bool outputLevelLocked(qint16 model, quint8 outputLevel)
{
    return model == 0 && outputLevel >= 2;
}
