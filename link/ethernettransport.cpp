#include "link/ethernettransport.h"

#include "base/clock.h"
#include "link/linkstate.h"

#include <QLoggingCategory>
#include <QTcpSocket>

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcLinkEther, "zkvr.link.ethernet", QtCriticalMsg)

namespace {
// Between two connection attempts, so a refused connection is not hammered.
constexpr double ReconnectPause = 0.25;
// Bytes the socket may still hold unsent when the next message comes. A
// mixer answers each request before the next one goes, so even a firmware
// block (the largest message) has long left by then; a peer that takes
// nothing for this much has stalled, and queuing more would only grow memory.
constexpr qint64 MaxQueuedBytes = 1024 * 1024;
}

quint16 resolveTcpPort(quint16 configured)
{
    bool ok = false;
    const int fromEnv = qEnvironmentVariableIntValue("ZKVR340A_TCP_PORT", &ok);
    if (ok && fromEnv > 0 && fromEnv <= 65535)
        return quint16(fromEnv);
    return configured;
}

EthernetTransport::EthernetTransport(LinkState &link, Clock &clock, quint16 port,
                                     std::function<QString(bool &)> chooseAddress)
    : m_link(link), m_clock(clock), m_port(port), m_chooseAddress(std::move(chooseAddress))
{
}

EthernetTransport::~EthernetTransport()
{
    close();
}

bool EthernetTransport::connected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

OpenOutcome EthernetTransport::open()
{
    close();
    m_receiver.reset();
    m_sendReady = true;

    bool userChose = false;
    const QString address = m_chooseAddress ? m_chooseAddress(userChose) : QString();
    if (address.isEmpty())
        return userChose ? OpenOutcome::Failed : OpenOutcome::Declined;

    m_socket = std::make_unique<QTcpSocket>();
    connect(m_socket.get(), &QTcpSocket::readyRead, this, &EthernetTransport::readBytes);
    // The send is complete once the socket has handed every byte to the system.
    connect(m_socket.get(), &QTcpSocket::bytesWritten, this, [this](qint64 n) {
        m_frameWritten += n;
        if (m_socket->bytesToWrite() == 0)
            m_sendReady = true;
    });

    const double start = m_clock.now();
    m_socket->connectToHost(address, m_port);
    for (;;) {
        const double left = m_connectLimit - (m_clock.now() - start);
        if (left <= 0 || m_cancelled)
            break;
        const auto state = m_socket->state();
        if (state == QAbstractSocket::ConnectedState) {
            m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            if (m_socket->socketOption(QAbstractSocket::LowDelayOption).toInt() != 1) {
                qCWarning(lcLinkEther) << "cannot switch off send coalescing";
                close();
                return OpenOutcome::Failed;
            }
            return OpenOutcome::Opened;
        }
        if (state == QAbstractSocket::UnconnectedState || state == QAbstractSocket::ClosingState) {
            // Refused, unreachable or dropped: try again while the limit runs.
            qCDebug(lcLinkEther) << "connect to" << address << m_port << "failed:" << m_socket->errorString();
            m_socket->abort();
            m_clock.waitUntil(std::min(ReconnectPause, left), [this] { return m_cancelled; });
            if (m_connectLimit - (m_clock.now() - start) <= 0 || m_cancelled)
                break;
            m_socket->connectToHost(address, m_port);
            continue;
        }
        m_clock.waitForEvents(std::min(left, 0.1));
    }
    qCWarning(lcLinkEther) << "no connection to" << address << m_port;
    close();
    return OpenOutcome::Failed;
}

void EthernetTransport::close()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket.reset();
}

void EthernetTransport::readBytes()
{
    if (m_socket)
        m_receiver.feed(m_socket->readAll());
}

bool EthernetTransport::send(const quint8 *data, int count)
{
    if (!connected() || !m_sendReady || count < 0 || m_cancelled)
        return false;
    if (m_socket->bytesToWrite() > MaxQueuedBytes) {
        // The link has failed: it is closed, so every later send fails at
        // once and the callers see no replies, as after a lost connection.
        qCWarning(lcLinkEther) << "the mixer took no data for" << m_socket->bytesToWrite()
                               << "bytes: connection given up";
        m_socket->disconnect(this);
        m_socket->abort();
        return false;
    }
    m_sendReady = false;
    m_sendCount = count;
    // Bytes of an earlier frame still queued are not this message's.
    m_frameWritten = -m_socket->bytesToWrite();
    const QByteArray frame = etherFrame(data, count);
    if (m_socket->write(frame) != frame.size()) {
        m_sendReady = true;
        return false;
    }
    m_clock.waitUntil(m_link.tuning.ackWaitMs / 1000.0, [this] { return m_sendReady || m_cancelled; });
    const bool sent = m_sendReady;
    m_sendReady = true;
    if (!sent)
        qCDebug(lcLinkEther) << "send not completed in time";
    return sent;
}

int EthernetTransport::bytesHanded() const
{
    return int(std::clamp<qint64>(m_frameWritten - EtherWire::HeaderSize, 0, m_sendCount));
}

int EthernetTransport::fetch(quint8 *buffer, int capacity)
{
    QByteArray message;
    if (!m_receiver.takeMessage(message))
        return 0;
    if (message.size() > capacity) {
        qCWarning(lcLinkEther) << "dropped a message of" << message.size() << "bytes";
        return 0;
    }
    std::memcpy(buffer, message.constData(), size_t(message.size()));
    return int(message.size());
}
