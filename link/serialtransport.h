#pragma once

// RS-232C transport: block frames with acknowledges over a QSerialPort.

#include "link/serialframe.h"
#include "link/transport.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class Clock;
class QSerialPort;
struct LinkState;

// The port to open: ZKVR340A_SERIAL_PORT wins, then the configured name;
// when both are empty the system's first serial port, ports that have a
// /dev/serial/by-id name first and given by that name (it survives
// re-plugging). Empty when the system has no serial port at all.
QString resolveSerialPort(const QString &configured);

class SerialTransport final : public QObject, public LinkTransport
{
    Q_OBJECT
public:
    SerialTransport(LinkState &link, Clock &clock, QString portName);
    ~SerialTransport() override;

    OpenOutcome open() override;
    void close() override;
    bool send(const quint8 *data, int count) override;
    int fetch(quint8 *buffer, int capacity) override;
    void abortSend() override;
    void cancel() override { m_cancelled = true; }
    int bytesHanded() const override { return m_handed; }

    // Why the last open failed (for the log).
    QString errorText() const { return m_error; }
    int frameState() const { return m_receiver.state(); }
    bool sendBusy() const { return m_sendBusy; }

private:
    void readBytes();
    void writeAnswer(const QByteArray &answer);

    LinkState &m_link;
    Clock &m_clock;
    QString m_portName;
    QString m_error;
    std::unique_ptr<QSerialPort> m_port;
    SerialReceiver m_receiver;
    QTimer m_gapTimer;
    bool m_sendBusy = false;
    int m_handed = 0; // bytes of the acknowledged blocks of the message being sent
    bool m_cancelled = false;
};
