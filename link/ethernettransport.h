#pragma once

// Ethernet transport: stream frames over one TCP connection to the mixer.

#include "link/etherframe.h"
#include "link/transport.h"

#include <QObject>
#include <QString>

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
    void cancel() override { m_cancelled = true; }
    int bytesHanded() const override;

    // How long open() keeps trying to connect (30 s for the mixer).
    void setConnectLimit(double seconds) { m_connectLimit = seconds; }
    bool sendReady() const { return m_sendReady; }
    bool connected() const;

private:
    void readBytes();

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
};
