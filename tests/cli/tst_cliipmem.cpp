// zkvr340a-ctl ip get / ip set and peek / poke against the virtual mixer
// program over TCP: values written and read back, nothing answering, and the
// usage errors that never reach the link.

#include "clitesthelpers.h"

namespace {
QStringList ethernet(const Sim &sim)
{
    return {"--ethernet", sim.endpoints.value("tcp")};
}
QString errText(const Run &r)
{
    return QString::fromUtf8(r.err);
}
} // namespace

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

QTEST_GUILESS_MAIN(TstCliIpMem)
#include "tst_cliipmem.moc"
