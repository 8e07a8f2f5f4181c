#include "mixer/statuspoll.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "mixer/statusreplies.h"
#include "mixer/synclog.h"

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcMixerSync, "zkvr.mixer.sync", QtCriticalMsg)

namespace {
constexpr int NoAccessText = 4200;
constexpr int ModelReplyCount = 6;
constexpr int AccessReadCount = Wire::ReplyHeader + Wire::DataBlockSize + Wire::TrailerSize; // 89

bool startsWith(const quint8 *b, int count, char first, char second)
{
    return count >= 2 && b[0] == quint8(first) && b[1] == quint8(second);
}
} // namespace

FirstPollTexts firstPollTexts(const MixerState &mixers)
{
    FirstPollTexts t;
    t.fileTable.emplace_back(MixerKey::Active,
                             mixers.EditorOpen[1] ? QStringLiteral("True") : QStringLiteral("False"));
    for (int id = 1; id <= 72; ++id)
        t.fileTable.emplace_back(id, factoryDefaultText(id));
    for (int id = MixerKey::OutputLevel; id <= MixerKey::LastExtended; ++id)
        t.setDataTable.emplace_back(id, factoryDefaultText(id));
    return t;
}

StatusPoll::StatusPoll(MdlComm &comm, LoopState &loop, MixerState &mixers)
    : m_comm(comm), m_link(comm.state()), m_loop(loop), m_mixers(mixers)
{
}

void StatusPoll::prepareRequest()
{
    const int count = std::clamp<int>(m_mixers.MixerCount, 0, MaxMixers);
    switch (m_phase) {
    case PollThresholds:
        m_prepared = thresholdReadAllRequest();
        m_phase = PollData;
        std::fill(ThresholdReadMark.begin() + 1, ThresholdReadMark.begin() + 1 + count, MarkRequested);
        break;
    case PollData:
        m_prepared = dataReadAllRequest();
        m_phase = PollAmbient;
        std::fill(DataReadMark.begin() + 1, DataReadMark.begin() + 1 + count, MarkRequested);
        break;
    default:
        m_prepared = ambientRequest();
        m_phase = PollThresholds;
        break;
    }
}

void StatusPoll::collect(const quint8 *data, int count)
{
    if (PollFill + count > PollBufferSize) {
        // More than the buffer holds without a trailer: what was collected
        // cannot be a reply any more.
        qCDebug(lcMixerSync) << "poll buffer overflow, dropping" << PollFill + count << "bytes";
        PollFill = 0;
        return;
    }
    std::memcpy(PollBuffer.data() + PollFill, data, size_t(count));
    PollFill += count;
}

bool StatusPoll::decodeCollected()
{
    // The link hands over one whole reply per receive, trailer last. Taking
    // the end of the collected bytes as the end of the reply keeps a data or
    // threshold byte pair 55 AA inside a reply from cutting it short.
    int end = -1;
    if (PollFill >= Wire::TrailerSize && PollBuffer[size_t(PollFill - 2)] == Wire::TrailerFirst
        && PollBuffer[size_t(PollFill - 1)] == Wire::TrailerSecond) {
        end = PollFill - 2;
    } else {
        for (int i = 0; i + 1 < PollFill; ++i)
            if (PollBuffer[size_t(i)] == Wire::TrailerFirst && PollBuffer[size_t(i + 1)] == Wire::TrailerSecond) {
                end = i;
                break;
            }
    }
    if (end < 0)
        return false;
    DecodeReply(PollBuffer.data(), end);
    const int rest = PollFill - (end + Wire::TrailerSize);
    std::memmove(PollBuffer.data(), PollBuffer.data() + end + Wire::TrailerSize, size_t(rest));
    PollFill = rest;
    return true;
}

bool StatusPoll::takeArrived()
{
    for (;;) {
        QByteArray reply;
        for (int attempt = 0; attempt < ReceiveAttempts && reply.isEmpty(); ++attempt)
            reply = m_comm.receive();
        if (reply.isEmpty())
            return true;
        if (FirstReply == NoReplyYet)
            FirstReply = ReplyArrived;
        NoReplyCount = 0;
        collect(reinterpret_cast<const quint8 *>(reply.constData()), int(reply.size()));
        if (decodeCollected()) {
            m_awaitingReply = false;
            // USB hands over one reply per poll; the other links keep receiving.
            if (m_link.linkKind == LinkKind::Usb)
                return false;
        }
    }
}

bool StatusPoll::poll()
{
    prepareRequest();
    if (takeArrived()) {
        // A connection known to be down is no sign that the mixers left
        // the link: the count stays until it is back and they answer.
        if (m_link.down()) {
            NoReplyCount = 0;
        } else if (++NoReplyCount >= NoReplyLimit) {
            qCDebug(lcMixerSync) << "no reply for" << NoReplyLimit << "polls: no mixers";
            m_mixers.MixerCount = 0;
            NoReplyCount = 0;
        }
    }
    // A reply that has not come by now is not waited for any longer.
    m_awaitingReply = false;

    const bool valuesWait = PendingChanges();
    if (valuesWait) {
        // SetData reads everything back; this poll's request would only
        // answer into its waits.
        if (NoReplyCount > 0)
            --NoReplyCount;
    } else {
        m_comm.send(m_prepared);
        m_awaitingReply = true;
    }

    if (m_loop.StartupPolls != 0) {
        if (m_loop.StartupPolls == 3)
            firstPollStep();
        --m_loop.StartupPolls;
        if (m_loop.StartupPolls == 0)
            m_mixers.FileMixerCount = m_mixers.MixerCount;
        if (m_loop.StartupPolls > 0)
            return valuesWait;
    }
    if (FirstReply == ReplyArrived) {
        FirstReply = MenusEnabled;
        if (hooks.Menu_Enable)
            hooks.Menu_Enable(true);
    }
    return valuesWait;
}

void StatusPoll::firstPollStep()
{
    if (hooks.setUpPanel)
        hooks.setUpPanel();
    if (hooks.writeFactoryTexts)
        hooks.writeFactoryTexts(firstPollTexts(m_mixers));
}

void StatusPoll::DecodeReply(const quint8 *buffer, int length)
{
    if (length < Wire::ReplyHeader || buffer[2] != Wire::StatusOk)
        return;
    if (startsWith(buffer, length, 'D', 'R'))
        decodeData(buffer, length);
    else if (startsWith(buffer, length, 'T', 'R'))
        decodeThresholds(buffer, length);
    else if (startsWith(buffer, length, 'A', 'M'))
        decodeAmbient(buffer, length);
}

void StatusPoll::raiseReplyTimeUnit(int count, double slotSeconds)
{
    m_link.countedMixers = count;
    if (m_link.linkKind != LinkKind::Rs232c)
        return;
    m_link.ReplyTimeUnit = std::max((count + 1) * slotSeconds, MinReplyTimeUnit);
}

void StatusPoll::decodeData(const quint8 *buffer, int length)
{
    const std::optional<std::vector<DataBlock>> blocks = decodeDataReply(buffer, length);
    if (!blocks)
        return;
    const int count = int(blocks->size());
    // The model codes are asked for first. Their replies are waited for, and
    // every window of the program runs in those waits (a save among them):
    // until the codes are in, the records keep the previous reply whole, so
    // no one sees this reply's values beside the model codes of another.
    // The wait for them already allows for the mixers this reply counts.
    raiseReplyTimeUnit(count, DataSlotSeconds);
    std::array<qint16, MixerSlots> models{};
    models.fill(-1);
    for (int m = 1; m <= count; ++m)
        models[size_t(m)] = ReadModel(m);

    // Then all at once, with no wait between.
    m_mixers.MixerCount = qint16(count);
    for (int m = 1; m <= count; ++m)
        if (DataReadMark[size_t(m)] == MarkRequested)
            DataReadMark[size_t(m)] = MarkDecoded;
    for (int m = 1; m <= count; ++m)
        m_mixers.MixerData[size_t(m)].block = (*blocks)[size_t(m - 1)];
    DataReceived = 1;
    ++DataReplies;
    for (int m = 1; m <= MaxMixers; ++m)
        m_mixers.Model[size_t(m)] = models[size_t(m)];

    if (m_loop.PreviousMixerCount < count) {
        const int shown = hooks.editorMixer ? hooks.editorMixer() : 0;
        for (int m = std::max<int>(m_loop.PreviousMixerCount, 0) + 1; m <= count; ++m) {
            // Values already flagged for a mixer just counted (the panel
            // switching its channels off, a loaded file) stay on their way.
            m_mixers.takeReported(m);
            if (m == shown && m_mixers.EditorOpen[size_t(m)] && hooks.Enable_Control)
                hooks.Enable_Control(m);
        }
    }
    m_loop.PreviousMixerCount = qint16(count);
}

void StatusPoll::decodeThresholds(const quint8 *buffer, int length)
{
    const std::optional<std::vector<qint16>> thresholds = decodeThresholdReply(buffer, length);
    if (!thresholds)
        return;
    m_mixers.MixerCount = qint16(thresholds->size());
    const int count = m_mixers.MixerCount;
    for (int m = 1; m <= count; ++m)
        if (ThresholdReadMark[size_t(m)] == MarkRequested)
            ThresholdReadMark[size_t(m)] = MarkDecoded;
    raiseReplyTimeUnit(count, ThresholdSlotSeconds);
    for (int m = 1; m <= count; ++m)
        m_mixers.MixerData[size_t(m)].Threshold = (*thresholds)[size_t(m - 1)];
    DataReceived = 1;
    ++ThresholdReplies;
}

void StatusPoll::decodeAmbient(const quint8 *buffer, int length)
{
    const std::optional<double> value = decodeAmbientReply(buffer, length);
    if (!value)
        return;
    for (int m = 1; m <= std::min<int>(m_mixers.MixerCount, MaxMixers); ++m)
        if (m_mixers.EditorOpen[size_t(m)] && hooks.ambientLevelShown)
            hooks.ambientLevelShown(m, *value);
    AmbientLevel = *value;
}

qint16 StatusPoll::ReadModel(int n)
{
    if (n < 1 || n > MaxMixers)
        return 0;
    if (m_link.offline())
        return m_mixers.Model[size_t(n)];
    MixerProtocol protocol(m_comm);
    const ReplyExpectation model{ReplyRule::Standard, 'M', 'N', ModelReplyCount};
    const MixerProtocol::FirstReply reply
        = protocol.sendAndJudgeFirst(modelRequest(n), model);
    if (reply.valid)
        return qint16(decodeModelReply(reply.reply.data(), reply.count - Wire::TrailerSize).value_or(0));
    if (n == 1) {
        // A master that does not know "M","N" but answers "I","R" is the
        // current model.
        const ReplyExpectation network{ReplyRule::NetworkRead, 'I', 'R', 0};
        if (protocol.sendAndJudgeFirst(networkReadRequest(), network).valid)
            return 1;
    }
    return 0;
}

AccessResult StatusPoll::CheckAccess()
{
    if (m_link.linkKind != LinkKind::Ethernet) {
        m_mixers.WriteAccess = true;
        return AccessResult::NotChecked;
    }
    MixerProtocol protocol(m_comm);
    const ReplyExpectation read{ReplyRule::Standard, 'D', 'R', AccessReadCount};
    const MixerProtocol::FirstReply data
        = protocol.sendAndJudgeFirst(dataReadRequest(1), read);
    if (data.count == 0) {
        m_mixers.WriteAccess = true;
        return AccessResult::TimedOut;
    }
    AccessResult result = AccessResult::NoResponse;
    if (data.valid) {
        const quint8 level = data.reply.at(3);
        const ReplyExpectation write{ReplyRule::Standard, 'D', 'S', Wire::SetReplyCount};
        const MixerProtocol::FirstReply set
            = protocol.sendAndJudgeFirst(dataSetRequest(1, 1, level), write);
        if (set.count == Wire::SetReplyCount && startsWith(set.reply.data(), set.count, 'D', 'S')) {
            if (set.status == Wire::StatusOk)
                result = AccessResult::Granted;
            else if (set.status == Wire::StatusNoAccess)
                result = AccessResult::Denied;
        }
    }
    if (m_link.closed)
        return result; // the program is ending: nothing to tell
    switch (result) {
    case AccessResult::Granted:
        m_mixers.WriteAccess = true;
        break;
    case AccessResult::Denied:
        m_mixers.WriteAccess = false;
        m_comm.dialogs().tell(str(NoAccessText), MsgIcon::Information);
        break;
    default:
        m_comm.dialogs().tell(str(StrId::NoResponse), MsgIcon::Error);
        break;
    }
    return result;
}

bool StatusPoll::PendingChanges() const
{
    for (int m = 1; m <= MaxMixers; ++m) {
        const auto &flags = m_mixers.SetDataPending[size_t(m)];
        for (int n = 1; n <= ChannelCount; ++n) {
            for (int family = 0; family <= int(ChannelFamily::RemoteOff); ++family) {
                // Priority is one value per mixer, sent as channel 1.
                if (family == int(ChannelFamily::Priority) && n != 1)
                    continue;
                if (flags[size_t(channelKeyId(ChannelFamily(family), n))])
                    return true;
            }
        }
        for (int id = MixerKey::OutputLevel; id <= MixerKey::Threshold; ++id)
            if (flags[size_t(id)])
                return true;
    }
    return false;
}
