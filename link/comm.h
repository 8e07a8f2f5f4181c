#pragma once

// MdlComm: hides the kind of link from the rest of the program. Five
// operations (open, close, send one message, receive one message, drain),
// routed to the RS-232C, Ethernet or USB transport. Every reply it hands out
// ends with the trailer 0x55 0xAA, counted, whatever the link.
//
// The transports: link/serialtransport.h, link/ethernettransport.h,
// link/usbtransport.h, each a LinkTransport (link/transport.h). Tests of code
// above the link put link/scriptedtransport.h behind MdlComm through
// LinkEndpoints::makeTransport and answer requests in-process.

#include "link/linkstate.h"
#include "link/reconnect.h"
#include "link/transport.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class Clock;
class Dialogs;

// Where the transports reach the mixer. Filled by the application from its
// configuration and the environment; tests fill it directly.
struct LinkEndpoints
{
    QString serialPort;          // device path or port name; empty = first serial port
    quint16 tcpPort = MixerTcpPort; // ZKVR340A_TCP_PORT overrides
    QString devbridgeLibrary = QStringLiteral("devbridge"); // loaded by name at first use
    // Asked by the Ethernet open for the address to connect to. An empty
    // result means the user chose not to connect. `userChose` tells the
    // caller whether the user asked to connect at all (for the failure message).
    std::function<QString(bool &userChose)> chooseEthernetAddress;
    // How long the Ethernet open keeps trying to connect.
    double connectLimitSeconds = 30.0;
    // Whether and how a lost Ethernet connection is re-established (off
    // unless the user asked for it).
    ReconnectPolicy reconnect;
    // When set, CommOpen takes its transport from here instead of building
    // the real one for the link kind (tests put a scripted mixer behind it).
    std::function<std::unique_ptr<LinkTransport>(LinkKind)> makeTransport;
};

class MdlComm
{
public:
    MdlComm(LinkState &link, Clock &clock, Dialogs &dialogs, LinkEndpoints endpoints);
    ~MdlComm();
    MdlComm(const MdlComm &) = delete;
    MdlComm &operator=(const MdlComm &) = delete;

    // Called when the link cannot be opened, after the failure message: the
    // application ends through Disconnect. Tests leave it unset.
    std::function<void()> onOpenFailed;
    // Told of every message once the transport has taken it (its first two
    // bytes say what it is: "D","S" a value, "D","R" a read ...). The
    // command-line tool counts its writes with it.
    std::function<void(const quint8 *data, int count)> onSent;

    // Opens the link of link.linkKind; reports its own failures. Returns
    // whether the link is open (always true offline).
    bool CommOpen();
    // Closes the link and marks it closed, so every wait on it ends at once.
    // Called from a window while a transport call waits further up the stack,
    // it cancels that wait and ends the transport when the call has returned.
    void CommClose();
    // Sends bytes 0..count-1 of buffer as one message. Failures show up as a
    // missing reply.
    void CommSend(std::vector<quint8> &buffer, int count);
    // Fetches at most one received message into buffer from index 0; returns
    // its count including the 0x55 0xAA trailer, or 0 when nothing waits.
    // A message that would not fit the buffer is dropped, never copied.
    int CommReceive(std::vector<quint8> &buffer);
    // Sends one built request as one message. A request longer than a
    // message may be (SendBufferSize) is not sent, nor is an empty one.
    void send(const QByteArray &request);
    // Fetches at most one received message; returns its bytes including the
    // 0x55 0xAA trailer, or nothing when nothing waits. A message longer
    // than one reply (ReceiveBufferSize) is dropped.
    QByteArray receive();
    // Throws away whatever the mixer still sends.
    void CommDrain();

    // How far the link has got with the message CommSend took last: bytes
    // handed on (acknowledged blocks on RS-232C) out of its count. Readable
    // while the send waits, from a timer or a window.
    struct SendProgress
    {
        int handed = 0;
        int count = 0;
    };
    SendProgress sendProgress() const;

    bool isOpen() const;

    // The state of the link for the status display. Only an Ethernet link
    // can lose its connection; the others are always Up while open.
    struct LinkStatus
    {
        LinkHealth health = LinkHealth::Up;
        int attempt = 0;  // reconnect attempt under way or last made
        QString peer;     // where the link goes
    };
    LinkStatus linkStatus() const;
    // Told when the link has opened and whenever its status changed (from
    // within a socket event: show it, do not wait in here). Not told when
    // the link is closed.
    std::function<void(const LinkStatus &)> onLinkStatus;
    // Nothing can arrive: the connection is gone. The waits for replies end
    // at once instead of running out their time.
    bool linkDown() const;
    // Switches re-establishing a lost connection on or off, also while it is
    // lost (on: the first attempt goes at once).
    void setReconnect(bool enabled);
    bool reconnectEnabled() const { return m_endpoints.reconnect.enabled; }
    // Closed by CommClose since the last CommOpen: waits end at once and the
    // callers report nothing (the program is ending).
    bool closed() const { return m_link.closed; }
    // Lets events run for `seconds`, or less when the link is closed meanwhile.
    void pause(double seconds);

    LinkState &state() { return m_link; }
    Clock &clock() { return m_clock; }
    Dialogs &dialogs() { return m_dialogs; }

private:
    // The download block is built straight into the send buffer, so its
    // bytes need not be copied a second time; only the protocol does that.
    friend class MixerProtocol;
    std::vector<quint8> &downloadBlockBuffer();
    void sendBytes(const quint8 *data, int count);
    // Keeps LinkState's view of the connection with each change.
    void noteHealth(LinkHealth health);
    // The transport of a link, as the endpoints say (none offline).
    std::unique_ptr<LinkTransport> makeTransport(LinkKind kind);
    // An opened transport becomes the link; its health changes are reported.
    void adopt(std::unique_ptr<LinkTransport> transport);
    // Why the link did not open, said to the user.
    void tellOpenFailed(LinkKind kind, OpenOutcome outcome);

    struct Transports;
    // Counts calls into a transport; the last one to return ends the
    // transports closed meanwhile.
    class TransportCall;
    void endRetired();

    LinkState &m_link;
    Clock &m_clock;
    Dialogs &m_dialogs;
    LinkEndpoints m_endpoints;
    std::unique_ptr<Transports> m_transports;
    SendProgress m_send;       // of the last message CommSend took
    bool m_sendReturned = false;
    // The message buffers of the link: one reply, and (built on first use,
    // as only a download needs it) the largest message, a firmware block.
    std::vector<quint8> m_receiveBuffer = std::vector<quint8>(ReceiveBufferSize, 0);
    std::vector<quint8> m_sendBuffer;
};
