#include "link/etherframe.h"

#include <algorithm>

using namespace EtherWire;

QByteArray etherFrame(const quint8 *msg, int count)
{
    count = std::max(count, 0);
    QByteArray frame;
    frame.reserve(HeaderSize + count);
    frame.append(char(Start1));
    frame.append(char(Start2));
    const quint32 n = quint32(count);
    frame.append(char(n >> 24));
    frame.append(char((n >> 16) & 0xFF));
    frame.append(char((n >> 8) & 0xFF));
    frame.append(char(n & 0xFF));
    frame.append(reinterpret_cast<const char *>(msg), count);
    return frame;
}

QByteArray etherFrame(const QByteArray &msg)
{
    return etherFrame(reinterpret_cast<const quint8 *>(msg.constData()), int(msg.size()));
}

int EtherReceiver::feed(const QByteArray &bytes)
{
    return feed(bytes.constData(), bytes.size());
}

int EtherReceiver::feed(const char *bytes, qint64 count)
{
    int completed = 0;
    qint64 i = 0;
    while (i < count) {
        const quint8 b = quint8(bytes[i]);
        switch (m_state) {
        case Idle:
            if (b == Start1)
                m_state = GotStart1;
            ++i;
            break;
        case GotStart1:
            if (b == Start2) {
                m_length = 0;
                m_buffer.clear();
                m_complete = false;
                m_state = Len3;
            } else if (b != Start1) {
                m_state = Idle;
            }
            ++i;
            break;
        case Len3:
        case Len2:
        case Len1:
            m_length = m_length * 256 + b;
            ++m_state;
            ++i;
            break;
        case Len0:
            m_length = m_length * 256 + b;
            if (m_length > m_bound.largest() || m_length < m_minLength) {
                m_state = Idle;
            } else {
                m_needsLargeLead = m_length > m_bound.ordinary;
                m_buffer.reserve(int(m_length));
                m_state = Body;
            }
            ++i;
            break;
        case Body: {
            if (m_needsLargeLead && m_buffer.isEmpty() && qint64(m_bound.limitFor(b)) < m_length) {
                // Too long for what it is: dropped, and this byte is looked
                // at again as a possible frame start.
                m_state = Idle;
                break;
            }
            // Take as much of the body as this chunk holds in one go.
            const qint64 want = m_length - m_buffer.size();
            const qint64 take = std::min(want, count - i);
            m_buffer.append(bytes + i, take);
            i += take;
            if (m_buffer.size() == m_length) {
                m_state = Idle;
                ++completed;
                if (onMessage) {
                    const QByteArray message = m_buffer;
                    m_buffer.clear();
                    onMessage(message);
                } else {
                    m_complete = true;
                }
            }
            break;
        }
        default:
            m_state = Idle;
            ++i;
            break;
        }
    }
    return completed;
}

bool EtherReceiver::takeMessage(QByteArray &out)
{
    if (!m_complete)
        return false;
    m_complete = false;
    out.clear();
    out.swap(m_buffer);
    return true;
}

QByteArray EtherReceiver::takeMessage()
{
    QByteArray out;
    takeMessage(out);
    return out;
}

void EtherReceiver::reset()
{
    m_state = Idle;
    m_length = 0;
    m_buffer.clear();
    m_complete = false;
}
