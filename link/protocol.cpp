#include "link/protocol.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcLinkProtocol, "zkvr.link.protocol", QtCriticalMsg)

using namespace Wire;

namespace {
constexpr int ExtensionReplyCount = 9;  // ER: letters, status, d0..d3, trailer
constexpr int MemoryReplyCount = 9;     // AR
constexpr int ModelReplyCount = 6;      // MN
constexpr int AmbientValueCount = 7;    // AM with a value
constexpr int NetworkLengthOffset = 8;
constexpr int NetworkUserOffset = 10;
constexpr int NetworkReplyExtra = 12;   // header, address, mode, N, trailer

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

bool is(const quint8 *request, Command c)
{
    return request[0] == letterOf(c, 0) && request[1] == letterOf(c, 1);
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

int putRequest(std::vector<quint8> &sendBuffer, const QByteArray &request)
{
    if (request.size() > qsizetype(sendBuffer.size()))
        return 0;
    std::memcpy(sendBuffer.data(), request.constData(), size_t(request.size()));
    return int(request.size());
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

int networkLength(const quint8 *message, int count)
{
    if (count < NetworkUserOffset)
        return -1;
    return message[NetworkLengthOffset] * 256 + message[NetworkLengthOffset + 1];
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

// ---- matching ---------------------------------------------------------------

bool matchesStandard(const quint8 *reply, int count, quint8 first, quint8 second, int expectedCount)
{
    return count == expectedCount && count >= ReplyHeader && reply[0] == first && reply[1] == second
        && reply[2] == StatusOk;
}

int dataAllMixerCount(const quint8 *reply, int count)
{
    const int fixed = ReplyHeader + TrailerSize;
    if (count < fixed + DataBlockSize || (count - fixed) % DataBlockSize != 0)
        return 0;
    if (!matchesStandard(reply, count, 'D', 'R', count))
        return 0;
    const int n = (count - fixed) / DataBlockSize;
    return n <= MaxMixers ? n : 0;
}

int thresholdAllMixerCount(const quint8 *reply, int count)
{
    const int fixed = ReplyHeader + TrailerSize;
    if (count < fixed + 2 || (count - fixed) % 2 != 0)
        return 0;
    if (!matchesStandard(reply, count, 'T', 'R', count))
        return 0;
    const int n = (count - fixed) / 2;
    return n <= MaxMixers ? n : 0;
}

bool matchesNetworkRead(const quint8 *reply, int count)
{
    const int n = networkLength(reply, count);
    // N counts at least the terminating zero of the user ID.
    return n >= 1 && matchesStandard(reply, count, 'I', 'R', n + NetworkReplyExtra);
}

bool matchesDownload(const quint8 *reply, int count, quint8 letter, quint8 target)
{
    return (letter == DownloadPrepareLetter || letter == DownloadDataLetter)
        && matchesStandard(reply, count, letter, target, SetReplyCount);
}

bool matchesAmbient(const quint8 *reply, int count)
{
    return matchesStandard(reply, count, 'A', 'M', SetReplyCount)
        || matchesStandard(reply, count, 'A', 'M', AmbientValueCount);
}

bool matchesReply(const ReplyExpectation &e, const quint8 *reply, int count)
{
    switch (e.rule) {
    case ReplyRule::Standard:
        return matchesStandard(reply, count, e.first, e.second, e.count);
    case ReplyRule::DataAll:
        return dataAllMixerCount(reply, count) > 0;
    case ReplyRule::ThresholdAll:
        return thresholdAllMixerCount(reply, count) > 0;
    case ReplyRule::NetworkRead:
        return matchesNetworkRead(reply, count);
    case ReplyRule::Download:
        return matchesDownload(reply, count, e.first, e.second);
    case ReplyRule::Ambient:
        return matchesAmbient(reply, count);
    }
    return false;
}

bool isWholeReply(const quint8 *reply, int count)
{
    if (count < SetReplyCount || reply[count - 2] != TrailerFirst || reply[count - 1] != TrailerSecond)
        return false;
    // A refusal carries no data; download replies carry none either.
    if (reply[2] != StatusOk || reply[0] == DownloadPrepareLetter || reply[0] == DownloadDataLetter)
        return count == SetReplyCount;
    if (is(reply, Command::DataRead))
        return dataAllMixerCount(reply, count) > 0;
    if (is(reply, Command::ThresholdRead))
        return thresholdAllMixerCount(reply, count) > 0;
    if (is(reply, Command::Ambient))
        return matchesAmbient(reply, count);
    if (is(reply, Command::Model))
        return count == ModelReplyCount;
    if (is(reply, Command::ExtensionRead))
        return count == ExtensionReplyCount;
    if (is(reply, Command::MemoryRead))
        return count == MemoryReplyCount;
    if (is(reply, Command::NetworkRead))
        return matchesNetworkRead(reply, count);
    for (Command c : {Command::DataSet, Command::ThresholdSet, Command::ExtensionWrite, Command::Initialise,
                      Command::NetworkWrite, Command::MemoryWrite})
        if (is(reply, c))
            return count == SetReplyCount;
    return false;
}

std::vector<QByteArray> splitReplies(const QByteArray &bytes)
{
    const auto *b = reinterpret_cast<const quint8 *>(bytes.constData());
    const int n = int(bytes.size());
    if (n == 0)
        return {};
    // Data bytes may hold 55 AA too, so a buffer that is one reply stays whole.
    if (isWholeReply(b, n))
        return {bytes};
    std::vector<QByteArray> replies;
    int from = 0;
    while (from < n) {
        // The first trailer that ends a whole reply; failing that, the first
        // trailer at all (the piece is then dropped by whoever waits for a reply).
        int cut = -1;
        int firstTrailer = -1;
        for (int i = from; i + 1 < n; ++i) {
            if (b[i] != TrailerFirst || b[i + 1] != TrailerSecond)
                continue;
            const int end = i + TrailerSize;
            if (firstTrailer < 0)
                firstTrailer = end;
            if (isWholeReply(b + from, end - from)) {
                cut = end;
                break;
            }
        }
        if (cut < 0)
            cut = firstTrailer < 0 ? n : firstTrailer;
        replies.push_back(bytes.mid(from, cut - from));
        from = cut;
    }
    return replies;
}

std::optional<ReplyExpectation> expectationFor(const quint8 *request, int count)
{
    if (count < 3)
        return std::nullopt;
    const quint8 target = request[2];
    if (request[0] == DownloadPrepareLetter || request[0] == DownloadDataLetter) {
        // No two-letter command begins with R or L: these are downloads,
        // with the target code in byte 1.
        return ReplyExpectation{ReplyRule::Download, request[0], request[1], SetReplyCount};
    }
    if (is(request, Command::DataRead))
        return target == AllMixers ? ReplyExpectation{ReplyRule::DataAll, 'D', 'R', 0}
                                   : standard(Command::DataRead, ReplyHeader + DataBlockSize + TrailerSize);
    if (is(request, Command::ThresholdRead))
        return target == AllMixers ? ReplyExpectation{ReplyRule::ThresholdAll, 'T', 'R', 0}
                                   : standard(Command::ThresholdRead, ReplyHeader + 2 + TrailerSize);
    if (is(request, Command::Ambient))
        return ReplyExpectation{ReplyRule::Ambient, 'A', 'M', 0};
    if (is(request, Command::Model))
        return standard(Command::Model, ModelReplyCount);
    if (is(request, Command::ExtensionRead))
        return standard(Command::ExtensionRead, ExtensionReplyCount);
    if (is(request, Command::NetworkRead))
        return ReplyExpectation{ReplyRule::NetworkRead, 'I', 'R', 0};
    if (is(request, Command::MemoryRead))
        return standard(Command::MemoryRead, MemoryReplyCount);
    for (Command c : {Command::DataSet, Command::ThresholdSet, Command::ExtensionWrite, Command::Initialise,
                      Command::NetworkWrite, Command::MemoryWrite})
        if (is(request, c))
            return standard(c, SetReplyCount);
    return std::nullopt;
}

std::optional<ReplyExpectation> expectationFor(const QByteArray &request)
{
    return expectationFor(reinterpret_cast<const quint8 *>(request.constData()), int(request.size()));
}

// ---- exchanges --------------------------------------------------------------

std::optional<QByteArray> sendAndWait(MdlComm &comm, const QByteArray &request, std::optional<ReplyRule> rule)
{
    std::optional<ReplyExpectation> e = expectationFor(request);
    if (!e)
        return std::nullopt;
    if (rule)
        e->rule = *rule;
    LinkState &link = comm.state();
    const int count = putRequest(link.SendBuffer, request);
    if (count == 0)
        return std::nullopt;
    MixerProtocol protocol(comm);
    const int n = protocol.sendAndWait(count, *e);
    if (n <= 0)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char *>(link.ReceiveBuffer.data()), n - TrailerSize);
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

std::optional<ReplyExpectation> MixerProtocol::expectationOfSendBuffer(int count) const
{
    const std::vector<quint8> &b = m_comm.state().SendBuffer;
    return expectationFor(b.data(), std::min(count, int(b.size())));
}

int MixerProtocol::waitForReply(const ReplyExpectation &expect, double timeout)
{
    Clock &clock = m_comm.clock();
    std::vector<quint8> &rb = m_comm.state().ReceiveBuffer;
    const double start = clock.now();
    for (;;) {
        clock.processEvents();
        const double elapsed = clock.now() - start;
        if (elapsed > timeout || m_comm.closed())
            return 0;
        const int n = m_comm.CommReceive(rb);
        if (n > 0) {
            if (matchesReply(expect, rb.data(), n)) {
                if (expect.rule == ReplyRule::DataAll)
                    m_comm.state().countedMixers = dataAllMixerCount(rb.data(), n);
                else if (expect.rule == ReplyRule::ThresholdAll)
                    m_comm.state().countedMixers = thresholdAllMixerCount(rb.data(), n);
                return n;
            }
            qCDebug(lcLinkProtocol) << "dropped a reply of" << n << "bytes starting"
                                    << QByteArray(reinterpret_cast<const char *>(rb.data()), std::min(n, 3)).toHex();
            continue;
        }
        if (m_comm.linkDown())
            return 0; // the connection is gone: no reply can come
        clock.waitForEvents(pastDeadline(timeout - elapsed));
    }
}

int MixerProtocol::sendAndWait(int count, const ReplyExpectation &expect, double timeout)
{
    m_comm.CommSend(m_comm.state().SendBuffer, count);
    return waitForReply(expect, timeout < 0 ? replyTimeout(expect) : timeout);
}

int MixerProtocol::sendAndWait(int count, double timeout)
{
    const std::optional<ReplyExpectation> e = expectationOfSendBuffer(count);
    if (!e)
        return 0;
    return sendAndWait(count, *e, timeout);
}

int MixerProtocol::sendSetAndPause(int count)
{
    Clock &clock = m_comm.clock();
    std::vector<quint8> &rb = m_comm.state().ReceiveBuffer;
    m_comm.CommSend(m_comm.state().SendBuffer, count);
    const double start = clock.now();
    int seen = 0;
    for (;;) {
        clock.processEvents();
        const double elapsed = clock.now() - start;
        if (elapsed > SetReplyWait || m_comm.closed())
            break;
        seen = m_comm.CommReceive(rb);
        if (seen > 0 || m_comm.linkDown())
            break;
        clock.waitForEvents(pastDeadline(SetReplyWait - elapsed));
    }
    m_comm.pause(SetPause);
    return seen;
}

MixerProtocol::FirstReply MixerProtocol::sendAndJudgeFirst(int count, const ReplyExpectation &expect,
                                                           double timeout)
{
    Clock &clock = m_comm.clock();
    std::vector<quint8> &rb = m_comm.state().ReceiveBuffer;
    m_comm.CommSend(m_comm.state().SendBuffer, count);
    const double limit = timeout < 0 ? replyTimeout() : timeout;
    const double start = clock.now();
    FirstReply r;
    for (;;) {
        clock.processEvents();
        const double elapsed = clock.now() - start;
        if (elapsed > limit || m_comm.closed())
            return r;
        const int n = m_comm.CommReceive(rb);
        if (n > 0) {
            r.count = n;
            r.status = n > 2 ? rb[2] : 0xFF;
            r.valid = matchesReply(expect, rb.data(), n);
            return r;
        }
        if (m_comm.linkDown())
            return r;
        clock.waitForEvents(pastDeadline(limit - elapsed));
    }
}

MixerProtocol::FirstReply MixerProtocol::sendAndJudgeFirst(int count, double timeout)
{
    const std::optional<ReplyExpectation> e = expectationOfSendBuffer(count);
    if (!e)
        return {};
    return sendAndJudgeFirst(count, *e, timeout);
}

void MixerProtocol::discardStale()
{
    m_comm.CommReceive(m_comm.state().ReceiveBuffer);
    m_comm.CommReceive(m_comm.state().ReceiveBuffer);
}

bool MixerProtocol::ExtensionRead(int reg)
{
    if (m_comm.state().linkKind != LinkKind::Usb)
        discardStale();
    const int count = putRequest(m_comm.state().SendBuffer, extensionReadRequest(reg));
    return sendAndWait(count, standard(Command::ExtensionRead, ExtensionReplyCount)) > 0;
}

bool MixerProtocol::ExtensionWrite(int reg)
{
    discardStale();
    std::vector<quint8> &sb = m_comm.state().SendBuffer;
    sb[0] = letterOf(Command::ExtensionWrite, 0);
    sb[1] = letterOf(Command::ExtensionWrite, 1);
    sb[2] = Attached;
    sb[3] = quint8(reg);
    return sendAndWait(8, standard(Command::ExtensionWrite, SetReplyCount)) > 0;
}

bool MixerProtocol::ExtensionWriteWithVerify(int reg)
{
    LinkState &link = m_comm.state();
    quint8 kept[4];
    std::copy(link.SendBuffer.begin() + 4, link.SendBuffer.begin() + 8, kept);
    for (int attempt = 1; attempt <= VerifyAttempts; ++attempt) {
        std::copy(kept, kept + 4, link.SendBuffer.begin() + 4);
        if (ExtensionWrite(reg) && ExtensionRead(reg)
            && extensionReadBackMatches(reg, kept, link.ReceiveBuffer.data() + 3))
            return true;
        qCDebug(lcLinkProtocol) << "register" << reg << "not verified, attempt" << attempt;
        if (m_comm.closed())
            return false;
        if (attempt == VerifyAttempts)
            m_comm.dialogs().tell(str(StrId::SetFailed), MsgIcon::Warning);
        m_comm.pause(VerifyPause);
    }
    return false;
}

bool MixerProtocol::IpRead()
{
    const int count = putRequest(m_comm.state().SendBuffer, networkReadRequest());
    return sendAndWait(count, ReplyExpectation{ReplyRule::NetworkRead, 'I', 'R', 0}) > 0;
}

bool MixerProtocol::IpWrite()
{
    discardStale();
    std::vector<quint8> &sb = m_comm.state().SendBuffer;
    const int n = networkLength(sb.data(), int(sb.size()));
    const int count = n + NetworkUserOffset;
    if (n < 1 || count > int(sb.size()))
        return false;
    sb[0] = letterOf(Command::NetworkWrite, 0);
    sb[1] = letterOf(Command::NetworkWrite, 1);
    sb[2] = Attached;
    return sendAndWait(count, standard(Command::NetworkWrite, SetReplyCount)) > 0;
}

bool MixerProtocol::IpWriteWithVerify()
{
    LinkState &link = m_comm.state();
    const int n = networkLength(link.SendBuffer.data(), int(link.SendBuffer.size()));
    const int end = n + NetworkUserOffset; // one past the last block byte
    // A block whose read-back could not fit the receive buffer can never verify.
    if (n < 1 || end + TrailerSize > int(link.ReceiveBuffer.size()))
        return false;
    const std::vector<quint8> block(link.SendBuffer.begin() + 3, link.SendBuffer.begin() + end);
    std::vector<quint8> expected = {letterOf(Command::NetworkRead, 0), letterOf(Command::NetworkRead, 1), StatusOk};
    expected.insert(expected.end(), block.begin(), block.end());
    for (int attempt = 1; attempt <= VerifyAttempts; ++attempt) {
        std::copy(block.begin(), block.end(), link.SendBuffer.begin() + 3);
        if (IpWrite() && IpRead()
            && std::equal(expected.begin(), expected.end(), link.ReceiveBuffer.begin()))
            return true;
        if (m_comm.closed())
            return false;
        if (attempt == VerifyAttempts)
            m_comm.dialogs().tell(str(StrId::SetFailed), MsgIcon::Warning);
        m_comm.pause(VerifyPause);
    }
    return false;
}

bool MixerProtocol::downloadPrepare(quint8 target)
{
    const int count = putRequest(m_comm.state().SendBuffer, downloadPrepareRequest(target));
    const ReplyExpectation e{ReplyRule::Download, DownloadPrepareLetter, target, SetReplyCount};
    return sendAndJudgeFirst(count, e).valid;
}

bool MixerProtocol::downloadBlock(quint8 target, const quint8 *data, int count)
{
    std::vector<quint8> &sb = m_comm.state().SendBuffer;
    if (count < 0 || count + 3 > int(sb.size()))
        return false;
    sb[0] = DownloadDataLetter;
    sb[1] = target;
    sb[2] = Attached;
    // The data may already be in place (a caller that filled SendBuffer).
    if (data && data != sb.data() + 3)
        std::memmove(sb.data() + 3, data, size_t(count));
    const ReplyExpectation e{ReplyRule::Download, DownloadDataLetter, target, SetReplyCount};
    return sendAndJudgeFirst(count + 3, e, DownloadDataWait).valid;
}
