#include "remote/remotesync.h"

namespace {

const int FirstId = channelKeyId(ChannelFamily::RemoteOn, 1);

// The two values of each channel's remote switch.
bool followed(int id)
{
    return id >= FirstId && id < FirstId + 2 * ChannelCount;
}

} // namespace

void RemoteSyncView::attach(SyncStatus *status)
{
    if (m_events)
        disconnect(m_events, nullptr, this, nullptr);
    m_status = status;
    m_events = status ? &status->events() : nullptr;
    if (m_events) {
        connect(m_events, &SyncEvents::valueStateChanged, this, [this](int, int id) {
            if (followed(id))
                emit changed();
        });
    }
    emit changed();
}

RemoteValueState RemoteSyncView::state(int mixer, int id) const
{
    if (!m_status || !m_events || mixer < 1 || mixer > MaxMixers || !followed(id))
        return RemoteValueState::Settled;
    return m_status->valueStatus(mixer, id).state;
}

RemoteValueState RemoteSyncView::channelState(int mixer, int channel) const
{
    return switchState(state(mixer, channelKeyId(ChannelFamily::RemoteOn, channel)),
                       state(mixer, channelKeyId(ChannelFamily::RemoteOff, channel)));
}

bool RemoteSyncView::mixersCurrent() const
{
    return m_status && m_events && m_status->mixersCurrent();
}

const char *stateName(RemoteValueState state)
{
    switch (state) {
    case RemoteValueState::Settled: return "settled";
    case RemoteValueState::Waiting: return "waiting";
    case RemoteValueState::Verified: return "verified";
    case RemoteValueState::Failed: return "failed";
    }
    return "settled";
}
