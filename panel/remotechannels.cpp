#include "panel/remotechannels.h"

#include <algorithm>

namespace {

// Panel mixer 0..15 is mixer 1..16 in the mixer records.
constexpr int wireMixer(int panelMixer) { return panelMixer + 1; }

int linkedCount(int mixers)
{
    return qBound(0, mixers, Panel::MaxMixers);
}

// Whether any channel value of the mixer still waits to be sent, seen as a
// difference between what is wanted and what was reported.
bool channelsDiffer(const MixerDataRecord &wanted, const MixerDataRecord &reported)
{
    constexpr int channelBytes = 9 * ChannelCount;
    return !std::equal(wanted.block.begin(), wanted.block.begin() + channelBytes,
                       reported.block.begin());
}

} // namespace

RemoteChannels::RemoteChannels(MixerState &mixers, PanelRuntime &runtime,
                               std::function<void()> restartRetries, EditorState *editor)
    : m_mixers(mixers), m_runtime(runtime), m_restartRetries(std::move(restartRetries)), m_editor(editor)
{
}

void RemoteChannels::set(int wire, ChannelFamily family, int channel, quint8 value)
{
    // A mixer counted after the panel opened is recorded before its first
    // switch, so closing gives it back what it held, not what another mixer
    // or an earlier panel left in the record.
    if (!m_recorded[size_t(wire - 1)])
        record(wire - 1);
    m_mixers.setPending(wire, channelKeyId(family, channel), value);
    m_switched[size_t(wire - 1)][size_t(channel - 1)] = true;
    if (m_restartRetries)
        m_restartRetries();
}

void RemoteChannels::record(int m)
{
    const int wire = wireMixer(m);
    const MixerDataRecord &wanted = m_mixers.MixerSetData[size_t(wire)];
    const MixerDataRecord &source =
        channelsDiffer(wanted, m_mixers.MixerData[size_t(wire)]) ? wanted : m_mixers.MixerData[size_t(wire)];
    for (int c = 1; c <= ChannelCount; ++c) {
        m_runtime.recordedRemoteOn[size_t(m)][size_t(c - 1)] = source.channel(ChannelFamily::RemoteOn, c);
        m_runtime.recordedRemoteOff[size_t(m)][size_t(c - 1)] = source.channel(ChannelFamily::RemoteOff, c);
    }
    m_recorded[size_t(m)] = true;
}

void RemoteChannels::takeOver(int linkedMixers)
{
    for (int m = 0; m < linkedCount(linkedMixers); ++m) {
        const int wire = wireMixer(m);
        record(m);
        for (int c = 1; c <= ChannelCount; ++c) {
            if (m_runtime.recordedRemoteOn[size_t(m)][size_t(c - 1)] != 0)
                set(wire, ChannelFamily::RemoteOn, c, 0);
            if (m_runtime.recordedRemoteOff[size_t(m)][size_t(c - 1)] != 1)
                set(wire, ChannelFamily::RemoteOff, c, 1);
        }
    }
}

void RemoteChannels::giveBack(int linkedMixers)
{
    for (int m = 0; m < linkedCount(linkedMixers); ++m) {
        if (!m_recorded[size_t(m)])
            continue;
        const int wire = wireMixer(m);
        MixerDataRecord &wanted = m_mixers.MixerSetData[size_t(wire)];
        for (int c = 1; c <= ChannelCount; ++c) {
            const quint8 on = m_runtime.recordedRemoteOn[size_t(m)][size_t(c - 1)];
            const quint8 off = m_runtime.recordedRemoteOff[size_t(m)][size_t(c - 1)];
            const bool switched = m_switched[size_t(m)][size_t(c - 1)];
            if (switched || wanted.channel(ChannelFamily::RemoteOn, c) != on) {
                set(wire, ChannelFamily::RemoteOn, c, on);
                if (m_editor)
                    m_editor->IgnoreRemoteOnClick[size_t(wire)][size_t(c)] = true;
            }
            if (switched || wanted.channel(ChannelFamily::RemoteOff, c) != off) {
                set(wire, ChannelFamily::RemoteOff, c, off);
                if (m_editor)
                    m_editor->IgnoreRemoteOffClick[size_t(wire)][size_t(c)] = true;
            }
        }
    }
}

void RemoteChannels::switchChannel(int mixer, int slot, bool on)
{
    const int wire = wireMixer(mixer);
    const int c = slot + 1;
    set(wire, ChannelFamily::RemoteOn, c, on ? 1 : 0);
    set(wire, ChannelFamily::RemoteOff, c, on ? 0 : 1);
}

void RemoteChannels::applyButtonStates(const PanelState &panel, int mixers)
{
    for (const ButtonRef &b : enabledButtons(panel, mixers)) {
        if (b.isOutput())
            continue;
        const MixerDataRecord &wanted = m_mixers.MixerSetData[size_t(wireMixer(b.mixer))];
        const int c = b.slot + 1;
        if (panel.slot(b.mixer, b.slot).IconOnOff) {
            if (wanted.channel(ChannelFamily::RemoteOn, c) == 0)
                switchChannel(b.mixer, b.slot, true);
        } else if (wanted.channel(ChannelFamily::RemoteOff, c) == 0) {
            switchChannel(b.mixer, b.slot, false);
        }
    }
}

bool RemoteChannels::toggle(PanelState &panel, ButtonRef button)
{
    if (button.isOutput() || !panel.slot(button.mixer, button.slot).IconEnable)
        return false;
    ButtonSlot &s = panel.slot(button.mixer, button.slot);
    s.IconOnOff = !s.IconOnOff;
    switchChannel(button.mixer, button.slot, s.IconOnOff);
    return true;
}
