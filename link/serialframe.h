#pragma once

// The RS-232C line framing, used in both directions: the PC frames requests
// this way and the mixer frames replies the same way, so both the transport
// and the virtual mixer share this codec. A message is cut into blocks of at
// most 64 bytes; each block travels as
//   AA 55, L (2 bytes), block number (4 bytes, 1 first), L data bytes,
//   checksum (data + checksum == 0 mod 256), 55, end mark (AA last, 55 more)
// and the receiver answers each frame with A5 00 (acknowledge) or A5 FF
// (negative acknowledge). Everything here is free of any serial port.

#include "link/messagebound.h"

#include <QByteArray>
#include <QtGlobal>

#include <functional>

namespace SerialWire {
constexpr quint8 Start1 = 0xAA;
constexpr quint8 Start2 = 0x55;
constexpr quint8 Trail = 0x55;
constexpr quint8 EndLast = 0xAA;
constexpr quint8 EndMore = 0x55;
constexpr quint8 AnswerMark = 0xA5;
constexpr quint8 AckCode = 0x00;
constexpr quint8 NakCode = 0xFF;
constexpr int BlockData = 64;             // data bytes of one full block
constexpr int FrameOverhead = 11;         // 2 start + 2 length + 4 number + checksum + 2 end
constexpr int MaxMessage = MessageBound::Ordinary; // largest message the receiver reassembles, unless told otherwise
} // namespace SerialWire

// Number of blocks a message of `count` bytes travels in (0 for an empty message).
int serialBlockCount(int count);

// The frame of block `blockNumber` (1-based) of the message msg[0..count).
// An out-of-range block number gives an empty array.
QByteArray serialBlockFrame(const quint8 *msg, int count, int blockNumber);
QByteArray serialBlockFrame(const QByteArray &msg, int blockNumber);

// Every block frame of the message, one after the other.
QByteArray serialFrames(const quint8 *msg, int count);
QByteArray serialFrames(const QByteArray &msg);

// Two's complement of the sum of the bytes.
quint8 serialChecksum(const quint8 *data, int count);

QByteArray serialAck();  // A5 00
QByteArray serialNak();  // A5 FF

// Receiver state machine of the serial line. Fed byte by byte in arrival
// order, it reassembles block frames into messages and picks up the peer's
// acknowledges. It never writes anything itself: each feed() says which
// answer the owner has to send (and `sendAnswer`, when set, is called with
// the two bytes as well).
//
// The owner also runs the 100 ms inter-byte gap watchdog: restart the timer
// on every byte fed, stop it when a result says frameComplete, and call
// gapTimeout() when it fires.
class SerialReceiver
{
public:
    enum class Answer { None, Ack, Nak };
    enum class Acknowledge { None, Positive, Negative };

    // Frame states; the numbers are those a diagnostic read of the state shows.
    enum State : int {
        Idle = 0,
        GotStart1 = 1,
        LengthHigh = 2,
        LengthLow = 3,
        Block3 = 4,
        Block2 = 5,
        Block1 = 6,
        Block0 = 7,
        Data = 8,
        Checksum = 9,
        Trailer = 10,
        EndMark = 11,
        AnswerCode = 99,
    };

    struct Result
    {
        Answer answer = Answer::None;          // what to send back now
        Acknowledge acknowledge = Acknowledge::None; // the peer's answer just received
        bool frameComplete = false;            // a whole frame was taken (stop the gap timer)
        bool messageComplete = false;          // a whole message is ready for takeMessage()
    };

    Result feed(quint8 byte);
    // Feeds every byte; answers go through sendAnswer, acknowledges are kept
    // in acknowledgeState() and completed messages wait for takeMessage().
    void feed(const QByteArray &bytes);

    std::function<void(const QByteArray &answer)> sendAnswer;

    // How long a message may grow (the mixer's end takes firmware blocks).
    // A message that outgrows it is acknowledged block by block and dropped.
    void setBound(const MessageBound &bound) { m_bound = bound; }
    const MessageBound &bound() const { return m_bound; }

    // The gap watchdog fired: the frame and the partial message are dropped;
    // the count of blocks received stays as it was, and the rest of that
    // message is acknowledged but never delivered.
    void gapTimeout();

    // 0 none, 1 acknowledge, 2 negative acknowledge; cleared when read.
    int takeAcknowledgeState();
    int acknowledgeState() const { return m_ackState; }
    void clearAcknowledgeState() { m_ackState = 0; }

    bool messageComplete() const { return m_complete; }
    // The completed message (empty when none) and clears it.
    QByteArray takeMessage();
    // Drops any stored message and partial frame, as after a fresh open.
    void reset();

    int state() const { return m_state; }
    int blocksReceived() const { return m_blocksReceived; }
    // Whether a frame has started (the gap watchdog only matters then).
    bool inFrame() const { return m_state != Idle && m_state != AnswerCode; }

private:
    Answer nak();
    // The start marks and the peer's answer; the length and block number;
    // the data, checksum and end of a block.
    void feedMarks(quint8 b, Result &r);
    void feedHeader(quint8 b, Result &r);
    void blockNumbered(Result &r);
    void feedBlock(quint8 b, Result &r);
    void frameComplete(quint8 endMark, Result &r);

    int m_state = Idle;
    int m_length = 0;
    quint32 m_blockNumber = 0;
    quint8 m_sum = 0;
    int m_inFrame = 0;
    quint8 m_block[SerialWire::BlockData] = {};
    int m_blocksReceived = 0;
    int m_ackState = 0;

    QByteArray m_message;
    bool m_complete = false;
    bool m_discarding = false; // the message outgrew its bound or lost blocks: drop the rest of it
    MessageBound m_bound;
};
