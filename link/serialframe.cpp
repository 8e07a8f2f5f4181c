#include "link/serialframe.h"

#include <algorithm>

using namespace SerialWire;

int serialBlockCount(int count)
{
    if (count <= 0)
        return 0;
    return (count + BlockData - 1) / BlockData;
}

quint8 serialChecksum(const quint8 *data, int count)
{
    quint8 sum = 0;
    for (int i = 0; i < count; ++i)
        sum = quint8(sum + data[i]);
    return quint8(0x100 - sum);
}

QByteArray serialBlockFrame(const quint8 *msg, int count, int blockNumber)
{
    const int blocks = serialBlockCount(count);
    if (blockNumber < 1 || blockNumber > blocks)
        return {};
    const int offset = BlockData * (blockNumber - 1);
    const int length = std::min(BlockData, count - offset);
    QByteArray frame;
    frame.reserve(length + FrameOverhead);
    frame.append(char(Start1));
    frame.append(char(Start2));
    frame.append(char(length >> 8));
    frame.append(char(length & 0xFF));
    const quint32 number = quint32(blockNumber);
    frame.append(char(number >> 24));
    frame.append(char((number >> 16) & 0xFF));
    frame.append(char((number >> 8) & 0xFF));
    frame.append(char(number & 0xFF));
    frame.append(reinterpret_cast<const char *>(msg + offset), length);
    frame.append(char(serialChecksum(msg + offset, length)));
    frame.append(char(Trail));
    frame.append(char(blockNumber == blocks ? EndLast : EndMore));
    return frame;
}

QByteArray serialBlockFrame(const QByteArray &msg, int blockNumber)
{
    return serialBlockFrame(reinterpret_cast<const quint8 *>(msg.constData()), int(msg.size()),
                            blockNumber);
}

QByteArray serialFrames(const quint8 *msg, int count)
{
    QByteArray all;
    const int blocks = serialBlockCount(count);
    all.reserve(count + blocks * FrameOverhead);
    for (int k = 1; k <= blocks; ++k)
        all.append(serialBlockFrame(msg, count, k));
    return all;
}

QByteArray serialFrames(const QByteArray &msg)
{
    return serialFrames(reinterpret_cast<const quint8 *>(msg.constData()), int(msg.size()));
}

QByteArray serialAck()
{
    return QByteArray("\xA5\x00", 2);
}

QByteArray serialNak()
{
    return QByteArray("\xA5\xFF", 2);
}

SerialReceiver::Answer SerialReceiver::nak()
{
    m_state = Idle;
    return Answer::Nak;
}

void SerialReceiver::frameComplete(quint8 endMark, Result &r)
{
    r.answer = Answer::Ack;
    r.frameComplete = true;
    const char *bytes = reinterpret_cast<const char *>(m_block);
    if (m_complete) {
        // A reply nobody fetched is replaced by the newer one.
        m_message = QByteArray(bytes, m_length);
        m_complete = false;
        m_discarding = false;
    } else if (m_discarding
               || m_message.size() + m_length > m_bound.limitFor(m_message.isEmpty() ? m_block[0] : quint8(m_message[0]))) {
        // More than the message buffer holds: the whole message is dropped,
        // the remaining blocks are still acknowledged so the peer moves on.
        m_message.clear();
        m_discarding = true;
    } else {
        m_message.append(bytes, m_length);
    }
    m_inFrame = 0;
    m_state = Idle;
    if (endMark == EndLast) {
        m_blocksReceived = 0;
        if (m_discarding) {
            m_discarding = false;
            m_message.clear();
        } else {
            m_complete = true;
            r.messageComplete = true;
        }
    } else {
        ++m_blocksReceived;
    }
}

SerialReceiver::Result SerialReceiver::feed(quint8 b)
{
    Result r;
    switch (m_state) {
    case Idle:
    case GotStart1:
    case AnswerCode:
        feedMarks(b, r);
        break;
    case LengthHigh:
    case LengthLow:
    case Block3:
    case Block2:
    case Block1:
    case Block0:
        feedHeader(b, r);
        break;
    case Data:
    case Checksum:
    case Trailer:
    case EndMark:
        feedBlock(b, r);
        break;
    default:
        m_state = Idle;
        break;
    }
    if (r.answer != Answer::None && sendAnswer)
        sendAnswer(r.answer == Answer::Ack ? serialAck() : serialNak());
    return r;
}

void SerialReceiver::feedMarks(quint8 b, Result &r)
{
    switch (m_state) {
    case Idle:
        if (b == Start1)
            m_state = GotStart1;
        else if (b == AnswerMark)
            m_state = AnswerCode;
        break;
    case GotStart1:
        if (b == Start2)
            m_state = LengthHigh;
        else if (b == AnswerMark)
            m_state = AnswerCode;
        else if (b != Start1)
            m_state = Idle;
        break;
    case AnswerCode:
        if (b == AckCode) {
            m_state = Idle;
            m_ackState = 1;
            r.acknowledge = Acknowledge::Positive;
        } else if (b == NakCode) {
            m_state = Idle;
            m_ackState = 2;
            r.acknowledge = Acknowledge::Negative;
        } else if (b == Start1) {
            m_state = GotStart1;
        } else if (b != AnswerMark) {
            m_state = Idle;
        }
        break;
    default:
        break;
    }
}

void SerialReceiver::feedHeader(quint8 b, Result &r)
{
    switch (m_state) {
    case LengthHigh:
        m_length = b << 8;
        m_state = LengthLow;
        break;
    case LengthLow:
        m_length += b;
        // A frame of no data bytes could never complete and would run past
        // the block buffer; it is refused like an over-long one.
        if (m_length > BlockData || m_length == 0)
            r.answer = nak();
        else
            m_state = Block3;
        break;
    case Block3:
        m_blockNumber = quint32(b) << 24;
        m_state = Block2;
        break;
    case Block2:
        m_blockNumber += quint32(b) << 16;
        m_state = Block1;
        break;
    case Block1:
        m_blockNumber += quint32(b) << 8;
        m_state = Block0;
        break;
    case Block0:
        m_blockNumber += b;
        blockNumbered(r);
        break;
    default:
        break;
    }
}

void SerialReceiver::blockNumbered(Result &r)
{
    if (qint64(m_blockNumber) - 1 != m_blocksReceived) {
        // Out of sequence: acknowledged, but the partial message is gone.
        r.answer = Answer::Ack;
        m_state = Idle;
        m_blocksReceived = 0;
        if (!m_complete)
            m_message.clear();
        m_discarding = false;
    } else {
        m_state = Data;
        m_sum = 0;
        m_inFrame = 0;
    }
}

void SerialReceiver::feedBlock(quint8 b, Result &r)
{
    switch (m_state) {
    case Data:
        m_sum = quint8(m_sum + b);
        m_block[m_inFrame++] = b;
        if (m_inFrame >= m_length)
            m_state = Checksum;
        break;
    case Checksum:
        m_sum = quint8(m_sum + b);
        if (m_sum != 0)
            r.answer = nak();
        else
            m_state = Trailer;
        break;
    case Trailer:
        if (b == Trail)
            m_state = EndMark;
        else
            r.answer = nak();
        break;
    case EndMark:
        if (b == EndLast || b == EndMore)
            frameComplete(b, r);
        else
            r.answer = nak();
        break;
    default:
        break;
    }
}

void SerialReceiver::feed(const QByteArray &bytes)
{
    for (char c : bytes)
        feed(quint8(c));
}

void SerialReceiver::gapTimeout()
{
    m_state = Idle;
    m_inFrame = 0;
    // The partial message goes; a whole one still waiting to be fetched stays.
    if (m_complete)
        return;
    m_message.clear();
    // The count of blocks stays, so the sender's repeat of the stalled block
    // and the blocks after it are still taken in sequence and acknowledged.
    // But the front of this message is gone: its remaining blocks are dropped
    // with it instead of ending as a "complete" message that lacks them.
    if (m_blocksReceived > 0)
        m_discarding = true;
}

int SerialReceiver::takeAcknowledgeState()
{
    const int s = m_ackState;
    m_ackState = 0;
    return s;
}

QByteArray SerialReceiver::takeMessage()
{
    if (!m_complete)
        return {};
    m_complete = false;
    QByteArray out;
    out.swap(m_message);
    return out;
}

void SerialReceiver::reset()
{
    auto answer = std::move(sendAnswer);
    const MessageBound bound = m_bound;
    *this = SerialReceiver();
    sendAnswer = std::move(answer);
    m_bound = bound;
}
