#include "mixer/setdata.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/synclog.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int ThresholdMask = 0x7FFF;
constexpr int PhantomFirst = 9;   // Phantom(1)
constexpr int PhantomLast = 16;
constexpr int PriorityFirst = 49; // Priority(1), the one Priority that is sent
constexpr int PriorityLast = 56;
} // namespace

SetData::SetData(MdlComm &comm, MixerState &mixers)
    : m_comm(comm), m_mixers(mixers)
{
}

void SetData::Wait(double seconds)
{
    m_comm.pause(seconds);
}

bool SetData::SendParameter(WriteKind kind, int value, int parameter, int mixer)
{
    QByteArray request;
    if (kind == WriteKind::Parameter)
        request = dataSetRequest(mixer, parameter, quint8(value));
    else if (kind == WriteKind::Threshold)
        request = thresholdSetRequest(mixer, quint16(value));
    if (!request.isEmpty())
        m_outcome.sent = true;
    const bool answered = MixerProtocol(m_comm).sendSetAndPause(request) > 0;
    m_silentWrites = answered ? 0 : m_silentWrites + 1;
    return answered;
}

void SetData::lower(bool &flag, int mixer, int id, ValueState state)
{
    flag = false;
    int &passes = m_passes[size_t(mixer)][size_t(id)];
    if (m_left[size_t(mixer)][size_t(id)] && !m_written[size_t(mixer)][size_t(id)])
        passes = 0; // the mixer held it: no pass wrote it
    else if (passes == 0 && state != ValueState::Failed)
        passes = 1; // edited during this pass's read-back and settled by it: that pass counts
    if (settled)
        settled(mixer, id, state);
    m_passes[size_t(mixer)][size_t(id)] = 0;
}

int SetData::passesOf(int mixer, int id) const
{
    if (mixer < 1 || mixer > MaxMixers || id < 1 || id >= PendingFlagCount)
        return 0;
    return m_passes[size_t(mixer)][size_t(id)];
}

void SetData::countPass()
{
    for (int m = 1; m <= MaxMixers; ++m) {
        const auto &flags = m_mixers.SetDataPending[size_t(m)];
        for (int id = 1; id < PendingFlagCount; ++id) {
            m_reported[size_t(m)][size_t(id)] = -1;
            if (!flags[size_t(id)])
                continue;
            const qint32 want = m_mixers.MixerSetData[size_t(m)].value(id);
            int &passes = m_passes[size_t(m)][size_t(id)];
            if (m_countedValue[size_t(m)][size_t(id)] != want)
                passes = 0; // edited again: the new value gets its own passes
            m_countedValue[size_t(m)][size_t(id)] = want;
            ++passes;
        }
    }
}

void SetData::forgetPasses()
{
    for (auto &mixer : m_passes)
        mixer.fill(0);
}

SetFailReason SetData::reasonFor(int mixer, int id) const
{
    if (m_comm.linkDown())
        return SetFailReason::LinkDown;
    return m_reported[size_t(mixer)][size_t(id)] >= 0 ? SetFailReason::Kept : SetFailReason::NoAnswer;
}

void SetData::failFlags(int mixer, bool told)
{
    auto &flags = m_mixers.SetDataPending[size_t(mixer)];
    for (int id = 1; id < PendingFlagCount; ++id) {
        if (!flags[size_t(id)])
            continue;
        if (told)
            m_failures.push_back(SetFailure{mixer, id, reasonFor(mixer, id)});
        lower(flags[size_t(id)], mixer, id, ValueState::Failed);
    }
    flags.fill(false);
}

void SetData::failWorn()
{
    for (int m = 1; m <= MaxMixers; ++m) {
        auto &flags = m_mixers.SetDataPending[size_t(m)];
        for (int id = 1; id < PendingFlagCount; ++id) {
            if (!flags[size_t(id)] || m_passes[size_t(m)][size_t(id)] < ValuePassLimit)
                continue;
            m_failures.push_back(SetFailure{m, id, reasonFor(m, id)});
            lower(flags[size_t(id)], m, id, ValueState::Failed);
        }
    }
}

bool SetData::anyFlagged() const
{
    for (int m = 1; m <= MaxMixers; ++m)
        if (m_mixers.anyPending(m))
            return true;
    return false;
}

void SetData::tellFailures()
{
    if (m_failures.empty())
        return;
    const std::vector<SetFailure> failures = std::exchange(m_failures, {});
    m_outcome.gaveUp = true;
    m_comm.dialogs().tell(setFailureText(failures), MsgIcon::Warning);
}

namespace {
// The values SetData writes, in the order it writes them: the channel
// families channel by channel (the priority as Priority_1 alone: the mixer
// keeps the choice once), the mixer's own values, then the threshold.
template<class Visit>
void forEachWrittenKey(Visit visit)
{
    for (int n = 1; n <= ChannelCount; ++n)
        for (int family = 0; family <= int(ChannelFamily::RemoteOff); ++family)
            if (family != int(ChannelFamily::Priority) || n == 1)
                visit(channelKeyId(ChannelFamily(family), n));
    for (int id = MixerKey::OutputLevel; id <= MixerKey::KeyLock; ++id)
        visit(id);
    visit(int(MixerKey::Threshold));
}
} // namespace

int SetData::writesDue() const
{
    int writes = 0;
    const int linked = std::min<int>(m_mixers.MixerCount, MaxMixers);
    for (int m = 1; m <= linked; ++m)
        forEachWrittenKey([&](int id) { writes += m_mixers.waiting(m, id) && !heldNow(m, id) ? 1 : 0; });
    return writes;
}

bool SetData::heldNow(int mixer, int id) const
{
    return m_firstPass && m_readFirst[size_t(mixer)][size_t(id)]
        && m_held[size_t(mixer)][size_t(id)] == m_mixers.MixerSetData[size_t(mixer)].value(id);
}

void SetData::sendMixer(int m)
{
    auto &flags = m_mixers.SetDataPending[size_t(m)];
    forEachWrittenKey([&](int id) {
        if (!flags[size_t(id)] || silentWhileEnding())
            return;
        if (heldNow(m, id)) {
            m_left[size_t(m)][size_t(id)] = true;
            return;
        }
        m_written[size_t(m)][size_t(id)] = true;
        // Taken afresh for every value: the user may edit during the waits.
        const MixerDataRecord &want = m_mixers.MixerSetData[size_t(m)];
        if (id == MixerKey::Threshold)
            SendParameter(WriteKind::Threshold, quint16(want.Threshold), 0, m);
        else
            SendParameter(WriteKind::Parameter, want.block[size_t(id - 1)], id, m);
    });
}

void SetData::sendPass()
{
    for (int m = 1; m <= MaxMixers; ++m) {
        sendMixer(m);
        if (m > m_mixers.MixerCount) {
            // Nothing past the linked mixers can be read back. The flags of
            // every later mixer go too: left set, they would bring the poll
            // back here forever without ever being sent.
            for (int rest = m; rest <= MaxMixers; ++rest)
                failFlags(rest, false);
            return;
        }
    }
}

void SetData::giveUp()
{
    for (int m = 1; m <= MaxMixers; ++m)
        failFlags(m, true);
    m_mixers.clearPending();
    m_outcome.gaveUp = true;
    tellFailures();
}

void SetData::readHeld()
{
    MixerProtocol protocol(m_comm);
    const int linked = std::min<int>(m_mixers.MixerCount, MaxMixers);
    const Reply thresholds = protocol.sendAndWait(thresholdReadAllRequest(),
                                                  ReplyExpectation{ReplyRule::ThresholdAll, 'T', 'R', 0});
    if (thresholds.received()) {
        const quint8 *reply = thresholds.data();
        const int count = std::min(thresholdAllMixerCount(reply, thresholds.count()), linked);
        for (int m = 1; m <= count; ++m) {
            const qint16 v = qint16((reply[size_t(2 * m + 1)] * 256 + reply[size_t(2 * m + 2)]) & ThresholdMask);
            m_mixers.MixerData[size_t(m)].Threshold = v;
            m_held[size_t(m)][size_t(MixerKey::Threshold)] = v;
            m_readFirst[size_t(m)][size_t(MixerKey::Threshold)] = true;
        }
    }
    const Reply data = protocol.sendAndWait(dataReadAllRequest(), ReplyExpectation{ReplyRule::DataAll, 'D', 'R', 0});
    if (!data.received())
        return;
    const quint8 *reply = data.data();
    const int count = std::min(dataAllMixerCount(reply, data.count()), linked);
    for (int m = 1; m <= count; ++m) {
        for (int k = MixerKey::FirstBlock; k <= MixerKey::LastBlock; ++k) {
            const quint8 r = reply[size_t(2 + DataBlockSize * (m - 1) + k)];
            m_mixers.MixerData[size_t(m)].block[size_t(k - 1)] = r;
            m_held[size_t(m)][size_t(k)] = r;
            m_readFirst[size_t(m)][size_t(k)] = true;
        }
    }
}

void SetData::takeHeldFromRecords()
{
    const int linked = std::min<int>(m_mixers.MixerCount, MaxMixers);
    for (int m = 1; m <= linked; ++m) {
        for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id) {
            m_held[size_t(m)][size_t(id)] = m_mixers.MixerData[size_t(m)].value(id);
            m_readFirst[size_t(m)][size_t(id)] = true;
        }
    }
}

void SetData::countWritten()
{
    for (int m = 1; m <= MaxMixers; ++m) {
        for (int id = 1; id < PendingFlagCount; ++id) {
            if (m_written[size_t(m)][size_t(id)])
                ++m_outcome.written;
            else if (m_left[size_t(m)][size_t(id)])
                ++m_outcome.held;
        }
    }
}

bool SetData::run(SendScope scope)
{
    m_outcome = SetDataOutcome{};
    m_silentWrites = 0;
    SetDataRetryCount = 0;
    m_failures.clear();
    forgetPasses();
    m_readFirst = {};
    m_left = {};
    m_written = {};
    if (scope == SendScope::Differences)
        readHeld();
    else if (scope == SendScope::DifferencesJustRead)
        takeHeldFromRecords();
    m_firstPass = true;
    runPasses();
    m_firstPass = false;
    countWritten();
    return m_outcome.sent;
}

void SetData::runPasses()
{
    int reference = m_mixers.MixerCount;
    int reported = reference;
    for (;;) {
        // The connection is gone for good: what waits fails now, saying
        // why, instead of after eleven silent passes. One being brought back
        // keeps the passes: what waits goes out once it is back.
        if (m_comm.state().health == LinkHealth::Lost) {
            qCDebug(lcMixerSync) << "the connection is down: run given up";
            giveUp();
            break;
        }
        ++m_outcome.passes;
        sendPass();
        m_firstPass = false;
        countPass();
        const bool resend = SetDataRetryCount == ResendPass;
        const bool readBefore = m_outcome.readBack;
        m_outcome.readBack = false;
        const bool thresholdsOk = ThresholdVerify(reported, resend);
        const bool dataOk = DataVerify(reported, resend);
        const bool answered = m_outcome.readBack;
        m_outcome.readBack = readBefore || answered;
        if (thresholdsOk && dataOk) {
            m_outcome.verified = true;
            break;
        }
        // The link is closed: nothing more can be sent or shown.
        if (m_comm.closed())
            break;
        // Ending, and the mixers said nothing in this pass: more passes would
        // only keep the program alive after its windows have gone.
        if (isEnding() && (!answered || silentWhileEnding())) {
            qCDebug(lcMixerSync) << "the program is ending and the mixers do not answer: run given up";
            giveUp();
            break;
        }
        if (reported != reference) {
            qCDebug(lcMixerSync) << "mixer count changed from" << reference << "to" << reported
                                 << ": passes start again";
            reference = reported;
            SetDataRetryCount = 0;
            forgetPasses();
        }
        failWorn();
        if (SetDataRetryCount == LastPass || m_outcome.passes >= PassLimit)
            giveUp();
        else
            tellFailures();
        Wait(PassPause);
        ++SetDataRetryCount;
        // Given up, or every value that waited has failed.
        if (m_outcome.gaveUp && !anyFlagged())
            break;
    }
}

bool SetData::ThresholdVerify(int &count, bool resend)
{
    MixerProtocol protocol(m_comm);
    const Reply read = protocol.sendAndWait(thresholdReadAllRequest(),
                                            ReplyExpectation{ReplyRule::ThresholdAll, 'T', 'R', 0});
    if (!read.received())
        return false;
    m_outcome.readBack = true;
    count = thresholdAllMixerCount(read.data(), read.count());
    const quint8 *reply = read.data();
    const MixerDataRecord &master = m_mixers.MixerSetData[1];
    bool result = true;
    const int linked = std::min<int>(m_mixers.MixerCount, MaxMixers);
    for (int m = 1; m <= linked; ++m) {
        bool &flag = m_mixers.SetDataPending[size_t(m)][size_t(MixerKey::Threshold)];
        if (!flag)
            continue;
        if (master.block[size_t(MixerKey::ThresholdAction - 1)] == 0) {
            lower(flag, m, MixerKey::Threshold, ValueState::Settled); // thresholds are not in use
        } else if (master.block[size_t(MixerKey::ThresholdUnit - 1)] == 1 && m > 1) {
            lower(flag, m, MixerKey::Threshold, ValueState::Settled); // slaves follow the master's threshold
        } else if (count < m) {
            result = false; // the mixer did not answer
        } else {
            const int v = (reply[size_t(2 * m + 1)] * 256 + reply[size_t(2 * m + 2)]) & ThresholdMask;
            if ((m_mixers.MixerSetData[size_t(m)].Threshold & ThresholdMask) == v) {
                // What the mixer reports now, before the next poll brings it:
                // a save in between must not write the older value.
                m_mixers.MixerData[size_t(m)].Threshold = qint16(v);
                lower(flag, m, MixerKey::Threshold, ValueState::Verified);
            } else {
                result = false;
                m_reported[size_t(m)][size_t(MixerKey::Threshold)] = v;
                if (resend)
                    SendParameter(WriteKind::Threshold, v, 0, m);
            }
        }
    }
    return result;
}

bool SetData::DataVerify(int &count, bool resend)
{
    MixerProtocol protocol(m_comm);
    const Reply read = protocol.sendAndWait(dataReadAllRequest(), ReplyExpectation{ReplyRule::DataAll, 'D', 'R', 0});
    if (!read.received())
        return false;
    m_outcome.readBack = true;
    count = dataAllMixerCount(read.data(), read.count());
    const quint8 *reply = read.data();
    bool result = true;
    const int linked = std::min<int>(m_mixers.MixerCount, MaxMixers);
    for (int m = 1; m <= linked; ++m) {
        auto &flags = m_mixers.SetDataPending[size_t(m)];
        if (count < m) {
            // No block for this mixer: nothing to compare, and bytes past
            // the reply must not pass for its values.
            if (std::find(flags.begin() + 1, flags.begin() + 1 + DataBlockSize, true)
                != flags.begin() + 1 + DataBlockSize)
                result = false;
            continue;
        }
        bool failed = false;
        for (int k = MixerKey::FirstBlock; k <= MixerKey::LastBlock; ++k) {
            if (!flags[size_t(k)])
                continue;
            const MixerDataRecord &want = m_mixers.MixerSetData[size_t(m)];
            if (k >= PriorityFirst && k <= PriorityLast && !(m == 1 && k == PriorityFirst)) {
                lower(flags[size_t(k)], m, k, ValueState::Settled);
                continue;
            }
            if (k >= MixerKey::ThresholdAction && m > 1) {
                lower(flags[size_t(k)], m, k, ValueState::Settled);
                continue;
            }
            const quint8 r = reply[size_t(2 + DataBlockSize * (m - 1) + k)];
            const bool phantom = k >= PhantomFirst && k <= PhantomLast;
            const int channel = k - PhantomFirst + 1;
            const quint8 wantedLevel = phantom ? want.block[size_t(channel - 1)] : 0;
            if ((phantom && wantedLevel == 0 && r == 0) || r == want.block[size_t(k - 1)]) {
                // The read-back is what the mixer reports now; the next poll
                // would bring it later, and a save in between must not write
                // the older value.
                m_mixers.MixerData[size_t(m)].block[size_t(k - 1)] = r;
                lower(flags[size_t(k)], m, k, ValueState::Verified);
                continue;
            }
            failed = true;
            m_reported[size_t(m)][size_t(k)] = r;
            if (!resend)
                continue;
            if (phantom && wantedLevel == 0 && r == 1) {
                // The mixer takes a phantom change only with the input on:
                // raise the level for the change, the next pass restores it.
                SendParameter(WriteKind::Parameter, 1, channel, m);
                flags[size_t(channel)] = true;
            }
            SendParameter(WriteKind::Parameter, r, k, m);
        }
        if (failed)
            result = false;
    }
    return result;
}
