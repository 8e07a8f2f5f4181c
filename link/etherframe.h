#pragma once

// The Ethernet stream framing, both directions (TCP to the mixer and the UDP
// search datagrams):  AA 55, L (4 bytes, big-endian), L message bytes. The
// message carries no 55 AA trailer on this link.

#include "link/messagebound.h"

#include <QByteArray>
#include <QtGlobal>

#include <functional>

namespace EtherWire {
constexpr quint8 Start1 = 0xAA;
constexpr quint8 Start2 = 0x55;
constexpr int HeaderSize = 6;
constexpr qint64 MinLength = 3;        // letters and target/status at least
constexpr qint64 MaxLength = MessageBound::Ordinary; // the receiver's message buffer, unless told otherwise
constexpr qint64 MinSearchLength = 12; // a search reply is an IR reply with its block
} // namespace EtherWire

QByteArray etherFrame(const quint8 *msg, int count);
QByteArray etherFrame(const QByteArray &msg);

// Receiver of one socket: fed bytes as they arrive, in chunks of any size.
// A completed message waits for takeMessage(); a newer one overwrites it (the
// start of a new frame already discards an unfetched one). When onMessage is
// set, each completed message is handed to it instead of being stored.
class EtherReceiver
{
public:
    enum State : int { Idle = 0, GotStart1 = 1, Len3 = 2, Len2 = 3, Len1 = 4, Len0 = 5, Body = 6 };

    explicit EtherReceiver(qint64 minLength = EtherWire::MinLength) : m_minLength(minLength) {}

    // Returns the number of messages completed by these bytes.
    int feed(const QByteArray &bytes);
    int feed(const char *bytes, qint64 count);

    std::function<void(const QByteArray &message)> onMessage;

    // How long a message may be (the mixer's end takes firmware blocks). A
    // frame announcing more than the bound of its first byte is dropped, and
    // the receiver hunts for the next frame start.
    void setBound(const MessageBound &bound) { m_bound = bound; }

    bool messageComplete() const { return m_complete; }
    bool takeMessage(QByteArray &out);
    QByteArray takeMessage();
    void reset();

    int state() const { return m_state; }
    qint64 minLength() const { return m_minLength; }

private:
    qint64 m_minLength;
    MessageBound m_bound;
    bool m_needsLargeLead = false; // the announced length is allowed only for the large lead
    int m_state = Idle;
    qint64 m_length = 0;
    QByteArray m_buffer;
    bool m_complete = false;
};
