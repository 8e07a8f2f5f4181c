// The virtual chain the program runs for work without hardware: how the
// command line asks for it (and what it refuses, with exit code 2 before
// anything opens), how the link reaches it, and the mark that keeps it from
// being taken for a room.

#include "app/ui/virtualtitle.h"
#include "app/operatestart.h"
#include "app/virtualchain.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "link/comm.h"
#include "link/linkstate.h"
#include "link/protocol.h"
#include "sim/simchain.h"
#include "sim/simtcp.h"
#include "tests/support/testmain.h"

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

    // The chairperson's start beside the virtual chain and the other words.
    void operateCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("link"); // -1: none given
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<int>("mixers");
        QTest::addColumn<QString>("errorNames"); // empty: accepted

        const int none = -1;
        QTest::newRow("plain") << QStringList{"zkvr340a"} << "" << none << false << 0 << "";
        QTest::newRow("operate alone") << QStringList{"zkvr340a", "--operate", "議場.ini"} << "議場.ini" << none
                                       << false << 0 << "";
        QTest::newRow("all three") << QStringList{"zkvr340a", "--fullscreen", "--link=USB", "--operate=a b.ini"}
                                   << "a b.ini" << int(LinkKind::Usb) << true << 0 << "";
        QTest::newRow("serial") << QStringList{"zkvr340a", "--operate", "x.ini", "--link", "rs232c"} << "x.ini"
                                << int(LinkKind::Rs232c) << false << 0 << "";
        QTest::newRow("on a virtual chain")
            << QStringList{"zkvr340a", "--virtual", "3", "--operate", "x.ini", "--fullscreen"} << "x.ini" << none
            << true << 3 << "";
        QTest::newRow("remote beside it")
            << QStringList{"zkvr340a", "--operate", "x.ini", "--remote", "0.0.0.0:8080"} << "x.ini" << none << false
            << 0 << "";

        QTest::newRow("no file") << QStringList{"zkvr340a", "--operate"} << "" << none << false << 0 << "--operate";
        QTest::newRow("empty file") << QStringList{"zkvr340a", "--operate="} << "" << none << false << 0
                                    << "settings file";
        QTest::newRow("offline is no link") << QStringList{"zkvr340a", "--operate", "x.ini", "--link", "offline"}
                                            << "" << none << false << 0 << "offline";
        QTest::newRow("link alone") << QStringList{"zkvr340a", "--link", "usb"} << "" << none << false << 0
                                    << "--link";
        QTest::newRow("fullscreen alone") << QStringList{"zkvr340a", "--fullscreen"} << "" << none << false << 0
                                          << "--fullscreen";
        QTest::newRow("link with virtual")
            << QStringList{"zkvr340a", "--virtual", "2", "--operate", "x.ini", "--link", "ethernet"} << "" << none
            << false << 0 << "--virtual";
    }

    void operateCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QFETCH(int, link);
        QFETCH(bool, fullScreen);
        QFETCH(int, mixers);
        QFETCH(QString, errorNames);
        const StartRequest r = parseStartArguments(args);
        QCOMPARE(r.ok(), errorNames.isEmpty());
        if (!r.ok()) {
            QVERIFY2(r.error().contains(errorNames), qPrintable(r.error()));
            return;
        }
        QCOMPARE(r.operate.file, file);
        QCOMPARE(r.operate.link ? int(*r.operate.link) : -1, link);
        QCOMPARE(r.operate.fullScreen, fullScreen);
        QCOMPARE(r.virtualChain.mixers, mixers);
        QVERIFY(!r.virtualChain.rest.contains("--operate") && !r.virtualChain.rest.contains("--fullscreen"));
    }

    // The program itself: a refused command line ends with 2 and says why on
    // stderr, before any window or the instance lock. A chairperson's PC
    // with a mistyped file name never comes up unlocked.
    void programRefusesABadCommandLine()
    {
        const QString bin = qEnvironmentVariable("ZKVR340A_BIN_DIR") + "/zkvr340a";
        for (const QStringList &args : {QStringList{"--virtual", "17"}, QStringList{"--model", "0"},
                                        QStringList{"--link", "usb"}}) {
            QProcess p;
            p.start(bin, args);
            QVERIFY(p.waitForFinished(20000));
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 2);
            const QString err = QString::fromUtf8(p.readAllStandardError());
            QVERIFY2(err.contains("zkvr340a: --") && err.contains("usage: zkvr340a"), qPrintable(err));
            QVERIFY(p.readAllStandardOutput().isEmpty());
        }
        QProcess p;
        p.start(bin, {"--operate", "/nonexistent/議場.ini", "--link", "ethernet"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 2);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains("/nonexistent/議場.ini") && err.contains("cannot be read"), qPrintable(err));
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

ZK_TEST_MAIN(TestVirtualChain)
#include "tst_virtualchain.moc"
