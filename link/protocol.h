#pragma once

// The message protocol between the PC and the mixers: the bytes of every
// request, the rules that match a reply to its request, and the waits and
// retries of the message-level operations.
//
// Requests are built as byte arrays by the builders below and handed to an
// exchange of MixerProtocol, which sends it through the link's send buffer
// and returns the reply it took from the receive buffer. What a reply looks
// like is in link/messagerules.h.

#include "link/messagerules.h"

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class MdlComm;

// ---- Request builders -------------------------------------------------------

QByteArray dataReadAllRequest();                               // DR 255
QByteArray dataReadRequest(int mixer);                         // DR M
QByteArray dataSetRequest(int mixer, int key, quint8 value);   // DS M P V
QByteArray thresholdReadAllRequest();                          // TR 255
QByteArray thresholdSetRequest(int mixer, quint16 value);      // TS M hi lo
QByteArray ambientRequest();                                   // AM 1
QByteArray modelRequest(int mixer);                            // MN M
QByteArray extensionReadRequest(int reg);                      // ER 1 R
QByteArray extensionWriteRequest(int reg, quint32 data);       // ES 1 R d0..d3
QByteArray initialiseRequest(int mixer, quint8 code);          // IS M code
QByteArray networkReadRequest();                               // IR 1
struct NetworkSettings;
QByteArray networkWriteRequest(const NetworkSettings &s);      // IP 1 block
QByteArray memoryReadRequest(int size, quint32 address);       // AR 1 size a0..a3
QByteArray memoryWriteRequest(int size, quint32 address, quint32 data); // AW 1 size a d
QByteArray downloadPrepareRequest(quint8 target);              // R t 1
QByteArray downloadDataRequest(quint8 target, const QByteArray &data); // L t 1 data

// ---- Extension registers ------------------------------------------------------

// Bytes of the register's value in d0..d3 (right-aligned): 1, 2 or 4; 0 for
// a register outside the table.
int extensionWidth(int reg);
// Whether a read-back d0..d3 holds the written value on the register's value
// bytes. A register without a width is compared on all four bytes.
bool extensionReadBackMatches(int reg, const quint8 *written, const quint8 *readBack);

// ---- Network settings block -------------------------------------------------

struct NetworkSettings
{
    std::array<quint8, 4> address{};  // first octet first
    quint8 addressMode = 0;           // index of the chosen option
    QByteArray userId;                // ANSI bytes, without the terminating zero

    bool operator==(const NetworkSettings &o) const
    {
        return address == o.address && addressMode == o.addressMode && userId == o.userId;
    }
};

// The block from message offset 3 on: address, mode, N (2 bytes), user ID, 0.
// N counts the user ID and its zero byte.
QByteArray networkBlock(const NetworkSettings &s);
// The block of an IR reply (count with trailer), if the reply is well formed.
std::optional<NetworkSettings> parseNetworkReply(const quint8 *reply, int count);

// ---- Exchanges --------------------------------------------------------------

// Sends `request` and waits for its reply under the standard rule (or the
// rule given); returns the reply's message bytes without the trailer.
std::optional<QByteArray> sendAndWait(MdlComm &comm, const QByteArray &request,
                                      std::optional<ReplyRule> rule = std::nullopt);

// A reply as an exchange took it: the message with its 55 AA trailer,
// copied out of the link. Empty when none came.
struct Reply
{
    QByteArray bytes;

    int count() const { return int(bytes.size()); }
    bool received() const { return !bytes.isEmpty(); }
    const quint8 *data() const { return reinterpret_cast<const quint8 *>(bytes.constData()); }
    quint8 at(int i) const { return quint8(bytes.at(i)); }
};

// The four value bytes d0..d3 of an extension register, as on the wire.
using ExtensionValue = std::array<quint8, 4>;

// Message-level operations. Each takes the request it sends and returns the
// reply it took; the link's own buffers stay inside. Every wait lets events
// run; none blocks.
class MixerProtocol
{
public:
    explicit MixerProtocol(MdlComm &comm);

    MdlComm &comm() { return m_comm; }

    static constexpr double SetReplyWait = 0.8;     // DS and TS: any reply
    static constexpr double SetPause = 0.06;
    static constexpr double DownloadDataWait = 50.0;
    static constexpr double VerifyPause = 0.5;
    static constexpr int VerifyAttempts = 10;

    // The standard time-out, 2 × ReplyTimeUnit.
    double replyTimeout() const;
    // The time-out of a wait for that reply: the standard one, except that
    // on RS-232C the data of all mixers is given the line time of as many
    // mixers as were counted last (all sixteen until a reply counted them).
    double replyTimeout(const ReplyExpectation &expect) const;

    // Sends `request` and waits for a matching reply (timeout < 0 means
    // replyTimeout(expect)). Replies that do not match are dropped and the
    // wait goes on. Nothing is sent for a request that does not fit the link.
    Reply sendAndWait(const QByteArray &request, const ReplyExpectation &expect, double timeout = -1);
    // The same with the expectation derived from the request itself; nothing
    // is sent for a request that is no command of the protocol.
    Reply sendAndWait(const QByteArray &request, double timeout = -1);
    // Only the wait, from now. An accepted all-mixer reply also counts the
    // linked mixers for the waits after it.
    Reply waitForReply(const ReplyExpectation &expect, double timeout);

    // How a wait for a reply ended.
    enum class WaitOutcome {
        Reply,     // a reply was taken
        TimedOut,  // none came in time
        LinkLost,  // the connection is gone, so none can come
        Closed,    // the link was closed (the program is ending)
    };
    struct WaitResult
    {
        WaitOutcome outcome = WaitOutcome::TimedOut;
        Reply reply;

        bool ok() const { return outcome == WaitOutcome::Reply; }
    };
    // The one wait for a reply every exchange uses. From now until `timeout`
    // seconds have passed it lets events run and fetches replies; it takes the
    // first that matches `expect` (any reply when `expect` is null) and drops
    // the others. Between replies it sleeps until an event or the deadline.
    WaitResult awaitReply(const ReplyExpectation *expect, double timeout);

    // DS and TS: waits at most 0.8 s for any reply without judging it, then
    // pauses 0.06 s. Returns the count of the reply seen (0 for none).
    int sendSetAndPause(const QByteArray &request);

    // The first reply of any length is judged once.
    struct FirstReply
    {
        int count = 0;          // 0: no reply before the time-out
        bool valid = false;     // it matched the expectation
        quint8 status = 0xFF;   // its byte 2, when it had one
        Reply reply;            // the reply itself
    };
    FirstReply sendAndJudgeFirst(const QByteArray &request, const ReplyExpectation &expect, double timeout = -1);
    FirstReply sendAndJudgeFirst(const QByteArray &request, double timeout = -1);

    // Two receives whose replies are thrown away: late answers to earlier
    // requests do not get taken for the next one.
    void discardStale();

    // ER: the register's d0..d3.
    std::optional<ExtensionValue> ExtensionRead(int reg);
    // ES: writes d0..d3 to the register.
    bool ExtensionWrite(int reg, const ExtensionValue &value);
    // How a write with verification ended.
    enum class VerifyResult {
        Verified,
        Failed,  // the last of the attempts did not verify either
        Closed,  // the link was closed meanwhile; nobody is to be told
    };
    // Called when the last attempt has failed, before the pause that follows
    // every failed attempt: where the caller tells the user.
    using GiveUp = std::function<void()>;
    // Runs `attempt` (one write and its read-back) until it verifies, at most
    // VerifyAttempts times, pausing VerifyPause after each failure.
    VerifyResult verifyWithRetry(const std::function<bool(int attempt)> &attempt, const GiveUp &giveUp);

    // Writes d0..d3 and reads them back, up to ten times.
    VerifyResult ExtensionWriteWithVerify(int reg, const ExtensionValue &value, const GiveUp &giveUp = {});
    // IR: the reply, whose block starts at byte 3.
    Reply IpRead();
    // IP: sends an "I","P" request (networkWriteRequest); its length is the
    // one the block's N gives.
    bool IpWrite(const QByteArray &request);
    VerifyResult IpWriteWithVerify(const QByteArray &request, const GiveUp &giveUp = {});

    // Download exchanges, each judged on its first reply: R waits the
    // standard time-out, L (one data block) up to 50 s.
    bool downloadPrepare(quint8 target);
    bool downloadBlock(quint8 target, const quint8 *data, int count);

private:
    // Judges the first reply to what was just sent, within `timeout`
    // (the standard reply time-out when negative).
    FirstReply judgeFirst(const ReplyExpectation &expect, double timeout);

    MdlComm &m_comm;
};
