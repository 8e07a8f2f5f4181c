#pragma once

// Virtual mixers answering the UDP search on loopback, for the search tests.

#include "link/etherframe.h"
#include "sim/simchain.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QObject>
#include <QUdpSocket>

// One mixer of the virtual chain behind a UDP socket. Several of them can
// share one broadcast address and port (127.255.255.255 on loopback), so one
// request reaches them all, as on a real network.
class LoopbackMixer : public QObject
{
public:
    LoopbackMixer(const QString &userId, const QString &address, quint16 replyPort)
        : m_chain(options(userId, address)), m_replyPort(replyPort)
    {
        connect(&m_socket, &QUdpSocket::readyRead, this, [this] { answer(); });
    }

    bool bind(const QHostAddress &at, quint16 port)
    {
        return m_socket.bind(at, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    }
    quint16 port() const { return m_socket.localPort(); }
    int requests() const { return m_requests; }
    QByteArray lastRequest() const { return m_lastRequest; }

private:
    static SimOptions options(const QString &userId, const QString &address)
    {
        SimOptions o;
        o.userId = userId;
        o.address = address;
        return o;
    }

    void answer()
    {
        while (m_socket.hasPendingDatagrams()) {
            const QNetworkDatagram d = m_socket.receiveDatagram();
            ++m_requests;
            m_lastRequest = d.data();
            EtherReceiver receiver;
            receiver.feed(d.data());
            QByteArray request;
            if (!receiver.takeMessage(request))
                continue;
            const QByteArray reply = m_chain.handle(request);
            if (!reply.isEmpty())
                m_socket.writeDatagram(etherFrame(reply), d.senderAddress(), m_replyPort);
        }
    }

    SimChain m_chain;
    QUdpSocket m_socket;
    quint16 m_replyPort;
    int m_requests = 0;
    QByteArray m_lastRequest;
};

// A port that was free a moment ago on 127.0.0.1.
inline quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}
