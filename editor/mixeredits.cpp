#include "editor/mixeredits.h"

#include "editor/editorrules.h"

#include <algorithm>
#include <array>

namespace {
// What the links copy of a channel: every strip setting but Priority, which
// only the simultaneous-selection group of the master's window sets.
constexpr std::array<ChannelFamily, 8> LinkedFamilies{
    ChannelFamily::InputLevel, ChannelFamily::Phantom,  ChannelFamily::HeadAmp,
    ChannelFamily::LowCutFil,  ChannelFamily::ThresholdObj, ChannelFamily::RemoteOn,
    ChannelFamily::RemoteOff,  ChannelFamily::InputGain};
// What Mixer-Link copies of a mixer's own settings.
constexpr std::array<int, 5> LinkedSystemKeys{MixerKey::OutputLevel, MixerKey::OutputGain,
                                              MixerKey::Threshold, MixerKey::MuteChange,
                                              MixerKey::MuteAtt};
constexpr int MuteAttChoices = 3;
constexpr quint8 PriorityAllowed = 1;
} // namespace

MixerEdits::MixerEdits(EditorEnv env, int editMixer)
    : m_env(env), m_mixer(std::clamp(editMixer, 1, MaxMixers))
{
}

int MixerEdits::lastLinkedMixer() const
{
    // With the link lost (no mixers counted) an edit still reaches the mixer
    // the window shows.
    return std::clamp<int>(m_env.mixers.MixerCount, m_mixer, MaxMixers);
}

std::vector<int> MixerEdits::targetMixers(bool linkable) const
{
    if (!(linkable && master() && m_mixerLink))
        return {m_mixer};
    std::vector<int> mixers;
    for (int t = 1; t <= lastLinkedMixer(); ++t)
        mixers.push_back(t);
    return mixers;
}

std::vector<int> MixerEdits::targetChannels(int ch) const
{
    if (!m_ch1Link)
        return {ch + 1};
    if (ch != 0)
        return {};
    std::vector<int> channels;
    for (int n = 1; n <= ChannelCount; ++n)
        channels.push_back(n);
    return channels;
}

void MixerEdits::store(int mixer, int id, int code)
{
    // The user took the value the mixer holds: a failed write of it is over.
    // (The refresh showing the mixer's value is not the user.)
    if (!m_env.sync.submit(mixer, id, code) && !m_env.editor.Refreshing)
        m_env.sync.dismissFailure(mixer, id);
}

void MixerEdits::storeChannels(ChannelFamily family, int ch, int code)
{
    for (int t : targetMixers(true))
        for (int n : targetChannels(ch))
            store(t, channelKeyId(family, n), code);
}

void MixerEdits::storeSystem(int id, int code, bool linkable)
{
    for (int t : targetMixers(linkable))
        store(t, id, code);
}

bool MixerEdits::channelOptionClicked(const ChannelOption &o)
{
    if (!validChannelOption(o))
        return false;
    const int n = o.ch + 1;
    EditorState &e = m_env.editor;
    auto *ignore = o.row == RowRemoteOn    ? &e.IgnoreRemoteOnClick[size_t(m_mixer)][size_t(n)]
                   : o.row == RowRemoteOff ? &e.IgnoreRemoteOffClick[size_t(m_mixer)][size_t(n)]
                                           : nullptr;
    if (ignore && *ignore) {
        *ignore = false;
        return false;
    }
    if (targetChannels(o.ch).empty())
        return false;
    storeChannels(rowFamily(o.row), o.ch, o.choice);
    return true;
}

bool MixerEdits::gainChanged(int ch, int code)
{
    if (m_env.editor.Refreshing || ch < 0 || ch >= ChannelCount || targetChannels(ch).empty())
        return false;
    storeChannels(ChannelFamily::InputGain, ch, code);
    return true;
}

void MixerEdits::turnCh1LinkOn(int gainCode)
{
    m_ch1Link = true;
    gainChanged(0, gainCode);
    const MixerDataRecord &own = m_env.mixers.MixerSetData[size_t(m_mixer)];
    for (int row : OptionRows) {
        const int choice = own.channel(rowFamily(row), 1);
        // A value no button stands for is left where it is.
        if (choice < rowChoices(row))
            channelOptionClicked({0, row, choice});
    }
    if (master() && m_mixerLink)
        copyMasterChannels();
}

void MixerEdits::copyMasterChannels()
{
    const MixerDataRecord master = m_env.mixers.MixerSetData[1];
    for (int t = 2; t <= lastLinkedMixer(); ++t)
        for (ChannelFamily f : LinkedFamilies)
            for (int n = 1; n <= ChannelCount; ++n)
                m_env.sync.submit(t, channelKeyId(f, n), master.channel(f, m_ch1Link ? 1 : n), Submit::Copy);
}

bool MixerEdits::chooseMixerLink(bool on)
{
    if (!master())
        return false;
    m_mixerLink = on;
    if (on)
        copyMasterChannels();
    const MixerDataRecord &master = m_env.mixers.MixerSetData[1];
    for (int t = 2; t <= lastLinkedMixer(); ++t)
        for (int id : LinkedSystemKeys)
            m_env.sync.submit(t, id, master.value(id), Submit::Copy);
    return true;
}

void MixerEdits::storeSimultaneous(int choice)
{
    ValueSet values;
    for (int n = 1; n <= ChannelCount; ++n)
        values.push_back({channelKeyId(ChannelFamily::Priority, n), choice == 0 ? PriorityAllowed : 0});
    values.push_back({MixerKey::OnlyType, choice == 0 ? 0 : choice - 1});
    // Judged by the mixer's one switch: the bytes that repeat it are never
    // sent and may read otherwise.
    const bool same = choice == simultaneousChoice(m_env.mixers.MixerData[size_t(m_mixer)]);
    m_env.sync.submit(m_mixer, values, same ? Submit::Unchanged : Submit::Changed);
}

MixerEdits::SystemClick MixerEdits::systemOptionClicked(int index)
{
    const int group = index / 10;
    const int choice = index % 10;
    if (index < 0 || choice >= groupChoices(group) || (!master() && !slaveGroup(group)))
        return {};
    SystemClick click;
    click.stored = true;
    if (group == GroupSimultaneous)
        storeSimultaneous(choice);
    else
        storeSystem(groupKeyId(group), choice, slaveGroup(group));
    if (group == GroupMuteChange)
        click.mute = choice == 1 ? MuteMode::Manual : MuteMode::Auto;
    return click;
}

void MixerEdits::muteAttClicked(int i)
{
    if (i >= 0 && i < MuteAttChoices)
        storeSystem(MixerKey::MuteAtt, i, true);
}

int MixerEdits::thresholdChanged(int code)
{
    if (m_env.editor.Refreshing)
        return code;
    const ExtendedRecord &ext = m_env.mixers.ExtendedData[size_t(m_mixer)];
    const int kept = std::max<int>(ext.ThresholdMin, std::min<int>(code, ext.ThresholdMax));
    storeSystem(MixerKey::Threshold, kept, true);
    return kept;
}

void MixerEdits::outputGainChanged(int code)
{
    if (!m_env.editor.Refreshing)
        storeSystem(MixerKey::OutputGain, code, true);
}

void MixerEdits::holdTimeChanged(int code)
{
    if (!m_env.editor.Refreshing)
        storeSystem(MixerKey::HoldTime, code, false);
}
