#pragma once

// Answers the PC's UDP mixer search: a datagram carrying the IR request in
// the stream frame gets the IR reply (the network settings block, which holds
// the user ID the PC looks for) in the same frame. The PC listens for replies
// on a port of its own; --reply-port names it, otherwise the reply goes back
// to the sender's port.

#include <QObject>
#include <QString>

#include <memory>

class QUdpSocket;
class SimChain;

class SimSearchResponder : public QObject
{
    Q_OBJECT
public:
    explicit SimSearchResponder(SimChain &chain, QObject *parent = nullptr);
    ~SimSearchResponder() override;

    // Loopback addresses only, like the TCP side. replyPort < 0: sender's port.
    bool bind(const QString &host, quint16 port, int replyPort, QString &error);
    quint16 port() const;

private:
    void readDatagrams();

    SimChain &m_chain;
    std::unique_ptr<QUdpSocket> m_socket;
    int m_replyPort = -1;
};
