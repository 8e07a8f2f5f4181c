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

    // The mixer drops each connection when its N-th request arrives: the
    // request takes effect, its reply is lost with the connection, and the
    // listener takes the next connection as usual (0: never).
    void setCutAfter(int requests) { m_cutAfter = requests; }
    // Drops every open connection at once, as a mixer that restarts.
    void cutConnections();
    // The mixer is switched off for `ms`: its connections drop and nobody
    // can connect until it is back.
    void switchOff(int ms);
    // Connections taken and connections dropped so far.
    int accepted() const { return m_accepted; }
    int cuts() const { return m_cuts; }

private:
    void acceptConnections();
    // The mixer restarts: nobody can connect until it is back, and the
    // connections it had are dead (the first request on one resets it).
    void restart();
    // Stops listening, and listens again after `ms`.
    void awayFor(int ms);

    SimChain &m_chain;
    std::unique_ptr<QTcpServer> m_server;
    QString m_host;
    quint16 m_port = 0;
    int m_cutAfter = 0;
    int m_accepted = 0;
    int m_cuts = 0;
};
