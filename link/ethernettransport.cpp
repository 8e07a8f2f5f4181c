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
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &EthernetTransport::startAttempt);
    m_attemptTimer.setSingleShot(true);
    connect(&m_attemptTimer, &QTimer::timeout, this, [this] {
        qCDebug(lcLinkEther) << "reconnect attempt" << m_attempts << "timed out";
        attemptEnded(false);
    });
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
    connect(m_socket.get(), &QAbstractSocket::stateChanged, this, &EthernetTransport::socketStateChanged);
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
            if (!setLowDelay()) {
                close();
                return OpenOutcome::Failed;
            }
            m_address = address;
            m_open = true;
            m_health = LinkHealth::Up;
            m_attempts = 0;
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

bool EthernetTransport::setLowDelay()
{
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (m_socket->socketOption(QAbstractSocket::LowDelayOption).toInt() != 1) {
        qCWarning(lcLinkEther) << "cannot switch off send coalescing";
        return false;
    }
    return true;
}

void EthernetTransport::close()
{
    // A link closed on purpose is not lost: nothing is reported and nothing
    // comes back.
    m_open = false;
    m_attempting = false;
    m_retryTimer.stop();
    m_attemptTimer.stop();
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket.reset();
}

void EthernetTransport::cancel()
{
    m_cancelled = true;
    m_retryTimer.stop();
}

void EthernetTransport::socketStateChanged(QAbstractSocket::SocketState state)
{
    if (!m_open)
        return; // open() watches its own connection attempts
    if (m_attempting) {
        if (state == QAbstractSocket::ConnectedState)
            attemptEnded(true);
        else if (state == QAbstractSocket::UnconnectedState)
            attemptEnded(false);
        return;
    }
    if (state == QAbstractSocket::UnconnectedState && m_health == LinkHealth::Up)
        connectionLost();
}

int EthernetTransport::reconnectAttempts() const
{
    if (m_health != LinkHealth::Reconnecting)
        return 0;
    return m_attempting ? m_attempts : m_attempts + 1;
}

void EthernetTransport::setHealth(LinkHealth health)
{
    m_health = health;
    if (healthChanged)
        healthChanged();
}

void EthernetTransport::connectionLost()
{
    qCWarning(lcLinkEther) << "connection to" << m_address << "lost:" << m_socket->errorString();
    // Nothing of the old connection may run into the next one: a frame cut
    // short, a send still waiting for completion.
    m_receiver.reset();
    m_sendReady = true;
    m_attempts = 0;
    if (m_policy.enabled && !m_cancelled) {
        m_health = LinkHealth::Reconnecting;
        scheduleAttempt();
    } else {
        setHealth(LinkHealth::Lost);
    }
}

void EthernetTransport::scheduleAttempt()
{
    const double delay = m_policy.delayBefore(m_attempts + 1);
    m_retryTimer.start(int(delay * 1000));
    if (healthChanged)
        healthChanged(); // the line names the next attempt
}

void EthernetTransport::startAttempt()
{
    if (!m_open || m_cancelled || m_health != LinkHealth::Reconnecting)
        return;
    m_socket->abort(); // before the attempt counts: its ending is not the attempt's
    ++m_attempts;
    m_attempting = true;
    qCDebug(lcLinkEther) << "reconnect attempt" << m_attempts << "to" << m_address << m_port;
    m_receiver.reset();
    m_attemptTimer.start(int(m_policy.attemptLimit * 1000));
    m_socket->connectToHost(m_address, m_port);
}

void EthernetTransport::attemptEnded(bool connected)
{
    if (!m_attempting)
        return;
    m_attempting = false;
    m_attemptTimer.stop();
    if (connected && setLowDelay()) {
        qCWarning(lcLinkEther) << "connection to" << m_address << "re-established after" << m_attempts << "attempts";
        m_receiver.reset();
        m_sendReady = true;
        m_attempts = 0;
        setHealth(LinkHealth::Up);
        return;
    }
    // Stopped here so that the abort below is not taken for another ending.
    m_socket->abort();
    if (m_policy.enabled && !m_cancelled)
        scheduleAttempt();
}

void EthernetTransport::setReconnect(bool enabled)
{
    m_policy.enabled = enabled;
    if (!m_open)
        return;
    if (enabled && m_health == LinkHealth::Lost) {
        // Asked for now: the first attempt goes at once.
        m_attempts = 0;
        setHealth(LinkHealth::Reconnecting);
        startAttempt();
    } else if (!enabled && m_health == LinkHealth::Reconnecting) {
        m_retryTimer.stop();
        m_attemptTimer.stop();
        m_attempting = false;
        m_socket->abort();
        m_attempts = 0;
        setHealth(LinkHealth::Lost);
    }
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
        m_socket->abort(); // reported as a lost connection
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
