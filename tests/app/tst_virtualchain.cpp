// The virtual chain the program runs for work without hardware: how the
// command line asks for it (and what it refuses, with exit code 2 before
// anything opens), how the link reaches it, and the mark that keeps it from
// being taken for a room.

#include "app/ui/virtualtitle.h"
#include "app/virtualchain.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "link/comm.h"
#include "link/linkstate.h"
#include "link/protocol.h"
#include "sim/simchain.h"
#include "sim/simtcp.h"

#include <QProcess>
#include <QTest>
#include <QWidget>

class TestVirtualChain : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("mixers");
        QTest::addColumn<int>("model");
        QTest::addColumn<QStringList>("rest");
        QTest::addColumn<QString>("errorNames"); // a word the refusal must contain

        const QStringList prog{"zkvr340a"};
        // Without the options the command line reads as it always did.
        QTest::newRow("plain") << prog << true << 0 << 1 << prog << "";
        QTest::newRow("DEBUG") << QStringList{"zkvr340a", "DEBUG"} << true << 0 << 1
                               << QStringList{"zkvr340a", "DEBUG"} << "";
        QTest::newRow("other words ignored") << QStringList{"zkvr340a", "x"} << true << 0 << 1
                                             << QStringList{"zkvr340a", "x"} << "";
        QTest::newRow("three") << QStringList{"zkvr340a", "--virtual", "3"} << true << 3 << 1 << prog << "";
        QTest::newRow("all, older model, DEBUG")
            << QStringList{"zkvr340a", "--virtual=16", "--model", "0", "DEBUG"} << true << 16 << 0
            << QStringList{"zkvr340a", "DEBUG"} << "";
        QTest::newRow("model first") << QStringList{"zkvr340a", "--model=2", "--virtual", "1"} << true << 1 << 2
                                     << prog << "";

        QTest::newRow("none") << QStringList{"zkvr340a", "--virtual", "0"} << false << 0 << 1 << prog << "1..16";
        QTest::newRow("seventeen") << QStringList{"zkvr340a", "--virtual", "17"} << false << 0 << 1 << prog << "17";
        QTest::newRow("not a number") << QStringList{"zkvr340a", "--virtual", "three"} << false << 0 << 1 << prog
                                      << "three";
        QTest::newRow("empty") << QStringList{"zkvr340a", "--virtual="} << false << 0 << 1 << prog << "1..16";
        QTest::newRow("missing") << QStringList{"zkvr340a", "--virtual"} << false << 0 << 1 << prog << "--virtual";
        QTest::newRow("model range") << QStringList{"zkvr340a", "--virtual", "2", "--model", "256"} << false << 0 << 1
                                     << prog << "256";
        QTest::newRow("model alone") << QStringList{"zkvr340a", "--model", "1"} << false << 0 << 1 << prog
                                     << "--virtual";
        // Beside a virtual chain a word that means nothing is not guessed at.
        QTest::newRow("unknown") << QStringList{"zkvr340a", "--virtual", "2", "--mixers", "3"} << false << 0 << 1
                                 << prog << "--mixers";
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, ok);
        QFETCH(int, mixers);
        QFETCH(int, model);
        QFETCH(QStringList, rest);
        QFETCH(QString, errorNames);
        const VirtualRequest r = parseVirtualArguments(args);
        QCOMPARE(r.ok, ok);
        QCOMPARE(r.mixers, mixers);
        if (ok) {
            QCOMPARE(r.model, model);
            QCOMPARE(r.rest, rest);
            QVERIFY(r.error.isEmpty());
        } else {
            QVERIFY2(r.error.contains(errorNames), qPrintable(r.error));
        }
    }

    // The program itself: a refused command line ends with 2 and says why on
    // stderr, before any window or the instance lock.
    void programRefusesABadCommandLine()
    {
        const QString bin = qEnvironmentVariable("ZKVR340A_BIN_DIR") + "/zkvr340a";
        for (const QStringList &args : {QStringList{"--virtual", "17"}, QStringList{"--model", "0"}}) {
            QProcess p;
            p.start(bin, args);
            QVERIFY(p.waitForFinished(20000));
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 2);
            const QString err = QString::fromUtf8(p.readAllStandardError());
            QVERIFY2(err.contains("zkvr340a: --") && err.contains("usage: zkvr340a"), qPrintable(err));
            QVERIFY(p.readAllStandardOutput().isEmpty());
        }
    }

    // The link reaches the chain on loopback whatever ZKVR340A_TCP_PORT names,
    // calls it by its mark, and a user's choice to re-establish a lost
    // connection survives the link being opened again (as after the IP
    // settings): a cut connection then comes back.
    void linkReachesTheChainAndKeepsTheReconnectChoice()
    {
        VirtualChain chain(2, 1);
        QString error;
        QVERIFY2(chain.start(error), qPrintable(error));
        QVERIFY(chain.port() != 0);
        QCOMPARE(chain.mixers(), 2);
        QCOMPARE(chain.mark(), QStringLiteral("仮想ミキサー (2 台)"));

        qputenv("ZKVR340A_TCP_PORT", "1"); // a port nobody listens on
        SystemClock clock;
        ScriptedDialogs dialogs;
        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        LinkEndpoints ep;
        ep.chooseEthernetAddress = [](bool &userChose) {
            userChose = true;
            return QStringLiteral("192.0.2.1"); // must never be asked
        };
        ep.reconnect.firstDelay = 0.05;
        chain.attach(ep, link, clock);
        MdlComm comm(link, clock, dialogs, ep);
        QList<LinkHealth> seen;
        comm.onLinkStatus = [&](const MdlComm::LinkStatus &s) { seen << s.health; };
        QVERIFY(comm.CommOpen());
        qunsetenv("ZKVR340A_TCP_PORT");
        QCOMPARE(comm.linkStatus().peer, chain.mark());

        MixerProtocol protocol(comm);
        const auto model = protocol.sendAndJudgeFirst(modelRequest(2)); // the second mixer answers
        QVERIFY(model.count > 0);
        QCOMPARE(model.status, quint8(SimWire::Accepted));

        comm.setReconnect(true);
        comm.CommClose();
        QVERIFY(comm.CommOpen());
        seen.clear();
        chain.front().cutConnections();
        QTRY_VERIFY_WITH_TIMEOUT(seen.contains(LinkHealth::Reconnecting) && comm.linkStatus().health == LinkHealth::Up,
                                 5000);
        QVERIFY(!seen.contains(LinkHealth::Lost));
        QVERIFY(dialogs.texts().isEmpty());
        comm.CommClose();
    }

    // The mark stays in front of a window's title whatever sets it later,
    // once, and a title that has it is left alone.
    void titleKeepsTheMark()
    {
        const QString mark = virtualMark(3);
        QWidget w;
        w.setWindowTitle("(無題) - ZK-VR340a");
        keepMarkInTitle(w, mark);
        QCOMPARE(w.windowTitle(), mark + " - (無題) - ZK-VR340a");
        w.setWindowTitle("/tmp/room.ini - ZK-VR340a");
        QCOMPARE(w.windowTitle(), mark + " - /tmp/room.ini - ZK-VR340a");
        w.setWindowTitle(w.windowTitle());
        QCOMPARE(w.windowTitle().count(mark), 1);
        w.setWindowTitle(QString());
        QCOMPARE(w.windowTitle(), mark);
    }
};

QTEST_MAIN(TestVirtualChain)
#include "tst_virtualchain.moc"
