#include "link/protocol.h"

#include "base/clock.h"
#include "link/comm.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcLinkProtocol, "zkvr.link.protocol", QtCriticalMsg)

using namespace Wire;

namespace {
constexpr int ExtensionReplyCount = 9;  // ER: letters, status, d0..d3, trailer
constexpr int NetworkUserOffset = 10;

// A wait sleeps until a little past its deadline, so that a virtual clock
// lands beyond it; an arriving reply wakes it earlier.
double pastDeadline(double left)
{
    return left + 0.001;
}

quint8 letterOf(Command c, int i)
{
    return quint8(i == 0 ? (quint16(c) >> 8) : (quint16(c) & 0xFF));
}

QByteArray head(Command c, int target)
{
    QByteArray r;
    r.append(char(letterOf(c, 0)));
    r.append(char(letterOf(c, 1)));
    r.append(char(quint8(target)));
    return r;
}

void appendBig32(QByteArray &r, quint32 v)
{
    r.append(char(v >> 24));
    r.append(char((v >> 16) & 0xFF));
    r.append(char((v >> 8) & 0xFF));
    r.append(char(v & 0xFF));
}

ReplyExpectation standard(Command c, int count)
{
    return {ReplyRule::Standard, letterOf(c, 0), letterOf(c, 1), count};
}
} // namespace

// ---- builders ---------------------------------------------------------------

QByteArray dataReadAllRequest() { return head(Command::DataRead, AllMixers); }
QByteArray dataReadRequest(int mixer) { return head(Command::DataRead, mixer); }

QByteArray dataSetRequest(int mixer, int key, quint8 value)
{
    QByteArray r = head(Command::DataSet, mixer);
    r.append(char(quint8(key)));
    r.append(char(value));
    return r;
}

QByteArray thresholdReadAllRequest() { return head(Command::ThresholdRead, AllMixers); }

QByteArray thresholdSetRequest(int mixer, quint16 value)
{
    QByteArray r = head(Command::ThresholdSet, mixer);
    r.append(char(value >> 8));
    r.append(char(value & 0xFF));
    return r;
}

QByteArray ambientRequest() { return head(Command::Ambient, Attached); }
QByteArray modelRequest(int mixer) { return head(Command::Model, mixer); }

QByteArray extensionReadRequest(int reg)
{
    QByteArray r = head(Command::ExtensionRead, Attached);
    r.append(char(quint8(reg)));
    return r;
}

QByteArray extensionWriteRequest(int reg, quint32 data)
{
    QByteArray r = head(Command::ExtensionWrite, Attached);
    r.append(char(quint8(reg)));
    appendBig32(r, data);
    return r;
}

QByteArray initialiseRequest(int mixer, quint8 code)
{
    QByteArray r = head(Command::Initialise, mixer);
    r.append(char(code));
    return r;
}

QByteArray networkReadRequest() { return head(Command::NetworkRead, Attached); }

QByteArray networkWriteRequest(const NetworkSettings &s)
{
    return head(Command::NetworkWrite, Attached) + networkBlock(s);
}

QByteArray memoryReadRequest(int size, quint32 address)
{
    QByteArray r = head(Command::MemoryRead, Attached);
    r.append(char(quint8(size)));
    appendBig32(r, address);
    return r;
}

QByteArray memoryWriteRequest(int size, quint32 address, quint32 data)
{
    QByteArray r = head(Command::MemoryWrite, Attached);
    r.append(char(quint8(size)));
    appendBig32(r, address);
    appendBig32(r, data);
    return r;
}

QByteArray downloadPrepareRequest(quint8 target)
{
    QByteArray r;
    r.append(char(DownloadPrepareLetter));
    r.append(char(target));
    r.append(char(Attached));
    return r;
}

QByteArray downloadDataRequest(quint8 target, const QByteArray &data)
{
    QByteArray r;
    r.append(char(DownloadDataLetter));
    r.append(char(target));
    r.append(char(Attached));
    r.append(data);
    return r;
}


// ---- extension registers ----------------------------------------------------

int extensionWidth(int reg)
{
    switch (reg) {
    case 6: case 9: case 10: case 11: case 14: case 15: case 16:
        return 1;
    case 1: case 2: case 3: case 4: case 5: case 7: case 8: case 18:
        return 2;
    case 12: case 13:
        return 4;
    default:
        return 0;
    }
}

bool extensionReadBackMatches(int reg, const quint8 *written, const quint8 *readBack)
{
    const int width = extensionWidth(reg);
    const int from = 4 - (width == 0 ? 4 : width);
    return std::equal(written + from, written + 4, readBack + from);
}

// ---- network settings block -------------------------------------------------

QByteArray networkBlock(const NetworkSettings &s)
{
    QByteArray b;
    for (quint8 octet : s.address)
        b.append(char(octet));
    b.append(char(s.addressMode));
    const int n = int(s.userId.size()) + 1;
    b.append(char((n / 256) & 0xFF));
    b.append(char(n % 256));
    b.append(s.userId);
    b.append('\0');
    return b;
}

std::optional<NetworkSettings> parseNetworkReply(const quint8 *reply, int count)
{
    if (!matchesNetworkRead(reply, count))
        return std::nullopt;
    NetworkSettings s;
    std::copy(reply + 3, reply + 7, s.address.begin());
    s.addressMode = reply[7];
    const int n = networkLength(reply, count);
    // The user ID runs to its zero byte, which N counts.
    const char *id = reinterpret_cast<const char *>(reply + NetworkUserOffset);
    s.userId = QByteArray(id, n - 1);
    const int zero = int(s.userId.indexOf('\0'));
    if (zero >= 0)
        s.userId.truncate(zero);
    return s;
}

// ---- exchanges --------------------------------------------------------------

std::optional<QByteArray> sendAndWait(MdlComm &comm, const QByteArray &request, std::optional<ReplyRule> rule)
{
    std::optional<ReplyExpectation> e = expectationFor(request);
    if (!e)
        return std::nullopt;
    if (rule)
        e->rule = *rule;
    const Reply reply = MixerProtocol(comm).sendAndWait(request, *e);
    if (!reply.received())
        return std::nullopt;
    return reply.bytes.left(reply.count() - TrailerSize);
}

MixerProtocol::MixerProtocol(MdlComm &comm) : m_comm(comm) {}

double MixerProtocol::replyTimeout() const
{
    return m_comm.state().replyTimeout();
}

double MixerProtocol::replyTimeout(const ReplyExpectation &expect) const
{
    const LinkState &link = m_comm.state();
    const double standard = link.replyTimeout();
    if (link.linkKind != LinkKind::Rs232c || expect.rule != ReplyRule::DataAll)
        return standard;
    // The time unit grows with the mixers the poll counted, so that their
    // data reply has time to come down the line (about 50 ms a mixer at
    // 19200 bit/s). Before anything counted them, the opening unit gives
    // room for four mixers only: a longer chain's first reply would be taken
    // for none.
    const int mixers = link.countedMixers > 0 ? std::min(link.countedMixers, MaxMixers) : MaxMixers;
    return std::max(standard, 2.0 * SerialDataSlotSeconds * (mixers + 1));
}

MixerProtocol::WaitResult MixerProtocol::awaitReply(const ReplyExpectation *expect, double timeout)
{
    Clock &clock = m_comm.clock();
    const double start = clock.now();
    for (;;) {
        clock.processEvents();
        const double elapsed = clock.now() - start;
        if (m_comm.closed())
            return {WaitOutcome::Closed, {}};
        if (elapsed > timeout)
            return {WaitOutcome::TimedOut, {}};
        QByteArray bytes = m_comm.receive();
        const int n = int(bytes.size());
        if (n > 0) {
            if (!expect || matchesReply(*expect, reinterpret_cast<const quint8 *>(bytes.constData()), n))
                return {WaitOutcome::Reply, Reply{std::move(bytes)}};
            qCDebug(lcLinkProtocol) << "dropped a reply of" << n << "bytes starting" << bytes.left(3).toHex();
            continue;
        }
        if (m_comm.linkDown())
            return {WaitOutcome::LinkLost, {}}; // no reply can come
        clock.waitForEvents(pastDeadline(timeout - elapsed));
    }
}

Reply MixerProtocol::waitForReply(const ReplyExpectation &expect, double timeout)
{
    WaitResult r = awaitReply(&expect, timeout);
    if (!r.ok())
        return {};
    if (expect.rule == ReplyRule::DataAll)
        m_comm.state().countedMixers = dataAllMixerCount(r.reply.data(), r.reply.count());
    else if (expect.rule == ReplyRule::ThresholdAll)
        m_comm.state().countedMixers = thresholdAllMixerCount(r.reply.data(), r.reply.count());
    return std::move(r.reply);
}

Reply MixerProtocol::sendAndWait(const QByteArray &request, const ReplyExpectation &expect, double timeout)
{
    if (request.isEmpty() || request.size() > SendBufferSize)
        return {};
    m_comm.send(request);
    return waitForReply(expect, timeout < 0 ? replyTimeout(expect) : timeout);
}

Reply MixerProtocol::sendAndWait(const QByteArray &request, double timeout)
{
    const std::optional<ReplyExpectation> e = expectationFor(request);
    if (!e)
        return {};
    return sendAndWait(request, *e, timeout);
}

int MixerProtocol::sendSetAndPause(const QByteArray &request)
{
    m_comm.send(request);
    const WaitResult r = awaitReply(nullptr, SetReplyWait);
    m_comm.pause(SetPause);
    return r.reply.count();
}

MixerProtocol::FirstReply MixerProtocol::judgeFirst(const ReplyExpectation &expect, double timeout)
{
    WaitResult w = awaitReply(nullptr, timeout < 0 ? replyTimeout() : timeout);
    FirstReply r;
    if (!w.ok())
        return r;
    r.count = w.reply.count();
    r.status = r.count > 2 ? w.reply.at(2) : 0xFF;
    r.valid = matchesReply(expect, w.reply.data(), r.count);
    r.reply = std::move(w.reply);
    return r;
}

MixerProtocol::FirstReply MixerProtocol::sendAndJudgeFirst(const QByteArray &request, const ReplyExpectation &expect,
                                                           double timeout)
{
    m_comm.send(request);
    return judgeFirst(expect, timeout);
}

MixerProtocol::FirstReply MixerProtocol::sendAndJudgeFirst(const QByteArray &request, double timeout)
{
    const std::optional<ReplyExpectation> e = expectationFor(request);
    if (!e)
        return {};
    return sendAndJudgeFirst(request, *e, timeout);
}

void MixerProtocol::discardStale()
{
    m_comm.receive();
    m_comm.receive();
}

MixerProtocol::VerifyResult MixerProtocol::verifyWithRetry(const std::function<bool(int attempt)> &attempt,
                                                           const GiveUp &giveUp)
{
    for (int n = 1; n <= VerifyAttempts; ++n) {
        if (attempt(n))
            return VerifyResult::Verified;
        if (m_comm.closed())
            return VerifyResult::Closed;
        if (n == VerifyAttempts && giveUp)
            giveUp();
        m_comm.pause(VerifyPause);
    }
    return VerifyResult::Failed;
}

std::optional<ExtensionValue> MixerProtocol::ExtensionRead(int reg)
{
    if (m_comm.state().linkKind != LinkKind::Usb)
        discardStale();
    const Reply r = sendAndWait(extensionReadRequest(reg), standard(Command::ExtensionRead, ExtensionReplyCount));
    if (!r.received())
        return std::nullopt;
    return ExtensionValue{r.at(3), r.at(4), r.at(5), r.at(6)};
}

bool MixerProtocol::ExtensionWrite(int reg, const ExtensionValue &value)
{
    discardStale();
    const quint32 data = quint32(value[0]) << 24 | quint32(value[1]) << 16 | quint32(value[2]) << 8 | value[3];
    return sendAndWait(extensionWriteRequest(reg, data), standard(Command::ExtensionWrite, SetReplyCount)).received();
}

MixerProtocol::VerifyResult MixerProtocol::ExtensionWriteWithVerify(int reg, const ExtensionValue &value,
                                                                    const GiveUp &giveUp)
{
    return verifyWithRetry(
        [&](int attempt) {
            if (!ExtensionWrite(reg, value))
                return false;
            const std::optional<ExtensionValue> back = ExtensionRead(reg);
            if (back && extensionReadBackMatches(reg, value.data(), back->data()))
                return true;
            qCDebug(lcLinkProtocol) << "register" << reg << "not verified, attempt" << attempt;
            return false;
        },
        giveUp);
}

Reply MixerProtocol::IpRead()
{
    return sendAndWait(networkReadRequest(), ReplyExpectation{ReplyRule::NetworkRead, 'I', 'R', 0});
}

bool MixerProtocol::IpWrite(const QByteArray &request)
{
    discardStale();
    const auto *b = reinterpret_cast<const quint8 *>(request.constData());
    const int n = networkLength(b, int(request.size()));
    const int count = n + NetworkUserOffset;
    if (n < 1 || count > int(request.size()) || count > SendBufferSize)
        return false;
    // Whatever the request's first bytes, they go out as "I","P" 1.
    QByteArray message = request.left(count);
    message[0] = char(letterOf(Command::NetworkWrite, 0));
    message[1] = char(letterOf(Command::NetworkWrite, 1));
    message[2] = char(Attached);
    return sendAndWait(message, standard(Command::NetworkWrite, SetReplyCount)).received();
}

MixerProtocol::VerifyResult MixerProtocol::IpWriteWithVerify(const QByteArray &request, const GiveUp &giveUp)
{
    const auto *b = reinterpret_cast<const quint8 *>(request.constData());
    const int n = networkLength(b, int(request.size()));
    const int end = n + NetworkUserOffset; // one past the last block byte
    // A block whose read-back could not fit the receive buffer can never verify.
    if (n < 1 || end > int(request.size()) || end + TrailerSize > ReceiveBufferSize)
        return VerifyResult::Failed;
    QByteArray expected;
    expected.append(char(letterOf(Command::NetworkRead, 0)));
    expected.append(char(letterOf(Command::NetworkRead, 1)));
    expected.append(char(StatusOk));
    expected.append(request.mid(3, end - 3));
    return verifyWithRetry(
        [&](int) {
            if (!IpWrite(request))
                return false;
            const Reply back = IpRead();
            return back.received() && back.bytes.startsWith(expected);
        },
        giveUp);
}

bool MixerProtocol::downloadPrepare(quint8 target)
{
    const ReplyExpectation e{ReplyRule::Download, DownloadPrepareLetter, target, SetReplyCount};
    return sendAndJudgeFirst(downloadPrepareRequest(target), e).valid;
}

bool MixerProtocol::downloadBlock(quint8 target, const quint8 *data, int count)
{
    std::vector<quint8> &sb = m_comm.downloadBlockBuffer();
    if (count < 0 || count + 3 > int(sb.size()))
        return false;
    sb[0] = DownloadDataLetter;
    sb[1] = target;
    sb[2] = Attached;
    // The block goes straight into the send buffer: it may be as large as it.
    if (data && data != sb.data() + 3)
        std::memmove(sb.data() + 3, data, size_t(count));
    const ReplyExpectation e{ReplyRule::Download, DownloadDataLetter, target, SetReplyCount};
    m_comm.CommSend(sb, count + 3);
    return judgeFirst(e, DownloadDataWait).valid;
}
