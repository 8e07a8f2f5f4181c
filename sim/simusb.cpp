#include "sim/simusb.h"

#include "base/strings.h"

#include "sim/simchain.h"

#include <QDir>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSimUsb, "zkvr.sim.usb", QtWarningMsg)

namespace {

constexpr char Trailer0 = char(0x55);
constexpr char Trailer1 = char(0xAA);

enum : int { NeedMore = -1, Unknown = 0 };

// A user ID has at most 255 characters, so N is at most 256; a larger N is
// no request, and waiting for its bytes would swallow the ones after it.
constexpr int MaxNetworkLength = 256;
// How long the PC may pause inside one large write of a data block.
constexpr int SettleMs = 50;
// The largest request the PC can build (its send buffer) plus the trailer.
constexpr int MaxPending = 262209 + 2;

// Message length of the request at the start of `b` (trailer not counted).
int requestLength(const QByteArray &b)
{
    if (b.size() < 2)
        return NeedMore;
    const char c0 = b[0], c1 = b[1];
    if (c0 == 'R')
        return 3;
    if (c0 == 'L')
        return Unknown; // told apart by the trailer at the end of its chunk
    auto is = [&](char a, char z) { return c0 == a && c1 == z; };
    if (is('D', 'R') || is('T', 'R') || is('A', 'M') || is('M', 'N') || is('I', 'R'))
        return 3;
    if (is('E', 'R') || is('I', 'S'))
        return 4;
    if (is('D', 'S') || is('T', 'S'))
        return 5;
    if (is('E', 'S') || is('A', 'R'))
        return 8;
    if (is('A', 'W'))
        return 12;
    if (is('I', 'P')) {
        if (b.size() < 10)
            return NeedMore;
        const int n = (quint8(b[8]) << 8) | quint8(b[9]);
        return n <= MaxNetworkLength ? n + 10 : Unknown;
    }
    return Unknown;
}

bool endsInTrailer(const QByteArray &b)
{
    return b.size() >= 2 && b[b.size() - 2] == Trailer0 && b[b.size() - 1] == Trailer1;
}

} // namespace

void UsbRequestSplitter::feed(const QByteArray &chunk)
{
    m_buffer.append(chunk);
    m_chunkEndsInTrailer = endsInTrailer(chunk);
    if (m_buffer.size() > MaxPending) {
        qCDebug(lcSimUsb) << "request larger than any the PC sends; dropped";
        m_buffer.clear();
    }
}

bool UsbRequestSplitter::next(QByteArray &request)
{
    while (!m_buffer.isEmpty()) {
        const int n = requestLength(m_buffer);
        if (n == NeedMore)
            return false;
        if (n == Unknown) {
            // A data block, or bytes of no known request: take everything up
            // to the trailer that ends the data received so far.
            if (!m_chunkEndsInTrailer)
                return false;
            const bool known = m_buffer.startsWith('L');
            request = m_buffer.left(m_buffer.size() - 2);
            m_buffer.clear();
            if (known && request.size() >= 3)
                return true;
            qCDebug(lcSimUsb) << "dropping" << request.size() << "bytes of no known request";
            continue;
        }
        if (m_buffer.size() < n + 2)
            return false;
        if (m_buffer[n] == Trailer0 && m_buffer[n + 1] == Trailer1) {
            request = m_buffer.left(n);
            m_buffer.remove(0, n + 2);
            return true;
        }
        // Lost step: resynchronise after the next trailer.
        const int at = m_buffer.indexOf(QByteArray("\x55\xAA", 2));
        qCDebug(lcSimUsb) << "request without its trailer, resynchronising";
        if (at < 0) {
            m_buffer.clear();
            return false;
        }
        m_buffer.remove(0, at + 2);
    }
    return false;
}

SimUsbDevice::SimUsbDevice(SimChain &chain, QString root, QString name, QObject *parent)
    : QObject(parent), m_chain(chain), m_root(std::move(root)), m_name(std::move(name))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &SimUsbDevice::readRequests);
}

SimUsbDevice::~SimUsbDevice()
{
    stop();
}

void SimUsbDevice::stop()
{
    m_settle.stop();
    m_notifier.reset();
    if (m_in >= 0)
        ::close(m_in);
    if (m_out >= 0)
        ::close(m_out);
    m_in = m_out = -1;
    m_splitter = UsbRequestSplitter{};
    // The FIFOs belong to this run; a stale device folder would make the next
    // program run find a mixer that is not there.
    const QString dir = devicePath();
    QFile::remove(dir + QStringLiteral("/PIPE00"));
    QFile::remove(dir + QStringLiteral("/PIPE01"));
    QDir().rmdir(dir);
}

void SimUsbDevice::powerCycle(int offMs)
{
    if (!present())
        return;
    // Off: the device is gone, and what was on its way is lost.
    stop();
    m_chain.powerCycle();
    emit poweredOff();
    QTimer::singleShot(std::max(offMs, 0), this, [this] {
        QString error;
        if (start(error))
            emit poweredOn();
        else
            qCWarning(lcSimUsb) << "the device did not come back:" << error;
    });
}

QString SimUsbDevice::devicePath() const
{
    return QDir(m_root).filePath(m_name);
}

bool SimUsbDevice::start(QString &error)
{
    const QString dir = devicePath();
    if (!QDir().mkpath(dir)) {
        error = str(9721).arg(dir);
        return false;
    }
    auto makeFifo = [&](const QString &path) {
        const QByteArray p = QFile::encodeName(path);
        struct stat st{};
        if (::stat(p.constData(), &st) == 0) {
            if (S_ISFIFO(st.st_mode))
                return true;
            error = str(9722).arg(path);
            return false;
        }
        if (::mkfifo(p.constData(), 0600) != 0) {
            error = str(9723).arg(path, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        return true;
    };
    const QString in = dir + QStringLiteral("/PIPE00");
    const QString out = dir + QStringLiteral("/PIPE01");
    if (!makeFifo(in) || !makeFifo(out))
        return false;
    m_in = ::open(QFile::encodeName(in).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    m_out = ::open(QFile::encodeName(out).constData(), O_RDWR | O_CLOEXEC);
    if (m_in < 0 || m_out < 0) {
        error = str(9724).arg(dir, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_in, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SimUsbDevice::readRequests);
    return true;
}

void SimUsbDevice::readRequests()
{
    char buf[65536];
    bool arrived = false;
    for (;;) {
        const ssize_t n = ::read(m_in, buf, sizeof buf);
        if (n <= 0)
            break;
        arrived = true;
        m_splitter.feed(QByteArray(buf, int(n)));
    }
    // A data block announces no length and ends with the chunk that ends in
    // 55 AA; the PC's one write of a large block reaches us in pieces, and a
    // piece may end in those bytes of the data. The block is taken once no
    // more bytes have come for a moment.
    if (arrived && m_splitter.holdsDataBlock()) {
        m_settle.start();
        return;
    }
    m_settle.stop();
    QByteArray request;
    while (m_splitter.next(request)) {
        const QByteArray reply = m_chain.handle(request, SimLink::Usb);
        emit requestHandled();
        if (reply.isEmpty())
            continue;
        const int delay = m_chain.options().delayMs;
        if (delay > 0) {
            m_chain.replyOnItsWay();
            QTimer::singleShot(delay, this, [this, reply] {
                m_chain.replyDelivered();
                writeReply(reply);
            });
        } else
            writeReply(reply);
    }
}

void SimUsbDevice::writeReply(const QByteArray &reply)
{
    if (m_out < 0)
        return; // switched off meanwhile
    // One write per reply: the PC side takes one read as one reply.
    const QByteArray data = reply + QByteArray("\x55\xAA", 2);
    const ssize_t n = ::write(m_out, data.constData(), size_t(data.size()));
    if (n != data.size())
        qCWarning(lcSimUsb) << "reply write incomplete:" << n << "of" << data.size();
}
