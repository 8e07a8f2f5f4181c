#include "link/comm.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/ethernettransport.h"
#include "link/serialtransport.h"
#include "link/transport.h"
#include "link/usbtransport.h"

#include <QLoggingCategory>

#include <algorithm>
#include <vector>

Q_LOGGING_CATEGORY(lcLinkComm, "zkvr.link.comm", QtCriticalMsg)

namespace {
namespace Msg {
constexpr int SerialOpenFailed = 9100;
constexpr int SerialAccessHint = 9101;
constexpr int UsbOpenFailed = 9102;
constexpr int EthernetOpenFailed = 9103;
} // namespace Msg
} // namespace

struct MdlComm::Transports
{
    std::unique_ptr<LinkTransport> active;
    LinkTransport *opening = nullptr;  // during CommOpen, owned by it
    // Closed while a call was still inside them; ended when it has returned.
    std::vector<std::unique_ptr<LinkTransport>> retired;
    int calls = 0;                     // calls into a transport on the stack
};

class MdlComm::TransportCall
{
public:
    explicit TransportCall(MdlComm &comm) : m_comm(comm) { ++m_comm.m_transports->calls; }
    ~TransportCall()
    {
        if (--m_comm.m_transports->calls == 0)
            m_comm.endRetired();
    }
    TransportCall(const TransportCall &) = delete;
    TransportCall &operator=(const TransportCall &) = delete;

private:
    MdlComm &m_comm;
};

void MdlComm::endRetired()
{
    std::vector<std::unique_ptr<LinkTransport>> retired;
    retired.swap(m_transports->retired);
    for (const auto &t : retired)
        t->close();
}

MdlComm::MdlComm(LinkState &link, Clock &clock, Dialogs &dialogs, LinkEndpoints endpoints)
    : m_link(link), m_clock(clock), m_dialogs(dialogs), m_endpoints(std::move(endpoints)),
      m_transports(std::make_unique<Transports>())
{
}

MdlComm::~MdlComm()
{
    CommClose();
    endRetired();
}

bool MdlComm::isOpen() const
{
    return m_transports->active != nullptr;
}

bool MdlComm::CommOpen()
{
    CommClose();
    m_link.closed = false;
    m_link.tuning = LinkTuning{};
    m_link.countedMixers = 0; // whatever is at the other end now has not been counted
    const LinkKind kind = m_link.linkKind;
    if (kind == LinkKind::Offline)
        return true;

    std::unique_ptr<LinkTransport> transport = makeTransport(kind);
    OpenOutcome outcome = OpenOutcome::Failed;
    if (transport) {
        // Opening waits (for the connection dialog, for the connection): the
        // program may be ended meanwhile, and CommClose then cancels this.
        TransportCall call(*this);
        m_transports->opening = transport.get();
        outcome = transport->open();
        m_transports->opening = nullptr;
        if (m_link.closed) {
            qCDebug(lcLinkComm) << "link closed while it was being opened";
            m_transports->retired.push_back(std::move(transport));
            return false;
        }
    }
    if (outcome == OpenOutcome::Opened) {
        adopt(std::move(transport));
        return true;
    }
    transport.reset();
    qCWarning(lcLinkComm) << "link" << int(kind) << "did not open";
    tellOpenFailed(kind, outcome);
    if (onOpenFailed)
        onOpenFailed();
    return false;
}

std::unique_ptr<LinkTransport> MdlComm::makeTransport(LinkKind kind)
{
    if (m_endpoints.makeTransport)
        return m_endpoints.makeTransport(kind);
    switch (kind) {
    case LinkKind::Rs232c:
        return std::make_unique<SerialTransport>(m_link, m_clock, resolveSerialPort(m_endpoints.serialPort));
    case LinkKind::Usb:
        return std::make_unique<UsbTransport>(m_clock, m_endpoints.devbridgeLibrary);
    case LinkKind::Ethernet: {
        auto ether = std::make_unique<EthernetTransport>(m_link, m_clock, resolveTcpPort(m_endpoints.tcpPort),
                                                         m_endpoints.chooseEthernetAddress);
        ether->setConnectLimit(m_endpoints.connectLimitSeconds);
        ether->setReconnectPolicy(m_endpoints.reconnect);
        return ether;
    }
    case LinkKind::Offline:
        break;
    }
    return nullptr;
}

void MdlComm::adopt(std::unique_ptr<LinkTransport> transport)
{
    m_link.health = LinkHealth::Up;
    m_link.reconnects = 0;
    transport->healthChanged = [this, t = transport.get()] {
        noteHealth(t->health());
        if (onLinkStatus)
            onLinkStatus(linkStatus());
    };
    m_transports->active = std::move(transport);
    if (onLinkStatus)
        onLinkStatus(linkStatus());
}

void MdlComm::tellOpenFailed(LinkKind kind, OpenOutcome outcome)
{
    switch (kind) {
    case LinkKind::Rs232c:
        m_dialogs.tell(str(Msg::SerialOpenFailed) + QLatin1Char('\n') + str(Msg::SerialAccessHint), MsgIcon::Error);
        break;
    case LinkKind::Usb:
        m_dialogs.tell(str(Msg::UsbOpenFailed), MsgIcon::Error);
        break;
    case LinkKind::Ethernet:
        if (outcome == OpenOutcome::Failed)
            m_dialogs.tell(str(Msg::EthernetOpenFailed), MsgIcon::Error);
        break;
    case LinkKind::Offline:
        break;
    }
}

void MdlComm::CommClose()
{
    m_link.closed = true;
    if (m_transports->opening)
        m_transports->opening->cancel();
    std::unique_ptr<LinkTransport> t = std::move(m_transports->active);
    if (!t)
        return;
    t->healthChanged = nullptr; // closed on purpose: not a lost link
    if (m_transports->calls > 0) {
        // A call into a transport is still on the stack: ending the transport
        // now would pull it out from under that call.
        t->cancel();
        m_transports->retired.push_back(std::move(t));
        return;
    }
    t->close();
}

MdlComm::LinkStatus MdlComm::linkStatus() const
{
    const LinkTransport *t = m_transports->active.get();
    if (!t)
        return {};
    return LinkStatus{t->health(), t->reconnectAttempts(), t->peer()};
}

void MdlComm::noteHealth(LinkHealth health)
{
    if (health == LinkHealth::Up && m_link.health != LinkHealth::Up)
        ++m_link.reconnects;
    m_link.health = health;
}

bool MdlComm::linkDown() const
{
    const LinkTransport *t = m_transports->active.get();
    return t && t->health() != LinkHealth::Up;
}

void MdlComm::setReconnect(bool enabled)
{
    m_endpoints.reconnect.enabled = enabled;
    if (LinkTransport *t = m_transports->active.get())
        t->setReconnect(enabled);
}

void MdlComm::pause(double seconds)
{
    m_clock.waitUntil(seconds, [this] { return m_link.closed; });
}

void MdlComm::CommSend(std::vector<quint8> &buffer, int count)
{
    sendBytes(buffer.data(), std::min(count, int(buffer.size())));
}

void MdlComm::send(const QByteArray &request)
{
    if (request.size() > SendBufferSize)
        return;
    sendBytes(reinterpret_cast<const quint8 *>(request.constData()), int(request.size()));
}

std::vector<quint8> &MdlComm::downloadBlockBuffer()
{
    if (m_sendBuffer.empty())
        m_sendBuffer.assign(size_t(SendBufferSize), 0);
    return m_sendBuffer;
}

void MdlComm::sendBytes(const quint8 *data, int count)
{
    LinkTransport *t = m_transports->active.get();
    if (!t || count <= 0)
        return;
    TransportCall call(*this);
    m_send = SendProgress{0, count};
    m_sendReturned = false;
    const bool sent = t->send(data, m_send.count);
    m_sendReturned = true;
    // What the transport handed on stays known after it has gone.
    const int handed = t->bytesHanded();
    m_send.handed = handed >= 0 ? handed : (sent ? m_send.count : 0);
    if (onSent)
        onSent(data, count);
}

MdlComm::SendProgress MdlComm::sendProgress() const
{
    const LinkTransport *t = m_transports->active.get();
    const int handed = t ? t->bytesHanded() : -1;
    if (handed >= 0)
        return SendProgress{handed, m_send.count};
    return m_sendReturned ? m_send : SendProgress{0, m_send.count};
}

int MdlComm::CommReceive(std::vector<quint8> &buffer)
{
    LinkTransport *t = m_transports->active.get();
    if (!t)
        return 0;
    TransportCall call(*this);
    if (t->deliversTrailer())
        return std::max(0, t->fetch(buffer.data(), int(buffer.size())));
    // Room is kept for the trailer: a message that would not fit with it is
    // dropped by the transport rather than written past the buffer.
    const int room = int(buffer.size()) - 2;
    if (room <= 0)
        return 0;
    const int n = t->fetch(buffer.data(), room);
    if (n <= 0)
        return 0;
    buffer[size_t(n)] = 0x55;
    buffer[size_t(n) + 1] = 0xAA;
    return n + 2;
}

QByteArray MdlComm::receive()
{
    const int n = CommReceive(m_receiveBuffer);
    return QByteArray(reinterpret_cast<const char *>(m_receiveBuffer.data()), n);
}

void MdlComm::CommDrain()
{
    std::vector<quint8> scratch(ReceiveBufferSize, 0);
    if (m_link.linkKind == LinkKind::Rs232c) {
        m_link.tuning.sendAbort = true;
        if (m_transports->active)
            m_transports->active->abortSend();
        CommReceive(scratch);
        return;
    }
    const double start = m_clock.now();
    const double limit = m_link.replyTimeout();
    for (;;) {
        CommReceive(scratch);
        const double elapsed = m_clock.now() - start;
        if (elapsed > limit || m_link.closed)
            break;
        // A little past the deadline, so a virtual clock lands beyond it.
        m_clock.waitForEvents(limit - elapsed + 0.001);
    }
    CommReceive(scratch);
}
