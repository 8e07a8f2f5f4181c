#pragma once

// The RS-232C side of the virtual mixer, on a pseudo-terminal it creates:
// the PC opens the slave path like any serial port. Requests arrive in
// acknowledged blocks; every received frame is answered (A5 00 or A5 FF) and
// every reply goes back in blocks of its own, each one waiting for the PC's
// acknowledge (up to three sends, 500 ms apart at most), like the mixer does.
// With a line rate set, the bytes take the time a serial line of that speed
// needs (sim/simline.h).

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include "sim/simline.h"

#include <deque>
#include <functional>
#include <memory>

class QSocketNotifier;
class SerialReceiver;
class SimChain;

class SimSerialFront : public QObject
{
    Q_OBJECT
public:
    explicit SimSerialFront(SimChain &chain, QObject *parent = nullptr);
    ~SimSerialFront() override;

    bool open(QString &error);
    QString slavePath() const { return m_slavePath; }
    // Bits per second of the emulated line; 0 (the default) carries bytes at once.
    bool setLineRate(int bitsPerSecond) { return m_line.setRate(bitsPerSecond); }
    const SimLine &line() const { return m_line; }

    // Told of every whole request that arrived, before it is answered.
    std::function<void(const QByteArray &request)> onRequest;

    // Counters for tests and diagnostics.
    int blocksResent() const { return m_resent; }
    int repliesAbandoned() const { return m_abandoned; }

private:
    void readBytes();
    void takeBytes(const QByteArray &bytes);
    void writeBytes(const QByteArray &bytes);
    void flushOutput();
    void queueReply(const QByteArray &reply);
    void startNextReply();
    void sendBlock();
    void onAcknowledge(bool positive);
    void onAckTimeout();

    SimChain &m_chain;
    int m_master = -1;
    int m_slave = -1; // kept open so the master never reads end of file between PC sessions
    QString m_slavePath;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
    std::unique_ptr<SerialReceiver> m_receiver;
    QByteArray m_output;
    SimLine m_line;

    // Reply being sent.
    std::deque<QByteArray> m_replies;
    QByteArray m_current;
    int m_block = 0;     // 1-based block of m_current in flight, 0 = idle
    int m_attempt = 0;
    QTimer m_ackTimer;
    QTimer m_gapTimer;
    int m_resent = 0;
    int m_abandoned = 0;
};
