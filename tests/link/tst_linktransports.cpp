// The transports end to end on real wires: TCP on loopback with a mixer end
// that answers in stream frames, a pseudo-terminal with a mixer end that runs
// the block protocol with acknowledges, and devbridge over a FIFO device.

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/etherframe.h"
#include "link/ethernettransport.h"
#include "link/linkwatch.h"
#include "link/protocol.h"
#include "link/serialframe.h"
#include "link/serialtransport.h"
#include "tests/support/hexbytes.h"
#include "tests/support/testmain.h"

#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {
using Handler = std::function<QByteArray(const QByteArray &request)>;

// ---- TCP mixer end ----------------------------------------------------------
class TcpMixer : public QObject
{
public:
    explicit TcpMixer(Handler h) : m_handler(std::move(h))
    {
        QVERIFY(m_server.listen(QHostAddress::LocalHost, 0));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                s->setParent(this);
                socket = s;
                connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    const QByteArray bytes = s->readAll();
                    raw += bytes;
                    m_rx.feed(bytes);
                    QByteArray request;
                    while (m_rx.takeMessage(request)) {
                        requests << request;
                        const QByteArray reply = m_handler(request);
                        if (!reply.isEmpty())
                            s->write(splitReply ? etherFrame(reply).left(4) : etherFrame(reply));
                        if (splitReply) {
                            const QByteArray rest = etherFrame(reply).mid(4);
                            QTimer::singleShot(30, s, [s, rest] { s->write(rest); });
                        }
                    }
                });
            }
        });
    }
    quint16 port() const { return m_server.serverPort(); }
    void stopListening()
    {
        m_port = m_server.serverPort();
        m_server.close();
    }
    bool listenAgain() { return m_server.listen(QHostAddress::LocalHost, m_port); }
    int connections() const { return int(findChildren<QTcpSocket *>().size()); }

    QByteArray raw;
    QList<QByteArray> requests;
    QTcpSocket *socket = nullptr;
    bool splitReply = false;

private:
    Handler m_handler;
    QTcpServer m_server;
    quint16 m_port = 0;
    EtherReceiver m_rx;
};

// ---- serial mixer end on a pseudo-terminal ----------------------------------
class PtyMixer : public QObject
{
public:
    explicit PtyMixer(Handler h) : m_handler(std::move(h))
    {
        char name[256] = {};
        QVERIFY(::openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0);
        termios tio{};
        ::tcgetattr(m_slave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        path = QString::fromLocal8Bit(name);
        m_rx.sendAnswer = [this](const QByteArray &a) { write(a); };
        m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { readBytes(); });
    }
    ~PtyMixer() override
    {
        m_notifier.reset();
        ::close(m_master);
        ::close(m_slave);
    }

    // Puts bytes on the line as they are, outside the block protocol.
    void writeRaw(const QByteArray &bytes) { write(bytes); }

    QString path;
    QByteArray raw;                // every byte the PC put on the line
    QList<QByteArray> requests;
    int refuseFrames = 0;          // frames answered with NAK before any is taken
    int refusedFrames = 0;
    bool silent = false;           // never answers at all
    int replyAcks = 0;             // acknowledges of our reply blocks

private:
    void write(const QByteArray &bytes)
    {
        if (!silent)
            QCOMPARE(::write(m_master, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }
    void readBytes()
    {
        char buf[512];
        ssize_t n;
        while ((n = ::read(m_master, buf, sizeof buf)) > 0) {
            const QByteArray bytes(buf, int(n));
            raw += bytes;
            for (char c : bytes)
                take(quint8(c));
        }
    }
    void take(quint8 b)
    {
        if (refuseFrames > 0) {
            // Count whole frames from their length bytes and refuse each.
            m_pending.append(char(b));
            if (m_pending.size() >= 4) {
                const int len = (quint8(m_pending[2]) << 8) | quint8(m_pending[3]);
                if (m_pending.size() == len + SerialWire::FrameOverhead) {
                    m_pending.clear();
                    --refuseFrames;
                    ++refusedFrames;
                    write(serialNak());
                }
            }
            return;
        }
        const SerialReceiver::Result r = m_rx.feed(b);
        if (r.acknowledge == SerialReceiver::Acknowledge::Positive && m_block > 0) {
            ++replyAcks;
            sendNextBlock();
        }
        if (r.messageComplete) {
            const QByteArray request = m_rx.takeMessage();
            requests << request;
            m_reply = m_handler(request);
            m_block = 0;
            sendNextBlock();
        }
    }
    void sendNextBlock()
    {
        if (++m_block > serialBlockCount(int(m_reply.size()))) {
            m_block = 0;
            return;
        }
        write(serialBlockFrame(m_reply, m_block));
    }

    Handler m_handler;
    int m_master = -1;
    int m_slave = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    SerialReceiver m_rx;
    QByteArray m_pending;
    QByteArray m_reply;
    int m_block = 0;
};

// A chain of `mixers` linked mixers answering the reads used here.
QByteArray chainAnswer(const QByteArray &r, int mixers)
{
    if (r == hex("44 52 FF")) {
        QByteArray out = hex("44 52 00");
        for (int m = 0; m < mixers; ++m)
            out += QByteArray(84, char(m + 1));
        return out;
    }
    if (r == hex("54 52 FF")) {
        QByteArray out = hex("54 52 00");
        for (int m = 0; m < mixers; ++m)
            out += hex("00 40");
        return out;
    }
    if (r.startsWith("MN"))
        return hex("4D 4E 00 01");
    if (r.startsWith("L"))
        return QByteArray("L") + r.mid(1, 1) + QByteArray(1, '\0');
    return {};
}

struct PcEnd
{
    LinkState link;
    SystemClock clock;
    ScriptedDialogs dialogs;
    std::unique_ptr<MdlComm> comm;
    int ended = 0;

    PcEnd(LinkKind kind, LinkEndpoints ep)
    {
        link.linkKind = kind;
        comm = std::make_unique<MdlComm>(link, clock, dialogs, std::move(ep));
        comm->onOpenFailed = [this] { ++ended; };
    }
};
} // namespace

class TestLinkTransports : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void tcpExchange();
    void tcpSplitAndJoinedReplies();
    void tcpOpenFailures();
    void tcpLostConnection();
    void tcpReconnects();
    void reconnectedAtTheClocksTime();
    void tcpSendNotCompletedAndBusy();
    void closeWhileASendWaits_data();
    void closeWhileASendWaits();

    void serialExchange();
    void serialRetriesAfterRefusal();
    void serialGivesUpAfterThreeRefusals();
    void serialSilentPeerAndBusy();
    void serialGapWatchdogDropsStalledFrame();
    void serialOpenFailure();
    void portChoiceFromEnvironment();

    void usbThroughDevbridge();
};

void TestLinkTransports::initTestCase()
{
    // The run scripts point the program at virtual mixers through these.
    qunsetenv("ZKVR340A_SERIAL_PORT");
    qunsetenv("ZKVR340A_TCP_PORT");
}

void TestLinkTransports::tcpExchange()
{
    TcpMixer mixer([](const QByteArray &r) { return chainAnswer(r, 3); });
    LinkEndpoints ep;
    ep.tcpPort = mixer.port();
    ep.chooseEthernetAddress = [](bool &chose) { chose = true; return QStringLiteral("127.0.0.1"); };
    PcEnd pc(LinkKind::Ethernet, std::move(ep));
    QVERIFY(pc.comm->CommOpen());
    QTRY_VERIFY_WITH_TIMEOUT(mixer.socket != nullptr, 5000);
    QCOMPARE(mixer.socket->peerAddress(), QHostAddress(QHostAddress::LocalHost));

    const auto data = sendAndWait(*pc.comm, dataReadAllRequest(), ReplyRule::DataAll);
    QVERIFY(data);
    QCOMPARE(data->size(), 3 + 3 * 84);
    QCOMPARE(mixer.raw.left(9), hex("AA 55 00 00 00 03 44 52 FF"));

    MixerProtocol p(*pc.comm);
    const Reply r = p.sendAndWait(thresholdReadAllRequest());
    QCOMPARE(r.count(), 3 + 3 * 2 + 2);
    QCOMPARE(thresholdAllMixerCount(r.data(), r.count()), 3);
    pc.comm->CommClose();
    QVERIFY(!pc.comm->isOpen());
}

void TestLinkTransports::tcpSplitAndJoinedReplies()
{
    TcpMixer mixer([](const QByteArray &r) { return chainAnswer(r, 1); });
    LinkEndpoints ep;
    ep.tcpPort = mixer.port();
    ep.chooseEthernetAddress = [](bool &chose) { chose = true; return QStringLiteral("127.0.0.1"); };
    PcEnd pc(LinkKind::Ethernet, std::move(ep));
    QVERIFY(pc.comm->CommOpen());

    // A reply split inside its length bytes still completes.
    mixer.splitReply = true;
    QVERIFY(sendAndWait(*pc.comm, modelRequest(1)));
    mixer.splitReply = false;

    // Two replies in one segment: only the later is there to fetch.
    QTRY_VERIFY_WITH_TIMEOUT(mixer.socket != nullptr, 5000);
    mixer.socket->write(etherFrame(hex("41 4D 00")) + etherFrame(hex("41 4D 00 01 02")));
    std::vector<quint8> rb(ReceiveBufferSize);
    int n = 0;
    // The condition is evaluated once more after it held: keep the first count.
    QTRY_VERIFY_WITH_TIMEOUT((n = n > 0 ? n : pc.comm->CommReceive(rb)) > 0, 5000);
    QCOMPARE(n, 7);
    QCOMPARE(pc.comm->CommReceive(rb), 0);
}

void TestLinkTransports::tcpOpenFailures()
{
    quint16 closedPort = 0;
    {
        QTcpServer s;
        QVERIFY(s.listen(QHostAddress::LocalHost, 0));
        closedPort = s.serverPort();
    }
    LinkEndpoints ep;
    ep.tcpPort = closedPort;
    ep.connectLimitSeconds = 0.6;
    ep.chooseEthernetAddress = [](bool &chose) { chose = true; return QStringLiteral("127.0.0.1"); };
    PcEnd refused(LinkKind::Ethernet, ep);
    const double start = refused.clock.now();
    QVERIFY(!refused.comm->CommOpen());
    QVERIFY(refused.clock.now() - start >= 0.6);
    QCOMPARE(refused.dialogs.texts(), QStringList{str(9103)});
    QCOMPARE(refused.ended, 1);

    ep.chooseEthernetAddress = [](bool &chose) { chose = false; return QString(); };
    PcEnd declined(LinkKind::Ethernet, ep);
    QVERIFY(!declined.comm->CommOpen());
    QVERIFY(declined.dialogs.shown.empty());
    QCOMPARE(declined.ended, 1);

    // The program ended while it still tries to connect: the attempts stop
    // at once, with no failure message and no second ending.
    ep.connectLimitSeconds = 30;
    ep.chooseEthernetAddress = [](bool &chose) { chose = true; return QStringLiteral("127.0.0.1"); };
    PcEnd quit(LinkKind::Ethernet, ep);
    QTimer::singleShot(300, this, [&] { quit.comm->CommClose(); });
    const double s2 = quit.clock.now();
    QVERIFY(!quit.comm->CommOpen());
    QVERIFY(quit.clock.now() - s2 < 1.0);
    QVERIFY(quit.dialogs.shown.empty());
    QCOMPARE(quit.ended, 0);
}

// What the status line and the message boxes got from a link.
struct WatchedLink
{
    QStringList lines;
    QList<MdlComm::LinkStatus> statuses;
    std::unique_ptr<TimeOfDay> time;
    std::unique_ptr<LinkWatch> watch;

    void attach(PcEnd &pc)
    {
        time = std::make_unique<TimeOfDay>(pc.clock);
        watch = std::make_unique<LinkWatch>(pc.dialogs, *time, [this](const QString &line) { lines << line; });
        pc.comm->onLinkStatus = [this](const MdlComm::LinkStatus &s) {
            statuses << s;
            watch->changed(s);
        };
        watch->opened(pc.comm->linkStatus());
    }
};

LinkEndpoints loopbackEndpoints(quint16 port)
{
    LinkEndpoints ep;
    ep.tcpPort = port;
    ep.chooseEthernetAddress = [](bool &chose) { chose = true; return QStringLiteral("127.0.0.1"); };
    return ep;
}

void TestLinkTransports::tcpLostConnection()
{
    // Without the reconnect option a lost connection stays lost: it is said
    // once, in the status line and in one message, and the waits for replies
    // end at once instead of running out their time.
    TcpMixer mixer([](const QByteArray &r) { return chainAnswer(r, 1); });
    LinkEndpoints ep = loopbackEndpoints(mixer.port());
    ep.reconnect.firstDelay = 0.01; // were it to reconnect, it would at once
    PcEnd pc(LinkKind::Ethernet, ep);
    QVERIFY(pc.comm->CommOpen());
    WatchedLink watched;
    watched.attach(pc);
    QVERIFY(sendAndWait(*pc.comm, modelRequest(1)));
    QVERIFY(!pc.comm->linkDown());

    mixer.socket->abort();
    QTRY_VERIFY_WITH_TIMEOUT(pc.comm->linkDown(), 5000);
    QCOMPARE(pc.comm->linkStatus().health, LinkHealth::Lost);
    const double start = pc.clock.now();
    QVERIFY(!sendAndWait(*pc.comm, modelRequest(1)));
    QVERIFY2(pc.clock.now() - start < 0.1, qPrintable(QString::number(pc.clock.now() - start)));
    QTest::qWait(100);
    QCOMPARE(mixer.connections(), 1);
    QCOMPARE(watched.lines, (QStringList{str(10752).arg("127.0.0.1"), str(10753).arg("127.0.0.1")}));
    QCOMPARE(pc.dialogs.texts(), QStringList{str(10755)});
    QCOMPARE(pc.dialogs.shown[0].icon, MsgIcon::Error);

    // Closing the link on purpose reports nothing more.
    pc.comm->CommClose();
    QCOMPARE(watched.statuses.size(), 1);
}

void TestLinkTransports::reconnectedAtTheClocksTime()
{
    // The time a connection came back is read on the program's clock, like
    // every other time it shows.
    ManualClock clock(500.0);
    const TimeOfDay time(clock, QDateTime(QDate(2026, 12, 9), QTime(10, 42, 0)));
    ScriptedDialogs dialogs;
    QStringList lines;
    LinkWatch watch(dialogs, time, [&](const QString &line) { lines << line; });
    MdlComm::LinkStatus status{LinkHealth::Up, 0, QStringLiteral("127.0.0.1")};
    watch.opened(status);
    clock.advance(3.0);
    status.health = LinkHealth::Reconnecting;
    status.attempt = 1;
    watch.changed(status);
    clock.advance(4.2);
    status.health = LinkHealth::Up;
    watch.changed(status);
    QCOMPARE(lines, (QStringList{str(10752).arg("127.0.0.1"), str(10754).arg("127.0.0.1").arg(1),
                                 str(10757).arg("127.0.0.1", "10:42:07")}));
}

void TestLinkTransports::tcpReconnects()
{
    // With the option on, the link keeps trying, each wait longer than the
    // last, and says so in the status line only; once the mixer is back the
    // exchange goes on, with nothing of the old connection's half frame.
    TcpMixer mixer([](const QByteArray &r) { return chainAnswer(r, 1); });
    LinkEndpoints ep = loopbackEndpoints(mixer.port());
    ep.reconnect.enabled = true;
    ep.reconnect.firstDelay = 0.05;
    ep.reconnect.maxDelay = 0.4;
    PcEnd pc(LinkKind::Ethernet, ep);
    QVERIFY(pc.comm->CommOpen());
    WatchedLink watched;
    watched.attach(pc);
    QVERIFY(sendAndWait(*pc.comm, modelRequest(1)));

    QList<double> attemptsAt;
    pc.comm->onLinkStatus = [&](const MdlComm::LinkStatus &s) {
        watched.statuses << s;
        watched.watch->changed(s);
        if (s.health == LinkHealth::Reconnecting && s.attempt > attemptsAt.size())
            attemptsAt << pc.clock.now();
    };
    mixer.stopListening();
    mixer.socket->write(hex("AA 55 00 00 00 04 4D 4E")); // cut short by the loss
    mixer.socket->disconnectFromHost();
    QTRY_VERIFY_WITH_TIMEOUT(attemptsAt.size() >= 4, 5000);
    QCOMPARE(pc.comm->linkStatus().health, LinkHealth::Reconnecting);
    // Refused at once, each attempt waits twice as long as the one before.
    QVERIFY2(attemptsAt[3] - attemptsAt[2] > 1.5 * (attemptsAt[2] - attemptsAt[1]),
             qPrintable(QString("%1 %2 %3").arg(attemptsAt[1]).arg(attemptsAt[2]).arg(attemptsAt[3])));
    QVERIFY(!sendAndWait(*pc.comm, modelRequest(1)));

    // Switched off meanwhile: lost, and said so; on again: back at once.
    pc.comm->setReconnect(false);
    QCOMPARE(pc.comm->linkStatus().health, LinkHealth::Lost);
    QVERIFY(mixer.listenAgain());
    pc.comm->setReconnect(true);
    QTRY_COMPARE_WITH_TIMEOUT(pc.comm->linkStatus().health, LinkHealth::Up, 5000);
    const auto reply = sendAndWait(*pc.comm, modelRequest(1));
    QVERIFY(reply);
    QCOMPARE(reply->toHex(' '), QByteArray("4d 4e 00 01"));
    QCOMPARE(watched.lines.first(), str(10752).arg("127.0.0.1"));
    QCOMPARE(watched.lines[1], str(10754).arg("127.0.0.1").arg(1));
    QVERIFY(watched.lines.contains(str(10754).arg("127.0.0.1").arg(3)));
    QVERIFY(watched.lines.last().startsWith(str(10757).arg("127.0.0.1", "").chopped(1)));
    // Only the loss that was not being repaired got its message.
    QCOMPARE(pc.dialogs.texts(), QStringList{str(10755)});
}

void TestLinkTransports::tcpSendNotCompletedAndBusy()
{
    // A peer that never reads: the system's buffers fill, the send cannot
    // complete within its 500 ms, and the next one finds the link failed. (Left alone, the server's socket
    // would read everything into its own buffer.)
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    connect(&server, &QTcpServer::newConnection, this, [&server] {
        while (QTcpSocket *s = server.nextPendingConnection()) {
            s->setParent(&server);
            s->setReadBufferSize(1024);
        }
    });
    LinkState link;
    SystemClock clock;
    EthernetTransport t(link, clock, server.serverPort(), [](bool &chose) {
        chose = true;
        return QStringLiteral("127.0.0.1");
    });
    QCOMPARE(t.open(), OpenOutcome::Opened);
    // More than loopback buffers hold even fully grown.
    const QByteArray huge(64 * 1024 * 1024, '\x01');
    bool nestedRan = false;
    bool nestedResult = true;
    QTimer::singleShot(100, [&] {
        nestedRan = true;
        nestedResult = t.send(reinterpret_cast<const quint8 *>("AM\x01"), 3);
    });
    const double start = clock.now();
    QVERIFY(!t.send(reinterpret_cast<const quint8 *>(huge.constData()), int(huge.size())));
    const double took = clock.now() - start;
    QVERIFY2(took >= 0.5 && took < 2.0, qPrintable(QString::number(took)));
    QVERIFY(nestedRan);
    QVERIFY(!nestedResult);
    QVERIFY(t.sendReady());
    // The peer has stalled: the next message is not queued behind the
    // unsent bytes, the connection is given up instead and stays down.
    QVERIFY(!t.send(reinterpret_cast<const quint8 *>("AM\x01"), 3));
    QVERIFY(!t.connected());
    QVERIFY(!t.send(reinterpret_cast<const quint8 *>("AM\x01"), 3));
}

void TestLinkTransports::closeWhileASendWaits_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("serial, silent mixer") << int(LinkKind::Rs232c);
    QTest::newRow("ethernet, stalled mixer") << int(LinkKind::Ethernet);
}

void TestLinkTransports::closeWhileASendWaits()
{
    // The main window closes while a send waits for its acknowledge (serial)
    // or for the socket to take it (Ethernet): the send ends at once and the
    // transport is ended only after it has returned.
    QFETCH(int, kind);
    PtyMixer pty([](const QByteArray &) { return QByteArray(); });
    pty.silent = true;
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    connect(&server, &QTcpServer::newConnection, this, [&server] {
        while (QTcpSocket *s = server.nextPendingConnection()) {
            s->setParent(&server);
            s->setReadBufferSize(1024);
        }
    });
    LinkEndpoints ep;
    ep.serialPort = pty.path;
    ep.tcpPort = server.serverPort();
    ep.chooseEthernetAddress = [](bool &chose) { chose = true; return QStringLiteral("127.0.0.1"); };
    PcEnd pc(LinkKind(kind), std::move(ep));
    // A send that did not end with the close would wait out this long wait
    // for its acknowledge or completion: far beyond what a busy machine
    // needs to build the frame and close.
    pc.link.tuning.ackWaitMs = 20000;
    QVERIFY(pc.comm->CommOpen());
    // Big enough that the loopback buffers cannot take it.
    std::vector<quint8> message(kind == int(LinkKind::Ethernet) ? 64 * 1024 * 1024 : 3, 0x41);
    QTimer::singleShot(100, this, [&] { pc.comm->CommClose(); });
    const double start = pc.clock.now();
    pc.comm->CommSend(message, int(message.size()));
    const double took = pc.clock.now() - start;
    QVERIFY2(took < 5.0, qPrintable(QString::number(took)));
    QVERIFY(!pc.comm->isOpen());
    QVERIFY(pc.comm->closed());
    // Nothing more goes out.
    const qsizetype written = pty.raw.size();
    pc.comm->CommSend(message, 3);
    QTest::qWait(50);
    QCOMPARE(pty.raw.size(), written);
}

void TestLinkTransports::serialExchange()
{
    PtyMixer mixer([](const QByteArray &r) { return chainAnswer(r, 2); });
    LinkEndpoints ep;
    ep.serialPort = mixer.path;
    PcEnd pc(LinkKind::Rs232c, std::move(ep));
    QVERIFY(pc.comm->CommOpen());

    const auto t = sendAndWait(*pc.comm, thresholdReadAllRequest(), ReplyRule::ThresholdAll);
    QVERIFY(t);
    QCOMPARE(*t, hex("54 52 00 00 40 00 40"));
    QCOMPARE(mixer.raw.left(14), hex("AA 55 00 03 00 00 00 01 54 52 FF 5B 55 AA"));
    // Our reply block was acknowledged by the PC.
    QTRY_COMPARE_WITH_TIMEOUT(mixer.raw.mid(14), hex("A5 00"), 5000);

    // Three reply blocks for two data blocks; a two-block download request.
    const auto d = sendAndWait(*pc.comm, dataReadAllRequest(), ReplyRule::DataAll);
    QVERIFY(d);
    QCOMPARE(d->size(), 3 + 2 * 84);
    // Each reply block went out only after the previous one was acknowledged,
    // and the PC acknowledged all four (one for TR, three for DR).
    QTRY_COMPARE_WITH_TIMEOUT(mixer.replyAcks, 4, 5000);
    const QByteArray chunk(100, '\x5A');
    QVERIFY(sendAndWait(*pc.comm, downloadDataRequest(4, chunk)));
    QCOMPARE(mixer.requests.last(), downloadDataRequest(4, chunk));
}

void TestLinkTransports::serialRetriesAfterRefusal()
{
    PtyMixer mixer([](const QByteArray &r) { return chainAnswer(r, 1); });
    mixer.refuseFrames = 2;
    LinkState link;
    SystemClock clock;
    SerialTransport t(link, clock, mixer.path);
    QCOMPARE(t.open(), OpenOutcome::Opened);
    QVERIFY(t.send(reinterpret_cast<const quint8 *>("MN\x01"), 3));
    QCOMPARE(mixer.refusedFrames, 2);
    // The same block, with the same number, went out three times.
    const QByteArray frame = serialFrames(hex("4D 4E 01"));
    QCOMPARE(mixer.raw, frame.repeated(3));
    QCOMPARE(mixer.requests, QList<QByteArray>{hex("4D 4E 01")});
    // And the reply arrives.
    std::vector<quint8> buf(ReceiveBufferSize);
    int n = 0;
    QTRY_VERIFY_WITH_TIMEOUT((n = n > 0 ? n : t.fetch(buf.data(), int(buf.size()))) > 0, 5000);
    QCOMPARE(n, 4);
}

void TestLinkTransports::serialGivesUpAfterThreeRefusals()
{
    PtyMixer mixer([](const QByteArray &r) { return chainAnswer(r, 1); });
    mixer.refuseFrames = 3;
    LinkState link;
    SystemClock clock;
    SerialTransport t(link, clock, mixer.path);
    QCOMPARE(t.open(), OpenOutcome::Opened);
    QByteArray msg(70, '\x01'); // two blocks: the first never gets through
    QVERIFY(!t.send(reinterpret_cast<const quint8 *>(msg.constData()), int(msg.size())));
    QCOMPARE(mixer.refusedFrames, 3);
    QCOMPARE(mixer.raw, serialBlockFrame(msg, 1).repeated(3));
    QVERIFY(!t.sendBusy());
}

void TestLinkTransports::serialSilentPeerAndBusy()
{
    PtyMixer mixer([](const QByteArray &) { return QByteArray(); });
    mixer.silent = true;
    LinkState link;
    SystemClock clock;
    SerialTransport t(link, clock, mixer.path);
    QCOMPARE(t.open(), OpenOutcome::Opened);
    // A second send started while the first waits is refused at once.
    bool nestedResult = true;
    bool nestedRan = false;
    QTimer::singleShot(100, [&] {
        nestedRan = true;
        nestedResult = t.send(reinterpret_cast<const quint8 *>("AM\x01"), 3);
    });
    const double start = clock.now();
    QVERIFY(!t.send(reinterpret_cast<const quint8 *>("AM\x01"), 3));
    const double took = clock.now() - start;
    QVERIFY2(took >= 1.49 && took < 3.0, qPrintable(QString::number(took)));
    QVERIFY(nestedRan);
    QVERIFY(!nestedResult);

    // After a drain the next send writes its block and gives up at once.
    link.tuning.sendAbort = false;
    t.abortSend();
    const double s2 = clock.now();
    QVERIFY(!t.send(reinterpret_cast<const quint8 *>("AM\x01"), 3));
    QVERIFY(clock.now() - s2 < 0.2);
    QVERIFY(!link.tuning.sendAbort);
    QTRY_COMPARE_WITH_TIMEOUT(mixer.raw.size(), 4 * 14, 5000);
}

void TestLinkTransports::serialGapWatchdogDropsStalledFrame()
{
    PtyMixer mixer([](const QByteArray &) { return QByteArray(); });
    LinkState link;
    SystemClock clock;
    SerialTransport t(link, clock, mixer.path);
    QCOMPARE(t.open(), OpenOutcome::Opened);
    // A frame that stops after its first data byte...
    mixer.writeRaw(hex("AA 55 00 05 00 00 00 01 41"));
    QTRY_COMPARE_WITH_TIMEOUT(t.frameState(), 8, 5000);
    // ...is given up after 100 ms without bytes, so the next frame is read
    // from its start instead of as the rest of the stalled one.
    QTRY_COMPARE_WITH_TIMEOUT(t.frameState(), 0, 5000);
    mixer.writeRaw(serialFrames(hex("4D 4E 00 01")));
    std::vector<quint8> buf(ReceiveBufferSize);
    int n = 0;
    QTRY_VERIFY_WITH_TIMEOUT((n = n > 0 ? n : t.fetch(buf.data(), int(buf.size()))) > 0, 5000);
    QCOMPARE(n, 4);
    QTRY_COMPARE_WITH_TIMEOUT(mixer.raw, hex("A5 00"), 5000);
}

void TestLinkTransports::serialOpenFailure()
{
    LinkEndpoints ep;
    ep.serialPort = QStringLiteral("/nonexistent/ttyZK0");
    PcEnd pc(LinkKind::Rs232c, std::move(ep));
    QVERIFY(!pc.comm->CommOpen());
    QCOMPARE(pc.dialogs.texts(), QStringList{str(9100) + QLatin1Char('\n') + str(9101)});
    QCOMPARE(pc.dialogs.shown[0].icon, MsgIcon::Error);
    QCOMPARE(pc.ended, 1);
}

void TestLinkTransports::portChoiceFromEnvironment()
{
    QCOMPARE(resolveSerialPort(QStringLiteral("/dev/ttyS3")), QStringLiteral("/dev/ttyS3"));
    qputenv("ZKVR340A_SERIAL_PORT", "/dev/pts/77");
    QCOMPARE(resolveSerialPort(QStringLiteral("/dev/ttyS3")), QStringLiteral("/dev/pts/77"));
    qunsetenv("ZKVR340A_SERIAL_PORT");

    QCOMPARE(resolveTcpPort(1001), quint16(1001));
    qputenv("ZKVR340A_TCP_PORT", "40123");
    QCOMPARE(resolveTcpPort(1001), quint16(40123));
    qputenv("ZKVR340A_TCP_PORT", "70000");
    QCOMPARE(resolveTcpPort(1001), quint16(1001));
    qunsetenv("ZKVR340A_TCP_PORT");
}

void TestLinkTransports::usbThroughDevbridge()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString dev = root.filePath(QStringLiteral("zkvr0"));
    QVERIFY(QDir().mkpath(dev));
    const QByteArray toMixer = (dev + QStringLiteral("/PIPE00")).toLocal8Bit();
    const QByteArray fromMixer = (dev + QStringLiteral("/PIPE01")).toLocal8Bit();
    QCOMPARE(::mkfifo(toMixer.constData(), 0600), 0);
    QCOMPARE(::mkfifo(fromMixer.constData(), 0600), 0);
    // The mixer end holds both pipes open for as long as the device exists.
    const int in = ::open(toMixer.constData(), O_RDWR | O_NONBLOCK);
    const int out = ::open(fromMixer.constData(), O_RDWR | O_NONBLOCK);
    QVERIFY(in >= 0 && out >= 0);
    qputenv("DEVBRIDGE_DEVICE_ROOT", root.path().toLocal8Bit());
    qputenv("DEVBRIDGE_READ_TIMEOUT_MS", "30");

    QByteArray seen;
    bool answering = true;
    QSocketNotifier notifier(in, QSocketNotifier::Read);
    connect(&notifier, &QSocketNotifier::activated, this, [&] {
        char buf[4096];
        ssize_t n;
        while ((n = ::read(in, buf, sizeof buf)) > 0)
            seen += QByteArray(buf, int(n));
        if (answering && seen.endsWith(hex("55 AA"))) {
            const QByteArray reply = chainAnswer(seen.chopped(2), 1) + hex("55 AA");
            QCOMPARE(::write(out, reply.constData(), size_t(reply.size())), ssize_t(reply.size()));
        }
    });

    PcEnd pc(LinkKind::Usb, LinkEndpoints{});
    QVERIFY2(pc.comm->CommOpen(), qPrintable(pc.dialogs.texts().join('|')));
    const auto m = sendAndWait(*pc.comm, modelRequest(1));
    QVERIFY(m);
    QCOMPARE(*m, hex("4D 4E 00 01"));
    QCOMPARE(seen, hex("4D 4E 01 55 AA"));

    // A mixer that keeps silent: devbridge waits 1.5 s for the first byte,
    // and the receive waits for that read to give up, as the device read
    // would; but the program keeps running its events meanwhile.
    qputenv("DEVBRIDGE_READ_TIMEOUT_MS", "1500");
    answering = false;
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
    ticker.start(50);
    const double start = pc.clock.now();
    QVERIFY(!sendAndWait(*pc.comm, modelRequest(1)));
    const double took = pc.clock.now() - start;
    ticker.stop();
    QVERIFY2(took > 0.79 && took < 2.5, qPrintable(QString::number(took)));
    QVERIFY2(ticks >= 15, qPrintable(QString::number(ticks)));
    // A receive with nothing owed reads nothing: it comes back at once.
    const double idle = pc.clock.now();
    std::vector<quint8> buf(ReceiveBufferSize);
    QCOMPARE(pc.comm->CommReceive(buf), 0);
    QVERIFY(pc.clock.now() - idle < 0.1);
    qputenv("DEVBRIDGE_READ_TIMEOUT_MS", "30");
    answering = true;

    // The device unplugged: later transfers fail without a word.
    QVERIFY(QDir(dev).removeRecursively());
    QVERIFY(!sendAndWait(*pc.comm, modelRequest(1)));
    QVERIFY(pc.dialogs.shown.empty());
    ::close(in);
    ::close(out);
    qunsetenv("DEVBRIDGE_DEVICE_ROOT");
    qunsetenv("DEVBRIDGE_READ_TIMEOUT_MS");
}

ZK_TEST_GUILESS_MAIN(TestLinkTransports)
#include "tst_linktransports.moc"
