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

RemoteChannels::RemoteChannels(MixerState &mixers, PanelRuntime &runtime, SyncStatus *sync, EditorState *editor)
    : m_mixers(mixers), m_runtime(runtime), m_sync(sync), m_editor(editor)
{
}

void RemoteChannels::set(int wire, ChannelFamily family, int channel, quint8 value)
{
    // A mixer counted after the panel opened is recorded before its first
    // switch, so closing gives it back what it held, not what another mixer
    // or an earlier panel left in the record.
    if (m_runtime.remoteRecord[size_t(wire - 1)] != RemoteRecord::Held)
        holdRecord(wire - 1);
    if (m_sync)
        m_sync->submit(wire, channelKeyId(family, channel), value, Submit::Copy);
    m_switched[size_t(wire - 1)][size_t(channel - 1)] = true;
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
    m_runtime.remoteRecord[size_t(m)] = RemoteRecord::Held;
}

void RemoteChannels::holdRecord(int m)
{
    RemoteRecord &state = m_runtime.remoteRecord[size_t(m)];
    if (state != RemoteRecord::Owed) {
        record(m);
        return;
    }
    // The values recorded by the earlier panel stand; every channel counts
    // as switched, so closing gives each of them back.
    state = RemoteRecord::Held;
    m_switched[size_t(m)].fill(true);
}

void RemoteChannels::takeOver(int linkedMixers)
{
    for (int m = 0; m < linkedCount(linkedMixers); ++m) {
        const int wire = wireMixer(m);
        // Opened again, or a file loaded: the channels are recorded as they
        // are to come back.
        if (m_runtime.remoteRecord[size_t(m)] == RemoteRecord::Held)
            record(m);
        else
            holdRecord(m);
        for (int c = 1; c <= ChannelCount; ++c) {
            if (m_runtime.recordedRemoteOn[size_t(m)][size_t(c - 1)] != 0)
                set(wire, ChannelFamily::RemoteOn, c, 0);
            if (m_runtime.recordedRemoteOff[size_t(m)][size_t(c - 1)] != 1)
                set(wire, ChannelFamily::RemoteOff, c, 1);
        }
    }
}

void RemoteChannels::restore(int m, bool all)
{
    const int wire = wireMixer(m);
    const MixerDataRecord &wanted = m_mixers.MixerSetData[size_t(wire)];
    for (int c = 1; c <= ChannelCount; ++c) {
        const quint8 on = m_runtime.recordedRemoteOn[size_t(m)][size_t(c - 1)];
        const quint8 off = m_runtime.recordedRemoteOff[size_t(m)][size_t(c - 1)];
        const bool switched = all || m_switched[size_t(m)][size_t(c - 1)];
        if (switched || wanted.channel(ChannelFamily::RemoteOn, c) != on) {
            set(wire, ChannelFamily::RemoteOn, c, on);
            if (m_editor)
                m_editor->ignoreNextRemoteClick(wire, c, ChannelFamily::RemoteOn);
        }
        if (switched || wanted.channel(ChannelFamily::RemoteOff, c) != off) {
            set(wire, ChannelFamily::RemoteOff, c, off);
            if (m_editor)
                m_editor->ignoreNextRemoteClick(wire, c, ChannelFamily::RemoteOff);
        }
    }
}

void RemoteChannels::giveBack(int linkedMixers)
{
    for (int m = 0; m < Panel::MaxMixers; ++m) {
        RemoteRecord &state = m_runtime.remoteRecord[size_t(m)];
        if (state == RemoteRecord::None)
            continue;
        if (m >= linkedCount(linkedMixers)) {
            // Off the link: nothing sent there would arrive.
            state = RemoteRecord::Owed;
            continue;
        }
        restore(m, state == RemoteRecord::Owed);
        state = RemoteRecord::None;
    }
}

bool RemoteChannels::giveBackOwed(int linkedMixers)
{
    for (int m = 0; m < linkedCount(linkedMixers); ++m) {
        RemoteRecord &state = m_runtime.remoteRecord[size_t(m)];
        if (state != RemoteRecord::Owed)
            continue;
        restore(m, true);
        state = RemoteRecord::None;
    }
    return remoteValuesOwed(m_runtime);
}

bool remoteValuesOwed(const PanelRuntime &runtime)
{
    return std::find(runtime.remoteRecord.begin(), runtime.remoteRecord.end(), RemoteRecord::Owed)
           != runtime.remoteRecord.end();
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

void RemoteChannels::rewriteDiffering(int linkedMixers)
{
    for (int m = 0; m < linkedCount(linkedMixers); ++m) {
        if (m_runtime.remoteRecord[size_t(m)] != RemoteRecord::Held)
            continue;
        const int wire = wireMixer(m);
        for (int c = 1; c <= ChannelCount; ++c) {
            for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff}) {
                const quint8 wanted = m_mixers.MixerSetData[size_t(wire)].channel(f, c);
                if (!m_mixers.waiting(wire, channelKeyId(f, c)) && m_mixers.MixerData[size_t(wire)].channel(f, c) != wanted)
                    set(wire, f, c, wanted);
            }
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
