#pragma once

// The USB side of the virtual mixer: a device folder holding two FIFOs, the
// way the Linux build of devbridge expects a device. PIPE00 carries requests
// to the mixer, PIPE01 replies from it. Every USB message is the raw message
// followed by 0x55 0xAA; each reply goes out in a single write.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QSocketNotifier;
class SimChain;

// Splits the request byte stream of PIPE00 into messages. The length of a
// request follows from its command (IP carries its own length); a data block
// L, whose length nothing announces, ends with the chunk that ends in the
// trailer. Bytes that do not make a message up to a trailer are dropped.
class UsbRequestSplitter
{
public:
    void feed(const QByteArray &chunk);
    // The next complete request, without the trailer; false if none waits.
    bool next(QByteArray &request);
    int pending() const { return int(m_buffer.size()); }
    // Whether a data block is being received (the PC waits for each reply, so
    // a block is the first thing held).
    bool holdsDataBlock() const { return m_buffer.startsWith('L'); }

private:
    QByteArray m_buffer;
    bool m_chunkEndsInTrailer = false;
};

class SimUsbDevice : public QObject
{
    Q_OBJECT
public:
    SimUsbDevice(SimChain &chain, QString root, QString name, QObject *parent = nullptr);
    ~SimUsbDevice() override;

    // Creates root/name/PIPE00 and PIPE01 (mkfifo) and starts reading.
    // On failure `error` says why.
    bool start(QString &error);
    QString devicePath() const;

    // The mixer is switched off and on: the device goes away for `offMs`
    // (devbridge finds nothing) and comes back. A mixer prepared for a
    // download over USB takes its data only after this.
    void powerCycle(int offMs = DefaultOffMs);
    static constexpr int DefaultOffMs = 500;
    bool present() const { return m_in >= 0; }

signals:
    void requestHandled();
    void poweredOff();
    void poweredOn();

private:
    void stop();
    void readRequests();
    void writeReply(const QByteArray &reply);

    SimChain &m_chain;
    QString m_root;
    QString m_name;
    int m_in = -1;   // PIPE00, held O_RDWR so that it never sees end of file
    int m_out = -1;  // PIPE01, O_RDWR so that opening never blocks on a reader
    std::unique_ptr<QSocketNotifier> m_notifier;
    // Holds a data block back until its bytes have stopped coming.
    QTimer m_settle;
    UsbRequestSplitter m_splitter;
};
