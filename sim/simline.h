#pragma once

// The serial line between the PC and the virtual mixer, at a given speed. A
// pseudo-terminal carries bytes as fast as they are written; a real line
// carries ten bits per byte (start bit, eight data bits, stop bit) at its bit
// rate. With a rate set, bytes in each direction take their line time and
// queue behind the bytes before them, both directions at once, so a transfer
// to the virtual mixer lasts as long as it would over the wire. Without a
// rate bytes pass at once.
//
// The due times are kept on a timerfd, which wakes the event loop to the
// microsecond: millisecond timers would add up to a whole millisecond per
// block and blur what the line itself costs.

#include <QByteArray>
#include <QObject>

#include <deque>
#include <functional>
#include <memory>

class QSocketNotifier;

class SimLine : public QObject
{
    Q_OBJECT
public:
    static constexpr int BitsPerByte = 10;

    explicit SimLine(QObject *parent = nullptr);
    ~SimLine() override;

    // Bits per second; 0 carries bytes at once. False when the line cannot be
    // paced (no timer from the system); it then carries bytes at once.
    bool setRate(int bitsPerSecond);
    int rate() const { return m_rate; }
    // Seconds one byte takes on the line (0 without a rate).
    double byteTime() const;

    // Bytes the PC wrote: handed to `arrived` once the line has carried them.
    void fromPc(const QByteArray &bytes);
    // Bytes for the PC: handed to `carried` (the terminal) once the line has carried them.
    void toPc(const QByteArray &bytes);

    std::function<void(const QByteArray &bytes)> arrived;
    std::function<void(const QByteArray &bytes)> carried;

    // Bytes put on the line so far, each way (what a figure of the line's
    // own time is measured against).
    qint64 bytesFromPc() const { return m_bytesFromPc; }
    qint64 bytesToPc() const { return m_bytesToPc; }

private:
    struct Piece
    {
        double due = 0; // monotonic seconds
        QByteArray bytes;
    };
    void queue(std::deque<Piece> &direction, double &freeAt, const QByteArray &bytes);
    void arm();
    void deliverDue();

    int m_rate = 0;
    int m_timerFd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::deque<Piece> m_in;  // PC to mixer
    std::deque<Piece> m_out; // mixer to PC
    double m_inFree = 0;     // when the line towards the mixer is free again
    double m_outFree = 0;
    qint64 m_bytesFromPc = 0;
    qint64 m_bytesToPc = 0;
};

// CLOCK_MONOTONIC in seconds, the clock the line's due times are kept on.
double simMonotonicNow();
