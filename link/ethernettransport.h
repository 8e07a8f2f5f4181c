#pragma once

// Ethernet transport: stream frames over one TCP connection to the mixer.

#include "link/etherframe.h"
#include "link/reconnect.h"
#include "link/transport.h"

#include <QAbstractSocket>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class Clock;
class QTcpSocket;
struct LinkState;

// The mixer's TCP port: ZKVR340A_TCP_PORT (1..65535) wins over the configured one.
quint16 resolveTcpPort(quint16 configured);

class EthernetTransport final : public QObject, public LinkTransport
{
    Q_OBJECT
public:
    // `chooseAddress` asks for the address to connect to (the connection
    // dialog); an empty answer means no connection, and `userChose` says
    // whether the user asked to connect at all.
    EthernetTransport(LinkState &link, Clock &clock, quint16 port,
                      std::function<QString(bool &userChose)> chooseAddress);
    ~EthernetTransport() override;

    OpenOutcome open() override;
    void close() override;
    bool send(const quint8 *data, int count) override;
    int fetch(quint8 *buffer, int capacity) override;
    void cancel() override;
    int bytesHanded() const override;
    LinkHealth health() const override { return m_health; }
    // The attempt under way, or the next one while waiting for it.
    int reconnectAttempts() const override;
    QString peer() const override { return m_address; }
    void setReconnect(bool enabled) override;

    // How long open() keeps trying to connect (30 s for the mixer).
    void setConnectLimit(double seconds) { m_connectLimit = seconds; }
    // How a lost connection comes back (when enabled); set before open().
    void setReconnectPolicy(const ReconnectPolicy &policy) { m_policy = policy; }
    bool sendReady() const { return m_sendReady; }
    bool connected() const;

private:
    void readBytes();
    void socketStateChanged(QAbstractSocket::SocketState state);
    // The open connection went away (reset, closed by the mixer, given up).
    void connectionLost();
    void setHealth(LinkHealth health);
    void scheduleAttempt();
    void startAttempt();
    void attemptEnded(bool connected);
    // Switches off send coalescing on a fresh connection; false if it cannot.
    bool setLowDelay();

    LinkState &m_link;
    Clock &m_clock;
    quint16 m_port;
    std::function<QString(bool &)> m_chooseAddress;
    double m_connectLimit = 30.0;
    std::unique_ptr<QTcpSocket> m_socket;
    EtherReceiver m_receiver;
    bool m_sendReady = true;
    int m_sendCount = 0;      // message bytes of the frame being sent
    qint64 m_frameWritten = 0; // of its bytes, those the socket handed to the system
    bool m_cancelled = false;

    // Once open: the connection's health and the attempts to get it back.
    QString m_address;
    bool m_open = false;
    LinkHealth m_health = LinkHealth::Up;
    ReconnectPolicy m_policy;
    int m_attempts = 0;
    bool m_attempting = false;  // a connection attempt is under way
    QTimer m_retryTimer;        // the wait before the next attempt
    QTimer m_attemptTimer;      // an attempt that takes too long is given up
};
