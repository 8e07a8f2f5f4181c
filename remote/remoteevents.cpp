#include "remote/remoteevents.h"

#include "base/clock.h"
#include "remote/remoterequest.h"

#include <QHostAddress>
#include <QWebSocket>

#include <algorithm>

RemoteEvents::RemoteEvents(const Clock &clock, QObject *parent) : QObject(parent), m_clock(clock)
{
    m_timer.setInterval(int(PingInterval * 1000));
    connect(&m_timer, &QTimer::timeout, this, &RemoteEvents::sweep);
}

RemoteEvents::~RemoteEvents()
{
    closeAll(QWebSocketProtocol::CloseCodeGoingAway, {});
}

bool RemoteEvents::roomFor(const QHostAddress &peer, const QByteArray &token) const
{
    const QString address = RateLimiter::addressKey(peer);
    const auto ofAddress = std::count_if(m_clients.begin(), m_clients.end(),
                                         [&](const Client &c) { return c.address == address; });
    const auto ofToken = std::count_if(m_clients.begin(), m_clients.end(),
                                       [&](const Client &c) { return c.token == token; });
    return count() < Remote::MaxEventClients && ofAddress < Remote::MaxEventClientsPerAddress
           && ofToken < Remote::MaxEventClientsPerToken;
}

void RemoteEvents::add(std::unique_ptr<QWebSocket> socket, const QByteArray &token, const QString &hello, bool page)
{
    if (!roomFor(socket->peerAddress(), token)) {
        socket->close(QWebSocketProtocol::CloseCodeTooMuchData);
        socket.release()->deleteLater();
        return;
    }
    socket->setMaxAllowedIncomingMessageSize(Remote::MaxBodyBytes);
    socket->setMaxAllowedIncomingFrameSize(Remote::MaxBodyBytes);
    QWebSocket *s = socket.get();
    connect(s, &QWebSocket::disconnected, this, [this, s] { drop(s); });
    // Messages are not acted on; like an answer to a ping they say the
    // client is there.
    auto heard = [this, s] {
        if (Client *c = find(s))
            c->heard = m_clock.now();
    };
    connect(s, &QWebSocket::pong, this, heard);
    connect(s, &QWebSocket::textMessageReceived, this, heard);
    connect(s, &QWebSocket::binaryMessageReceived, this, heard);
    s->sendTextMessage(hello);
    m_clients.push_back({std::move(socket), RateLimiter::addressKey(s->peerAddress()), token, m_clock.now(), page});
    m_timer.start();
    emit changed();
}

RemoteEvents::Client *RemoteEvents::find(QWebSocket *socket)
{
    const auto it = std::find_if(m_clients.begin(), m_clients.end(),
                                 [socket](const Client &c) { return c.socket.get() == socket; });
    return it == m_clients.end() ? nullptr : &*it;
}

void RemoteEvents::drop(QWebSocket *socket)
{
    const auto it = std::find_if(m_clients.begin(), m_clients.end(),
                                 [socket](const Client &c) { return c.socket.get() == socket; });
    if (it == m_clients.end())
        return;
    QWebSocket *s = it->socket.release();
    m_clients.erase(it);
    s->disconnect(this);
    if (s->state() != QAbstractSocket::UnconnectedState)
        s->abort();
    s->deleteLater();
    if (m_clients.empty())
        m_timer.stop();
    emit changed();
}

void RemoteEvents::broadcast(const QString &text)
{
    std::vector<QWebSocket *> stuck;
    for (Client &c : m_clients) {
        if (c.socket->bytesToWrite() > MaxBacklog)
            stuck.push_back(c.socket.get());
        else
            c.socket->sendTextMessage(text);
    }
    for (QWebSocket *s : stuck)
        drop(s);
}

void RemoteEvents::closeAll(int code, const QString &reason)
{
    // Taken out first: closing emits disconnected(), which looks for them.
    std::vector<Client> clients = std::move(m_clients);
    m_clients.clear();
    m_timer.stop();
    for (Client &c : clients) {
        c.socket->disconnect(this);
        if (c.socket->state() == QAbstractSocket::ConnectedState)
            c.socket->close(QWebSocketProtocol::CloseCode(code), reason);
        c.socket.release()->deleteLater();
    }
    if (!clients.empty())
        emit changed();
}

void RemoteEvents::sweep()
{
    const double now = m_clock.now();
    std::vector<QWebSocket *> silent;
    for (Client &c : m_clients) {
        if (now - c.heard > SilentLimit)
            silent.push_back(c.socket.get());
        else
            c.socket->ping();
    }
    for (QWebSocket *s : silent)
        drop(s);
}

int RemoteEvents::heardSince(double time) const
{
    return int(std::count_if(m_clients.begin(), m_clients.end(), [time](const Client &c) { return c.heard >= time; }));
}

int RemoteEvents::pages() const
{
    return int(std::count_if(m_clients.begin(), m_clients.end(), [](const Client &c) { return c.page; }));
}
