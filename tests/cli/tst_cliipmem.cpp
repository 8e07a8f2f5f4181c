// zkvr340a-ctl ip get / ip set and peek / poke against the virtual mixer
// program over TCP: values written and read back, nothing answering, and the
// usage errors that never reach the link.

#include "clitesthelpers.h"

#include "link/etherframe.h"
#include "link/protocol.h"
#include "tests/support/testmain.h"

#include <QTcpSocket>

class TstCliIpMem : public QObject
{
    Q_OBJECT
private slots:
    void ipGetThenSet()
    {
        Sim sim;
        QVERIFY(sim.start({"--tcp", "127.0.0.1:0", "--user-id", "hall7", "--address", "192.168.5.9"}));
        const Run get = ctl(ethernet(sim) + QStringList{"ip", "get"});
        QCOMPARE(get.exitCode, 0);
        QCOMPARE(get.out, QByteArray("address 192.168.5.9\ndhcp off\nuser-id hall7\n"));

        const Run set = ctl(ethernet(sim) + QStringList{"ip", "set", "10.0.0.1", QString(20, QLatin1Char('B')), "--dhcp", "on"});
        QCOMPARE(set.exitCode, 0);
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "get"}).out,
                 QByteArray("address 10.0.0.1\ndhcp on\nuser-id ") + QByteArray(20, 'B') + '\n');

        // Without --dhcp the mixer's mode stays.
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "set", "10.0.0.2", "x1"}).exitCode, 0);
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "get"}).out, QByteArray("address 10.0.0.2\ndhcp on\nuser-id x1\n"));
    }

    void addressesNoMixerCanHave_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("why");
        QTest::newRow("unspecified") << "0.0.0.0" << "「このネットワーク」";
        QTest::newRow("multicast") << "224.0.0.1" << "マルチキャスト";
        QTest::newRow("loopback") << "127.0.0.1" << "ループバック";
        // The broadcast of whichever network holds it.
        QTest::newRow("subnet broadcast") << "10.255.255.255" << "のブロードキャストアドレスです";
    }
    void addressesNoMixerCanHave()
    {
        QFETCH(QString, address);
        QFETCH(QString, why);
        Sim sim;
        QVERIFY(sim.start({"--tcp", "127.0.0.1:0", "--address", "192.168.5.9"}));
        const QByteArray before("address 192.168.5.9\ndhcp off\nuser-id administrator\n");
        // DHCP switched off on the command line: refused before any link opens.
        const Run off = ctl(QStringList{"--ethernet", "127.0.0.1:1", "--timeout", "1", "ip", "set", address, "room2",
                                        "--dhcp", "off"});
        QCOMPARE(off.exitCode, 2);
        QVERIFY2(errText(off).contains(address) && errText(off).contains(why), off.err.constData());
        // The mixer's DHCP client is off: refused once that is read.
        const Run kept = ctl(ethernet(sim) + QStringList{"ip", "set", address, "room2"});
        QCOMPARE(kept.exitCode, 1);
        QVERIFY2(errText(kept).contains(address) && errText(kept).contains(why), kept.err.constData());
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "get"}).out, before);
        // With the DHCP client on, the address is only kept for later.
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "set", address, "room2", "--dhcp", "on"}).exitCode, 0);
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "get"}).out,
                 "address " + address.toLatin1() + "\ndhcp on\nuser-id room2\n");
    }

    void zeroPaddedAddressAsOnTheLabel()
    {
        Sim sim;
        QVERIFY(sim.start({"--tcp", "127.0.0.1:0"}));
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "set", "192.168.010.020", "room2"}).exitCode, 0);
        QCOMPARE(ctl(ethernet(sim) + QStringList{"ip", "get"}).out,
                 QByteArray("address 192.168.10.20\ndhcp off\nuser-id room2\n"));
    }

    // A user ID the mixer was given elsewhere, in the code page of the
    // program's texts, reads as the dialog shows it.
    void userIdInTheProgramsCodePage()
    {
        Sim sim;
        QVERIFY(sim.start({"--tcp", "127.0.0.1:0"}));
        const QStringList hostPort = sim.endpoints.value("tcp").split(':');
        NetworkSettings s;
        s.address = {192, 168, 5, 9};
        s.userId = QByteArray::fromHex("837E834C8354B1"); // "ミキサｱ"
        QTcpSocket socket;
        socket.connectToHost(hostPort.value(0), quint16(hostPort.value(1).toUInt()));
        QVERIFY(socket.waitForConnected(5000));
        socket.write(etherFrame(networkWriteRequest(s)));
        QVERIFY(socket.waitForReadyRead(5000)); // the mixer took it
        socket.disconnectFromHost();

        const Run get = ctl(ethernet(sim) + QStringList{"ip", "get"});
        QCOMPARE(get.exitCode, 0);
        QCOMPARE(QString::fromUtf8(get.out),
                 QStringLiteral("address 192.168.5.9\ndhcp off\nuser-id ミキサｱ\n"));
    }

    void pokeThenPeek()
    {
        Sim sim;
        QVERIFY(sim.start({"--tcp", "127.0.0.1:0"}));
        QCOMPARE(ctl(ethernet(sim) + QStringList{"poke", "1f0", "deadbeef"}).exitCode, 0);
        const Run peek = ctl(ethernet(sim) + QStringList{"peek", "1F0"});
        QCOMPARE(peek.exitCode, 0);
        QCOMPARE(peek.out, QByteArray("DEADBEEF\n"));
        const Run one = ctl(ethernet(sim) + QStringList{"peek", "1F0", "1"});
        QCOMPARE(one.exitCode, 0);
        QCOMPARE(one.out.trimmed().size(), 8); // four data bytes whatever the size
    }

    void nothingAnswers()
    {
        Sim sim;
        QVERIFY(sim.start({"--tcp", "127.0.0.1:0", "--drop", "1"}));
        const Run ip = ctl(ethernet(sim) + QStringList{"ip", "get"});
        QCOMPARE(ip.exitCode, 1);
        QVERIFY(errText(ip).contains(QStringLiteral("応答がありません")));
        const Run peek = ctl(ethernet(sim) + QStringList{"peek", "0"});
        QCOMPARE(peek.exitCode, 1);
        QVERIFY(errText(peek).contains(QStringLiteral("異常終了しました")));
        QVERIFY(peek.out.isEmpty());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("ip alone") << QStringList{"ip"};
        QTest::newRow("ip get extra") << QStringList{"ip", "get", "x"};
        QTest::newRow("bad address") << QStringList{"ip", "set", "10.0.0.256", "abc"};
        QTest::newRow("broadcast") << QStringList{"ip", "set", "255.255.255.255", "abc"};
        QTest::newRow("user ID 21") << QStringList{"ip", "set", "10.0.0.1", QString(21, QLatin1Char('a'))};
        QTest::newRow("user ID symbol") << QStringList{"ip", "set", "10.0.0.1", "a-b"};
        QTest::newRow("dhcp value") << QStringList{"ip", "set", "10.0.0.1", "abc", "--dhcp", "yes"};
        QTest::newRow("peek not hex") << QStringList{"peek", "12G"};
        QTest::newRow("peek nine digits") << QStringList{"peek", "123456789"};
        QTest::newRow("peek size 3") << QStringList{"peek", "10", "3"};
        QTest::newRow("poke no data") << QStringList{"poke", "10"};
        QTest::newRow("poke data not hex") << QStringList{"poke", "10", "xyz"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, command);
        // Port 1 of loopback answers nobody: reaching the link would give 1.
        const Run r = ctl(QStringList{"--ethernet", "127.0.0.1:1"} + command);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
    }
};

ZK_TEST_GUILESS_MAIN(TstCliIpMem)
#include "tst_cliipmem.moc"
