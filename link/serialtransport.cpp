#include "link/serialtransport.h"

#include "base/clock.h"
#include "link/linkstate.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcLinkSerial, "zkvr.link.serial", QtCriticalMsg)

namespace {
constexpr int DriverInputBuffer = 16384;
}

QString resolveSerialPort(const QString &configured)
{
    const QString fromEnv = qEnvironmentVariable("ZKVR340A_SERIAL_PORT");
    if (!fromEnv.isEmpty())
        return fromEnv;
    if (!configured.isEmpty())
        return configured;
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    if (ports.isEmpty())
        return {};
    std::sort(ports.begin(), ports.end(), [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        return a.systemLocation() < b.systemLocation();
    });
    // A port with a /dev/serial/by-id name (a plugged-in adapter, the usual
    // way to a mixer today) comes before the built-in ones, and is given by
    // that name, which survives re-plugging.
    const QFileInfoList links = QDir(QStringLiteral("/dev/serial/by-id"))
                                    .entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QSerialPortInfo &port : ports) {
        const QString device = QFileInfo(port.systemLocation()).canonicalFilePath();
        for (const QFileInfo &link : links)
            if (link.canonicalFilePath() == device)
                return link.absoluteFilePath();
    }
    return ports.first().systemLocation();
}

SerialTransport::SerialTransport(LinkState &link, Clock &clock, QString portName)
    : m_link(link), m_clock(clock), m_portName(std::move(portName))
{
    m_gapTimer.setSingleShot(true);
    connect(&m_gapTimer, &QTimer::timeout, this, [this] {
        qCDebug(lcLinkSerial) << "inter-byte gap in state" << m_receiver.state();
        m_receiver.gapTimeout();
    });
    m_receiver.sendAnswer = [this](const QByteArray &a) { writeAnswer(a); };
}

SerialTransport::~SerialTransport()
{
    close();
}

OpenOutcome SerialTransport::open()
{
    close();
    m_receiver.reset();
    m_sendBusy = false;
    if (m_portName.isEmpty()) {
        m_error = QStringLiteral("no serial port");
        return OpenOutcome::Failed;
    }
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(m_portName);
    m_port->setReadBufferSize(DriverInputBuffer);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_error = m_port->errorString();
        qCWarning(lcLinkSerial) << "cannot open" << m_portName << m_error;
        m_port.reset();
        return OpenOutcome::Failed;
    }
    const bool ok = m_port->setBaudRate(m_link.tuning.serialSpeed)
        && m_port->setDataBits(QSerialPort::Data8) && m_port->setParity(QSerialPort::NoParity)
        && m_port->setStopBits(QSerialPort::OneStop) && m_port->setFlowControl(QSerialPort::NoFlowControl);
    // DTR and RTS are asserted for the mixer; a line without modem signals
    // (a pseudo-terminal) cannot set them and works all the same.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    if (!ok) {
        m_error = m_port->errorString();
        qCWarning(lcLinkSerial) << "cannot set up" << m_portName << m_error;
        m_port->close();
        m_port.reset();
        return OpenOutcome::Failed;
    }
    m_port->clearError();
    connect(m_port.get(), &QSerialPort::readyRead, this, &SerialTransport::readBytes);
    connect(m_port.get(), &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ReadError) {
            // Whatever was taken before the failure cannot be trusted.
            m_receiver.takeMessage();
            qCWarning(lcLinkSerial) << "read failed" << m_port->errorString();
        }
    });
    return OpenOutcome::Opened;
}

void SerialTransport::close()
{
    m_gapTimer.stop();
    if (m_port) {
        m_port->disconnect(this);
        if (m_port->isOpen())
            m_port->close();
        m_port.reset();
    }
}

void SerialTransport::writeAnswer(const QByteArray &answer)
{
    if (m_port && m_port->isOpen())
        m_port->write(answer);
}

void SerialTransport::readBytes()
{
    if (!m_port)
        return;
    const QByteArray bytes = m_port->readAll();
    for (char c : bytes) {
        // Every byte restarts the gap watchdog; a completed frame stops it.
        m_gapTimer.start(m_link.tuning.gapTimeoutMs);
        if (m_receiver.feed(quint8(c)).frameComplete)
            m_gapTimer.stop();
    }
}

bool SerialTransport::send(const quint8 *data, int count)
{
    if (m_sendBusy || !m_port || count <= 0 || m_cancelled)
        return false;
    m_sendBusy = true;
    m_handed = 0;
    const int blocks = serialBlockCount(count);
    const double ackWait = m_link.tuning.ackWaitMs / 1000.0;
    for (int k = 1; k <= blocks; ++k) {
        const QByteArray frame = serialBlockFrame(data, count, k);
        bool acknowledged = false;
        for (int attempt = 0; attempt <= m_link.tuning.blockRetries && !acknowledged; ++attempt) {
            // The whole frame goes to the driver at once; QSerialPort writes
            // it out while the wait below lets events run.
            m_port->write(frame);
            m_receiver.clearAcknowledgeState();
            int ack = 0;
            m_clock.waitUntil(ackWait, [&] {
                if (m_link.tuning.sendAbort || m_cancelled)
                    return true;
                ack = m_receiver.takeAcknowledgeState();
                return ack != 0;
            });
            if (m_cancelled) {
                m_sendBusy = false;
                return false;
            }
            if (m_link.tuning.sendAbort) {
                m_link.tuning.sendAbort = false;
                m_sendBusy = false;
                return false;
            }
            if (ack == 1)
                acknowledged = true;
            else
                qCDebug(lcLinkSerial) << "block" << k << (ack == 2 ? "refused" : "not acknowledged");
        }
        if (!acknowledged) {
            m_sendBusy = false;
            return false;
        }
        m_handed = std::min(count, k * SerialWire::BlockData);
    }
    m_sendBusy = false;
    return true;
}

int SerialTransport::fetch(quint8 *buffer, int capacity)
{
    if (!m_receiver.messageComplete())
        return 0;
    const QByteArray message = m_receiver.takeMessage();
    if (message.size() > capacity) {
        qCWarning(lcLinkSerial) << "dropped a message of" << message.size() << "bytes";
        return 0;
    }
    std::memcpy(buffer, message.constData(), size_t(message.size()));
    return int(message.size());
}

void SerialTransport::abortSend()
{
    m_link.tuning.sendAbort = true;
}
