#include "remote/remotesync.h"

#include "mixer/setdata.h"

namespace {

const int FirstId = channelKeyId(ChannelFamily::RemoteOn, 1);

bool followed(int id)
{
    return id >= FirstId && id < FirstId + 2 * ChannelCount;
}

} // namespace

RemoteSyncView::RemoteSyncView(const MixerState &mixers, QObject *parent) : QObject(parent), m_mixers(mixers)
{
}

RemoteValueState RemoteSyncView::state(int mixer, int id) const
{
    if (mixer < 1 || mixer > MaxMixers || !followed(id))
        return RemoteValueState::Settled;
    return m_states[size_t(mixer)][size_t(id - FirstId)];
}

RemoteValueState RemoteSyncView::channelState(int mixer, int channel) const
{
    const RemoteValueState on = state(mixer, channelKeyId(ChannelFamily::RemoteOn, channel));
    const RemoteValueState off = state(mixer, channelKeyId(ChannelFamily::RemoteOff, channel));
    if (on == RemoteValueState::Failed || off == RemoteValueState::Failed)
        return RemoteValueState::Failed;
    if (on == RemoteValueState::Waiting || off == RemoteValueState::Waiting)
        return RemoteValueState::Waiting;
    if (on == RemoteValueState::Verified || off == RemoteValueState::Verified)
        return RemoteValueState::Verified;
    return RemoteValueState::Settled;
}

bool RemoteSyncView::observe(const SetDataOutcome *runEnded)
{
    bool any = false;
    for (int m = 1; m <= MaxMixers; ++m) {
        for (int i = 0; i < 2 * ChannelCount; ++i) {
            RemoteValueState &s = m_states[size_t(m)][size_t(i)];
            RemoteValueState next = s;
            if (m_mixers.SetDataPending[size_t(m)][size_t(FirstId + i)] != 0)
                next = RemoteValueState::Waiting;
            else if (s == RemoteValueState::Waiting && runEnded)
                next = runEnded->gaveUp ? RemoteValueState::Failed : RemoteValueState::Verified;
            else if (s == RemoteValueState::Waiting)
                next = RemoteValueState::Settled; // dropped without a run (a new connection)
            if (next != s) {
                s = next;
                any = true;
            }
        }
    }
    if (any)
        emit changed();
    return any;
}

void RemoteSyncView::reset()
{
    for (auto &row : m_states)
        row.fill(RemoteValueState::Settled);
    emit changed();
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
