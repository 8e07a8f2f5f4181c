#include "mixer/mixersync.h"

#include "base/clock.h"
#include "link/comm.h"
#include "link/protocol.h"

#include <QScopedValueRollback>

namespace {
bool validValue(int mixer, int id)
{
    return mixer >= 1 && mixer <= MaxMixers && id >= 1 && id < PendingFlagCount;
}

// Asked on every pass of the job loop, so it must cost next to nothing when,
// as almost always, no flag is set at all.
bool anyFlag(const MixerState &mixers)
{
    for (int m = 1; m <= MaxMixers; ++m)
        if (mixers.anyPending(m))
            return true;
    return false;
}
} // namespace

MixerSync::MixerSync(MdlComm &comm, LoopState &loop, MixerState &mixers)
    : m_comm(comm), m_mixers(mixers), m_poll(comm, loop, mixers), m_setData(comm, mixers)
{
    m_setData.ending = [this] { return m_ending; };
    m_setData.settled = [this](int mixer, int id, ValueState state) { settle(mixer, id, state); };
}

void MixerSync::poll()
{
    pollStep([this] { m_poll.poll(); });
}

template <typename Collect>
void MixerSync::pollStep(Collect collect)
{
    const QScopedValueRollback<bool> busy(m_busy, true);
    followConnection();
    decodeAndAnnounce(collect);
    rejudgeWhenReread();
}

bool MixerSync::flushDue()
{
    // Not while a poll or a write is under way further up the stack (a
    // window's handler runs inside their waits): its replies are its own.
    if (m_busy || m_comm.state().offline() || m_comm.closed() || !anyFlag(m_mixers) || !m_poll.PendingChanges())
        return false;
    return lineFree();
}

bool MixerSync::lineFree()
{
    if (m_busy)
        return false;
    // The line is half-duplex: while the poll's last request awaits its
    // reply nothing else goes out. The reply is taken as soon as it is
    // there; one that does not come is given up by the next poll.
    if (m_poll.awaitingReply())
        pollStep([this] { m_poll.takeArrived(); });
    return !m_poll.awaitingReply();
}

template <typename Decode>
void MixerSync::decodeAndAnnounce(Decode decode)
{
    const ReadMarks data = m_poll.DataReadMark;
    const ReadMarks thresholds = m_poll.ThresholdReadMark;
    decode();
    announceArrivals(data, thresholds);
}

void MixerSync::announceArrivals(const ReadMarks &data, const ReadMarks &thresholds)
{
    for (int m = 1; m <= MaxMixers; ++m) {
        const size_t i = size_t(m);
        if (m_poll.DataReadMark[i] == MarkDecoded && data[i] != MarkDecoded)
            emit m_events.dataArrived(m);
        if (m_poll.ThresholdReadMark[i] == MarkDecoded && thresholds[i] != MarkDecoded)
            emit m_events.thresholdsArrived(m);
    }
}

void MixerSync::followConnection()
{
    const LinkState &link = m_comm.state();
    if (link.down() != m_wasDown) {
        m_wasDown = link.down();
        announceVerified();
    }
    if (link.reconnects == m_reconnects)
        return;
    m_reconnects = link.reconnects;
    m_rereadDue = true;
    m_dataAt = m_poll.DataReplies;
    m_thresholdsAt = m_poll.ThresholdReplies;
    // Nothing of the lost connection belongs to the new one.
    m_poll.clearPollBuffer();
}

void MixerSync::rejudgeWhenReread()
{
    if (!m_rereadDue || m_poll.DataReplies <= m_dataAt || m_poll.ThresholdReplies <= m_thresholdsAt)
        return;
    m_rereadDue = false;
    const double now = m_comm.clock().now();
    for (int m = 1; m <= MaxMixers; ++m) {
        for (int id = 1; id < PendingFlagCount; ++id) {
            ValueStatus &status = m_values[size_t(m)][size_t(id)];
            if (status.state == ValueState::Settled || !outdated(m, id))
                continue;
            m_epochs[size_t(m)][size_t(id)] = m_reconnects;
            const bool linked = m <= m_mixers.MixerCount;
            const qint32 mask = id == MixerKey::Threshold ? 0x7FFF : 0xFF;
            if (linked && (m_mixers.MixerData[size_t(m)].value(id) & mask) == (status.value & mask)) {
                // The new read shows it: verified by that read.
                status.state = ValueState::Verified;
                status.at = now;
            } else if (status.state == ValueState::Verified) {
                // The mixers hold another value now; nothing written since
                // the connection came back claims otherwise.
                status.state = ValueState::Settled;
                status.at = now;
            }
            emit m_events.valueStateChanged(m, id);
        }
    }
    emit m_events.mixersReread();
}

bool MixerSync::outdated(int mixer, int id) const
{
    const LinkState &link = m_comm.state();
    return link.down() || m_epochs[size_t(mixer)][size_t(id)] != link.reconnects;
}

bool MixerSync::mixersCurrent() const
{
    const LinkState &link = m_comm.state();
    return !link.down() && link.reconnects == m_reconnects && !m_rereadDue && m_poll.DataReplies > 0;
}

bool MixerSync::flush()
{
    const bool sent = run();
    // The read-back took the place of the poll's requests: start again with
    // the data.
    if (sent)
        m_poll.startWith(PollData);
    return sent;
}

bool MixerSync::writePending()
{
    return run();
}

bool MixerSync::run(SendScope scope)
{
    const QScopedValueRollback<bool> busy(m_busy, true);
    announceWaiting();
    const bool sent = m_setData.run(scope);
    emit m_events.runFinished(m_setData.outcome().verified);
    return sent;
}

void MixerSync::announceWaiting()
{
    for (int m = 1; m <= MaxMixers; ++m)
        for (int id = 1; id < PendingFlagCount; ++id)
            if (m_mixers.SetDataPending[size_t(m)][size_t(id)])
                emit m_events.valueStateChanged(m, id);
}

void MixerSync::announceVerified()
{
    for (int m = 1; m <= MaxMixers; ++m)
        for (int id = 1; id < PendingFlagCount; ++id)
            if (m_values[size_t(m)][size_t(id)].state == ValueState::Verified)
                emit m_events.valueStateChanged(m, id);
}

void MixerSync::settle(int mixer, int id, ValueState state)
{
    if (!validValue(mixer, id))
        return;
    ValueStatus &status = m_values[size_t(mixer)][size_t(id)];
    status.state = state;
    status.at = m_comm.clock().now();
    status.value = m_mixers.MixerSetData[size_t(mixer)].value(id);
    status.passes = m_setData.passesOf(mixer, id);
    m_epochs[size_t(mixer)][size_t(id)] = m_comm.state().reconnects;
    emit m_events.valueStateChanged(mixer, id);
}

ValueStatus MixerSync::valueStatus(int mixer, int id) const
{
    if (!validValue(mixer, id))
        return {};
    if (m_mixers.SetDataPending[size_t(mixer)][size_t(id)])
        return {ValueState::Waiting, 0, m_mixers.MixerSetData[size_t(mixer)].value(id), 0};
    const ValueStatus &status = m_values[size_t(mixer)][size_t(id)];
    // Until the mixers are read again after the connection came back, what
    // was verified before says nothing of what they hold.
    if (status.state == ValueState::Verified && outdated(mixer, id))
        return {ValueState::Waiting, 0, status.value, 0};
    return status;
}

void MixerSync::dismissFailure(int mixer, int id)
{
    if (!validValue(mixer, id) || m_values[size_t(mixer)][size_t(id)].state != ValueState::Failed)
        return;
    m_values[size_t(mixer)][size_t(id)] = ValueStatus{};
    emit m_events.valueStateChanged(mixer, id);
}

bool MixerSync::dataFresh(int mixer) const
{
    return validValue(mixer, 1) && m_poll.DataReadMark[size_t(mixer)] == MarkDecoded;
}

bool MixerSync::thresholdsFresh(int mixer) const
{
    return validValue(mixer, 1) && m_poll.ThresholdReadMark[size_t(mixer)] == MarkDecoded;
}

void MixerSync::awaitFreshData(int mixer)
{
    if (validValue(mixer, 1))
        m_poll.DataReadMark[size_t(mixer)] = MarkNone;
}

void MixerSync::awaitFreshThresholds(int mixer)
{
    if (validValue(mixer, 1))
        m_poll.ThresholdReadMark[size_t(mixer)] = MarkNone;
}

void MixerSync::editorOpened(int mixer)
{
    if (!validValue(mixer, 1))
        return;
    m_poll.DataReadMark[size_t(mixer)] = MarkDecoded;
    m_poll.ThresholdReadMark[size_t(mixer)] = MarkDecoded;
}

void MixerSync::resetForConnect()
{
    m_poll.clearPollBuffer();
    m_poll.DataReceived = 0;
    m_poll.DataReplies = 0;
    m_poll.NoReplyCount = 0;
    for (auto &mixer : m_values)
        mixer.fill(ValueStatus{});
    for (auto &mixer : m_epochs)
        mixer.fill(0);
    m_wasDown = false;
    m_reconnects = 0;
    m_rereadDue = false;
}

void MixerSync::noteReplyArrived()
{
    if (m_poll.FirstReply == NoReplyYet)
        m_poll.FirstReply = ReplyArrived;
}

void MixerSync::takeReply(const QByteArray &reply)
{
    decodeAndAnnounce(
        [&] { m_poll.DecodeReply(reinterpret_cast<const quint8 *>(reply.constData()), int(reply.size())); });
}

bool MixerSync::readAll(int attempts)
{
    auto fetch = [&](const QByteArray &request) {
        for (int i = 0; i < attempts; ++i) {
            const Reply reply = MixerProtocol(m_comm).sendAndWait(request);
            if (reply.received()) {
                m_poll.DecodeReply(reply.data(), reply.count() - Wire::TrailerSize);
                return true;
            }
        }
        return false;
    };
    const bool thresholds = fetch(thresholdReadAllRequest());
    return fetch(dataReadAllRequest()) && thresholds;
}
