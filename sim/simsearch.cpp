#include "sim/simsearch.h"

#include "base/strings.h"

#include "link/etherframe.h"
#include "sim/simchain.h"

#include <QHostAddress>
#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QUdpSocket>

Q_LOGGING_CATEGORY(lcSimSearch, "zkvr.sim.search", QtWarningMsg)

SimSearchResponder::SimSearchResponder(SimChain &chain, QObject *parent)
    : QObject(parent), m_chain(chain), m_socket(std::make_unique<QUdpSocket>())
{
    connect(m_socket.get(), &QUdpSocket::readyRead, this, &SimSearchResponder::readDatagrams);
}

SimSearchResponder::~SimSearchResponder() = default;

bool SimSearchResponder::bind(const QString &host, quint16 port, int replyPort, QString &error)
{
    const QHostAddress address(host == QLatin1String("localhost") ? QStringLiteral("127.0.0.1") : host);
    if (address.isNull() || !address.isLoopback()) {
        error = str(9727).arg(host);
        return false;
    }
    // Shared, so that several virtual mixers can listen on one search address.
    if (!m_socket->bind(address, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        error = str(9728).arg(host).arg(port).arg(m_socket->errorString());
        return false;
    }
    m_replyPort = replyPort;
    return true;
}

quint16 SimSearchResponder::port() const
{
    return m_socket->localPort();
}

void SimSearchResponder::readDatagrams()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        // Replies only ever go back to this machine.
        if (!datagram.senderAddress().isLoopback())
            continue;
        EtherReceiver receiver;
        receiver.feed(datagram.data());
        QByteArray request;
        if (!receiver.takeMessage(request) || !request.startsWith("IR"))
            continue;
        const QByteArray reply = m_chain.handle(request);
        if (reply.isEmpty())
            continue;
        const quint16 to = m_replyPort > 0 ? quint16(m_replyPort) : datagram.senderPort();
        m_socket->writeDatagram(etherFrame(reply), datagram.senderAddress(), to);
        qCDebug(lcSimSearch) << "search reply to port" << to;
    }
}
