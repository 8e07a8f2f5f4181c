#include "sim/simserial.h"

#include "base/strings.h"

#include "link/serialframe.h"
#include "sim/simchain.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSimSerial, "zkvr.sim.serial", QtWarningMsg)

namespace {
constexpr int AckWaitMs = 500;   // the PC's acknowledge, per block
constexpr int SendsPerBlock = 3; // first send and two retries
constexpr int BlockData = SerialWire::BlockData;
constexpr int GapTimeoutMs = 100;
} // namespace

SimSerialFront::SimSerialFront(SimChain &chain, QObject *parent)
    : QObject(parent), m_chain(chain)
{
    m_ackTimer.setSingleShot(true);
    connect(&m_ackTimer, &QTimer::timeout, this, &SimSerialFront::onAckTimeout);
    m_gapTimer.setSingleShot(true);
    connect(&m_gapTimer, &QTimer::timeout, this, [this] { m_receiver->gapTimeout(); });
    m_line.arrived = [this](const QByteArray &bytes) { takeBytes(bytes); };
    m_line.carried = [this](const QByteArray &bytes) {
        m_output.append(bytes);
        flushOutput();
    };
}

SimSerialFront::~SimSerialFront()
{
    m_readNotifier.reset();
    m_writeNotifier.reset();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool SimSerialFront::open(QString &error)
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        error = str(9729).arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    // Raw bytes both ways: no echo, no line editing, no CR/LF translation.
    termios tio{};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B19200);
        ::cfsetospeed(&tio, B19200);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);

    m_receiver = std::make_unique<SerialReceiver>();
    m_receiver->setBound(MessageBound::mixerEnd()); // firmware blocks fill the PC's send buffer
    m_readNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &SimSerialFront::readBytes);
    m_writeNotifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier.get(), &QSocketNotifier::activated, this, &SimSerialFront::flushOutput);
    return true;
}

void SimSerialFront::readBytes()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break;
        m_line.fromPc(m_chain.addNoise(QByteArray(buf, int(n))));
    }
}

void SimSerialFront::takeBytes(const QByteArray &bytes)
{
    for (char c : bytes) {
        const SerialReceiver::Result r = m_receiver->feed(quint8(c));
        // Gap watchdog: a frame that stalls for 100 ms is dropped.
        if (r.frameComplete || !m_receiver->inFrame())
            m_gapTimer.stop();
        else
            m_gapTimer.start(GapTimeoutMs);
        if (r.answer == SerialReceiver::Answer::Ack)
            writeBytes(serialAck());
        else if (r.answer == SerialReceiver::Answer::Nak)
            writeBytes(serialNak());
        if (r.acknowledge != SerialReceiver::Acknowledge::None)
            onAcknowledge(r.acknowledge == SerialReceiver::Acknowledge::Positive);
        if (r.messageComplete) {
            const QByteArray request = m_receiver->takeMessage();
            if (onRequest)
                onRequest(request);
            const QByteArray reply = m_chain.handle(request);
            if (!reply.isEmpty())
                queueReply(reply);
        }
    }
}

void SimSerialFront::writeBytes(const QByteArray &bytes)
{
    m_line.toPc(m_chain.addNoise(bytes));
}

void SimSerialFront::flushOutput()
{
    while (!m_output.isEmpty()) {
        const ssize_t n = ::write(m_master, m_output.constData(), size_t(m_output.size()));
        if (n <= 0) {
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                qCWarning(lcSimSerial) << "write failed:" << std::strerror(errno);
                m_output.clear();
            }
            break;
        }
        m_output.remove(0, int(n));
    }
    m_writeNotifier->setEnabled(!m_output.isEmpty());
}

void SimSerialFront::queueReply(const QByteArray &reply)
{
    // On its way until the PC has acknowledged its last block, or it was
    // given up.
    m_chain.replyOnItsWay();
    const int delay = m_chain.options().delayMs;
    if (delay > 0) {
        QTimer::singleShot(delay, this, [this, reply] {
            m_replies.push_back(reply);
            startNextReply();
        });
        return;
    }
    m_replies.push_back(reply);
    startNextReply();
}

void SimSerialFront::startNextReply()
{
    if (m_block != 0 || m_replies.empty())
        return;
    m_current = m_replies.front();
    m_replies.pop_front();
    m_block = 1;
    m_attempt = 0;
    sendBlock();
}

void SimSerialFront::sendBlock()
{
    const int blocks = serialBlockCount(int(m_current.size()));
    QByteArray frame = serialBlockFrame(m_current, m_block);
    if (m_chain.drawCorrupt()) {
        // Flip a byte among the data and checksum, so the PC's checksum test
        // sees it and answers with a negative acknowledge.
        const int dataLen = std::min(BlockData, int(m_current.size()) - (m_block - 1) * BlockData);
        const int at = 8 + m_chain.drawIndex(dataLen + 1);
        frame[at] = char(frame[at] ^ 0xFF);
        qCDebug(lcSimSerial) << "corrupting block" << m_block << "of" << blocks << "at" << at;
    }
    ++m_attempt;
    writeBytes(frame);
    m_ackTimer.start(AckWaitMs);
}

void SimSerialFront::onAcknowledge(bool positive)
{
    if (m_block == 0)
        return; // a stray acknowledge while nothing waits
    m_ackTimer.stop();
    if (!positive) {
        onAckTimeout();
        return;
    }
    if (m_block >= serialBlockCount(int(m_current.size()))) {
        m_block = 0;
        m_chain.replyDelivered();
        startNextReply();
        return;
    }
    ++m_block;
    m_attempt = 0;
    sendBlock();
}

void SimSerialFront::onAckTimeout()
{
    if (m_block == 0)
        return;
    if (m_attempt < SendsPerBlock) {
        ++m_resent;
        sendBlock();
        return;
    }
    qCDebug(lcSimSerial) << "block" << m_block << "never acknowledged; reply abandoned";
    ++m_abandoned;
    m_block = 0;
    m_chain.replyDelivered();
    startNextReply();
}
