// The zkvr340a-sim program over its real endpoints: TCP on loopback, the
// pseudo-terminal it creates, and its FIFO pair. Bytes are written out in
// full here, as they travel on each link.

#include "tests/support/simprocess.h"
#include "tests/support/testmain.h"

#include <QProcess>
#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text));
}

using Sim = SimProcess;

// The PC end of the pseudo-terminal, raw.
struct Pty
{
    int fd = -1;
    QByteArray in;
    bool open(const QString &path)
    {
        fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return false;
        termios t{};
        ::tcgetattr(fd, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(fd, TCSANOW, &t);
        return true;
    }
    bool write(const QByteArray &b) { return ::write(fd, b.constData(), size_t(b.size())) == b.size(); }
    // Reads what arrived; true once at least `n` bytes wait.
    bool has(int n)
    {
        char buf[1024];
        ssize_t got;
        while ((got = ::read(fd, buf, sizeof buf)) > 0)
            in.append(buf, int(got));
        return in.size() >= n;
    }
    QByteArray take(int n)
    {
        const QByteArray out = in.left(n);
        in.remove(0, n);
        return out;
    }
    ~Pty()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

class TstSimProcess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void usageErrors();
    void tcp_data();
    void tcp();
    void tcpFrameSplitAcrossWrites();
    void delayHoldsReplies();
    void cutAfterDropsEachConnection();
    void serialRequestAndReply();
    void serialMultiBlockReply();
    void serialResendsAfterNegativeAcknowledge();
    void usbPipes();
    void searchReply();
    void signalEndsCleanly();
};

void TstSimProcess::initTestCase()
{
    QVERIFY2(QFileInfo(testBinary("zkvr340a-sim")).isExecutable(), qPrintable(testBinary("zkvr340a-sim")));
}

void TstSimProcess::usageErrors()
{
    QProcess p;
    p.start(testBinary("zkvr340a-sim"), {QStringLiteral("--mixers"), QStringLiteral("0"), QStringLiteral("--tcp"), QStringLiteral("0")});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("usage:"));
    // Listening anywhere but on loopback is refused.
    p.start(testBinary("zkvr340a-sim"), {QStringLiteral("--tcp"), QStringLiteral("0.0.0.0:0")});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 1);
}

void TstSimProcess::tcp_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("back");
    // Frame: AA 55, 4-byte length, message.
    QTest::newRow("TR 255, two mixers") << hex("aa55000000035452ff") << hex("aa5500000007545200006400" "64");
    QTest::newRow("MN 2") << hex("aa5500000003" "4d4e02") << hex("aa5500000004" "4d4e0001");
    QTest::newRow("DS") << hex("aa5500000005" "4453022b28") << hex("aa5500000003" "445300");
    QTest::newRow("two frames in one write")
        << hex("aa5500000003" "4d4e01" "aa5500000004" "45520105")
        << hex("aa5500000004" "4d4e0001" "aa5500000007" "455200" "00000000");
    QTest::newRow("IR") << hex("aa5500000003" "495201")
                        << hex("aa5500000018" "495200" "c0a864c8" "00" "000e") + "administrator" + hex("00");
}

void TstSimProcess::tcp()
{
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, back);
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--mixers", "2"}));
    const QString ep = sim.endpoints.value("tcp");
    QVERIFY2(ep.startsWith("127.0.0.1:"), qPrintable(ep));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(ep.section(':', 1).toUInt()));
    QVERIFY(socket.waitForConnected(5000));
    socket.write(out);
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT((got += socket.readAll()).size() >= back.size(), 5000);
    QCOMPARE(got.toHex(' '), back.toHex(' '));
}

void TstSimProcess::tcpFrameSplitAcrossWrites()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "127.0.0.1:0", "--mixers", "3"}));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(sim.endpoints.value("tcp").section(':', 1).toUInt()));
    QVERIFY(socket.waitForConnected(5000));
    // Junk, then a DS, then DR 255 whose frame is split after its length bytes.
    socket.write(hex("0102aa"));
    socket.write(hex("aa5500000005" "4453032b28" "aa5500000003"));
    socket.flush();
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT((got += socket.readAll()).size() >= 9, 5000);
    QCOMPARE(got.toHex(' '), hex("aa5500000003445300").toHex(' '));
    got.clear();
    socket.write(hex("4452ff"));
    const int replyLen = 6 + 3 + 84 * 3;
    QTRY_VERIFY_WITH_TIMEOUT((got += socket.readAll()).size() >= replyLen, 5000);
    QCOMPARE(got.size(), replyLen);
    QCOMPARE(got.left(9).toHex(' '), hex("aa55000000ff" "445200").toHex(' '));
    QCOMPARE(quint8(got[9 + 168 + 42]), quint8(0x28)); // mixer 3 InputGain_3
}

void TstSimProcess::delayHoldsReplies()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--delay", "300"}));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(sim.endpoints.value("tcp").section(':', 1).toUInt()));
    QVERIFY(socket.waitForConnected(5000));
    QElapsedTimer timer;
    timer.start();
    socket.write(hex("aa5500000003" "4d4e01"));
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT((got += socket.readAll()).size() >= 10, 5000);
    QVERIFY2(timer.elapsed() >= 290, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(got, hex("aa5500000004" "4d4e0001"));
}

void TstSimProcess::cutAfterDropsEachConnection()
{
    Sim sim;
    QVERIFY(sim.start({"--tcp", "0", "--cut-after", "2"}));
    const quint16 port = quint16(sim.endpoints.value("tcp").section(':', 1).toUInt());
    // Each connection answers its first request and is dropped at its
    // second, whose write still takes effect; a new connection is taken.
    for (int round = 0; round < 2; ++round) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(socket.waitForConnected(5000));
        socket.write(hex("aa5500000003" "4d4e01"));
        QByteArray got;
        QTRY_VERIFY_WITH_TIMEOUT((got += socket.readAll()).size() >= 10, 5000);
        socket.write(hex("aa5500000005" "44530101") + char(20 + round));
        QTRY_VERIFY_WITH_TIMEOUT(socket.state() == QAbstractSocket::UnconnectedState, 5000);
        QCOMPARE(got + socket.readAll(), hex("aa5500000004" "4d4e0001"));
    }
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(socket.waitForConnected(5000));
    socket.write(hex("aa5500000003" "445201"));
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT((got += socket.readAll()).size() >= 9 + 84, 5000);
    QCOMPARE(quint8(got[9]), quint8(21)); // InputLevel(1) of the second dropped write
}

void TstSimProcess::serialRequestAndReply()
{
    Sim sim;
    QVERIFY(sim.start({"--serial", "--mixers", "2"}));
    Pty pty;
    QVERIFY(pty.open(sim.endpoints.value("serial")));
    // TR 255 in one block: the mixer acknowledges, then replies in one block.
    QVERIFY(pty.write(hex("aa550003000000015452ff5b55aa")));
    QTRY_VERIFY_WITH_TIMEOUT(pty.has(2), 5000);
    QCOMPARE(pty.take(2).toHex(' '), hex("a500").toHex(' '));
    // Reply "TR" 0 00 64 00 64: 7 bytes, checksum makes the sum 0.
    const QByteArray data = hex("54520000640064");
    quint8 sum = 0;
    for (char c : data)
        sum = quint8(sum + quint8(c));
    const QByteArray frame = hex("aa55000700000001") + data + QByteArray(1, char(quint8(-sum))) + hex("55aa");
    QTRY_VERIFY_WITH_TIMEOUT(pty.has(frame.size()), 5000);
    QCOMPARE(pty.take(frame.size()).toHex(' '), frame.toHex(' '));
    QVERIFY(pty.write(hex("a500")));
    // A frame with a bad checksum gets a negative acknowledge.
    QVERIFY(pty.write(hex("aa550003000000015452ff0055aa")));
    QTRY_VERIFY_WITH_TIMEOUT(pty.has(2), 5000);
    QCOMPARE(pty.take(2).toHex(' '), hex("a5ff").toHex(' '));
}

void TstSimProcess::serialMultiBlockReply()
{
    Sim sim;
    QVERIFY(sim.start({"--serial"}));
    Pty pty;
    QVERIFY(pty.open(sim.endpoints.value("serial")));
    QVERIFY(pty.write(hex("aa550003000000014452ff" "6b55aa")));
    QTRY_VERIFY_WITH_TIMEOUT(pty.has(2), 5000);
    QCOMPARE(pty.take(2), hex("a500"));
    // 87-byte reply: a 64-byte block ending 55 55, then 23 bytes ending 55 AA.
    QTRY_VERIFY_WITH_TIMEOUT(pty.has(75), 5000);
    const QByteArray first = pty.take(75);
    QCOMPARE(first.left(8), hex("aa55004000000001"));
    QCOMPARE(first.mid(8, 3), QByteArray("DR\0", 3));
    QCOMPARE(first.right(2), hex("5555"));
    QVERIFY(!pty.has(1)); // the second block waits for the acknowledge
    QVERIFY(pty.write(hex("a500")));
    QTRY_VERIFY_WITH_TIMEOUT(pty.has(34), 5000);
    const QByteArray second = pty.take(34);
    QCOMPARE(second.left(8), hex("aa55001700000002"));
    QCOMPARE(second.right(2), hex("55aa"));
    QVERIFY(pty.write(hex("a500")));
}

void TstSimProcess::serialResendsAfterNegativeAcknowledge()
{
    Sim sim;
    QVERIFY(sim.start({"--serial", "--corrupt", "1", "--seed", "3"}));
    Pty pty;
    QVERIFY(pty.open(sim.endpoints.value("serial")));
    QVERIFY(pty.write(hex("aa550003000000014d4e01" "6455aa")));
    QTRY_VERIFY_WITH_TIMEOUT(pty.has(2), 5000);
    QCOMPARE(pty.take(2), hex("a500"));
    // Every send is corrupted: three sends of the same block, then silence.
    QList<QByteArray> sends;
    for (int i = 0; i < 3; ++i) {
        QTRY_VERIFY_WITH_TIMEOUT(pty.has(15), 5000);
        sends << pty.take(15);
        QCOMPARE(sends.last().left(8), hex("aa55000400000001"));
        quint8 sum = 0;
        for (int k = 8; k < 13 && k < sends.last().size() - 2; ++k)
            sum = quint8(sum + quint8(sends.last()[k]));
        QVERIFY2(sum != 0, "a corrupted block must fail its checksum");
        QVERIFY(pty.write(hex("a5ff")));
    }
    QVERIFY(!pty.has(1));
}

void TstSimProcess::usbPipes()
{
    QTemporaryDir dir;
    Sim sim;
    QVERIFY(sim.start({"--usb", dir.path(), "--mixers", "3", "--model", "0"}));
    const QString device = sim.endpoints.value("usb");
    QCOMPARE(device, dir.filePath("vr340a-0"));
    const int out = ::open(QFile::encodeName(device + "/PIPE00").constData(), O_WRONLY);
    const int in = ::open(QFile::encodeName(device + "/PIPE01").constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(out >= 0 && in >= 0);
    const QByteArray rq = hex("4d4e03" "55aa");
    QCOMPARE(::write(out, rq.constData(), size_t(rq.size())), ssize_t(rq.size()));
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT(([&] {
        char buf[2064];
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n > 0)
            got.append(buf, int(n));
        return !got.isEmpty();
    }()), 5000);
    QCOMPARE(got.toHex(' '), hex("4d4e0000" "55aa").toHex(' '));
    ::close(out);
    ::close(in);
}

void TstSimProcess::searchReply()
{
    Sim sim;
    QVERIFY(sim.start({"--search-port", "0", "--user-id", "desk7", "--address", "10.0.0.9"}));
    const QString ep = sim.endpoints.value("search");
    QVERIFY2(ep.startsWith("127.0.0.1:"), qPrintable(ep));
    QUdpSocket pc;
    QVERIFY(pc.bind(QHostAddress::LocalHost, 0));
    // The search request: the stream frame around IR 1.
    pc.writeDatagram(hex("aa5500000003495201"), QHostAddress::LocalHost, quint16(ep.section(':', 1).toUInt()));
    QTRY_VERIFY_WITH_TIMEOUT(pc.hasPendingDatagrams(), 5000);
    const QByteArray reply = pc.receiveDatagram().data();
    QCOMPARE(reply.toHex(' '), (hex("aa5500000010" "495200" "0a000009" "00" "0006") + "desk7" + hex("00")).toHex(' '));
    // Anything but an IR request is ignored.
    pc.writeDatagram(hex("aa5500000003445201"), QHostAddress::LocalHost, quint16(ep.section(':', 1).toUInt()));
    pc.writeDatagram(hex("aa5500000003495201"), QHostAddress::LocalHost, quint16(ep.section(':', 1).toUInt()));
    QTRY_VERIFY_WITH_TIMEOUT(pc.hasPendingDatagrams(), 5000);
    QVERIFY(pc.receiveDatagram().data().startsWith(hex("aa5500000010495200")));
    QVERIFY(!pc.hasPendingDatagrams());
}

void TstSimProcess::signalEndsCleanly()
{
    QTemporaryDir dir;
    Sim sim;
    QVERIFY(sim.start({"--usb", dir.path(), "--tcp", "0", "--serial"}));
    QVERIFY(QFileInfo::exists(dir.filePath("vr340a-0/PIPE00")));
    QCOMPARE(sim.stop(), 0);
    QVERIFY(!QFileInfo::exists(dir.filePath("vr340a-0")));
}

ZK_TEST_GUILESS_MAIN(TstSimProcess)
#include "tst_simprocess.moc"
