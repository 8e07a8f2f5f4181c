#pragma once

// The Ethernet side of the virtual mixer: a TCP listener (the mixer's command
// port), each connection with its own stream-frame receiver. Replies go back
// on the connection that asked, in the same frame.

#include <QObject>
#include <QString>

#include <memory>

class QTcpServer;
class SimChain;

class SimTcpFront : public QObject
{
    Q_OBJECT
public:
    explicit SimTcpFront(SimChain &chain, QObject *parent = nullptr);
    ~SimTcpFront() override;

    // Listens on host:port (port 0: the system chooses). Only loopback
    // addresses are taken: the virtual mixer never listens on a network.
    bool listen(const QString &host, quint16 port, QString &error);
    quint16 port() const;

private:
    void acceptConnections();

    SimChain &m_chain;
    std::unique_ptr<QTcpServer> m_server;
};
