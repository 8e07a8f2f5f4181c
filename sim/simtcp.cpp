#include "sim/simtcp.h"

#include "base/strings.h"

#include "link/etherframe.h"
#include "sim/simchain.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

Q_LOGGING_CATEGORY(lcSimTcp, "zkvr.sim.tcp", QtWarningMsg)

SimTcpFront::SimTcpFront(SimChain &chain, QObject *parent)
    : QObject(parent), m_chain(chain), m_server(std::make_unique<QTcpServer>())
{
    connect(m_server.get(), &QTcpServer::newConnection, this, &SimTcpFront::acceptConnections);
}

SimTcpFront::~SimTcpFront() = default;

bool SimTcpFront::listen(const QString &host, quint16 port, QString &error)
{
    const QHostAddress address(host == QLatin1String("localhost") ? QStringLiteral("127.0.0.1") : host);
    if (address.isNull() || !address.isLoopback()) {
        error = str(9725).arg(host);
        return false;
    }
    if (!m_server->listen(address, port)) {
        error = str(9726).arg(host).arg(port).arg(m_server->errorString());
        return false;
    }
    m_host = address.toString();
    m_port = m_server->serverPort();
    return true;
}

quint16 SimTcpFront::port() const
{
    return m_port;
}

void SimTcpFront::restart()
{
    awayFor(m_chain.restartLeftMs());
}

void SimTcpFront::switchOff(int ms)
{
    cutConnections();
    awayFor(ms);
}

void SimTcpFront::awayFor(int ms)
{
    if (!m_server->isListening())
        return;
    m_server->close();
    QTimer::singleShot(ms, this, [this] {
        if (!m_server->listen(QHostAddress(m_host), m_port))
            qCWarning(lcSimTcp) << "listening again after the restart failed:" << m_server->errorString();
    });
}

void SimTcpFront::cutConnections()
{
    for (QTcpSocket *socket : findChildren<QTcpSocket *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (socket->state() == QAbstractSocket::UnconnectedState)
            continue;
        ++m_cuts;
        // A reset, as from a mixer that lost power: nothing more is said.
        socket->abort();
        socket->deleteLater();
    }
}

void SimTcpFront::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        ++m_accepted;
        socket->setParent(this);
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        // Each connection decodes its own stream; the receiver lives as long
        // as the socket.
        auto receiver = std::make_shared<EtherReceiver>();
        receiver->setBound(MessageBound::mixerEnd()); // firmware blocks fill the PC's send buffer
        QPointer<QTcpSocket> guard(socket);
        // Every message is answered as it completes, so two requests in one
        // segment both get their replies.
        auto requests = std::make_shared<int>(0);
        const int restarts = m_chain.restarts();
        receiver->onMessage = [this, guard, requests, restarts](const QByteArray &request) {
            if (guard && m_chain.restarts() != restarts) {
                // A connection from before the mixer restarted: it knows
                // nothing of it any more and resets it.
                qCDebug(lcSimTcp) << "request on a connection from before the restart; reset";
                guard->abort();
                guard->deleteLater();
                return;
            }
            const QByteArray reply = m_chain.handle(request);
            if (m_chain.restarts() != restarts)
                restart();
            if (!guard || guard->state() != QAbstractSocket::ConnectedState)
                return;
            if (m_cutAfter > 0 && ++*requests >= m_cutAfter) {
                qCDebug(lcSimTcp) << "cutting the connection after" << *requests << "requests";
                ++m_cuts;
                guard->abort();
                guard->deleteLater();
                return;
            }
            if (reply.isEmpty())
                return;
            const QByteArray frame = etherFrame(reply);
            const int delay = m_chain.options().delayMs;
            if (delay > 0) {
                m_chain.replyOnItsWay();
                QTimer::singleShot(delay, this, [this, guard, frame] {
                    m_chain.replyDelivered();
                    if (guard)
                        guard->write(frame);
                });
            } else {
                guard->write(frame);
            }
        };
        connect(socket, &QTcpSocket::readyRead, this, [socket, receiver] { receiver->feed(socket->readAll()); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        qCDebug(lcSimTcp) << "connection from" << socket->peerAddress().toString() << socket->peerPort();
    }
}
