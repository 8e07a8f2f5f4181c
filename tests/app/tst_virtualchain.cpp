// The virtual chain the program runs for work without hardware: how the
// command line asks for it (and what it refuses, with exit code 2 before
// anything opens or needs a display), how the link and the tool reach it,
// and the mark that keeps it from being taken for a room.

#include "app/ui/remoteoperation.h"
#include "app/ui/virtualtitle.h"
#include "app/operatestart.h"
#include "app/startoptions.h"
#include "app/virtualchain.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/comm.h"
#include "link/linkstate.h"
#include "link/protocol.h"
#include "remote/remoteaccess.h"
#include "sim/simchain.h"
#include "sim/simtcp.h"
#include "tests/support/testmain.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
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
            << QStringList{"zkvr340a", "--operate", "x.ini", "--remote", "0.0.0.0:8080", "--remote-tokens", "/t"}
            << "x.ini" << none << false << 0 << "";

        QTest::newRow("no file") << QStringList{"zkvr340a", "--operate"} << "" << none << false << 0 << "--operate";
        QTest::newRow("empty file") << QStringList{"zkvr340a", "--operate="} << "" << none << false << 0
                                    << "--operate";
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

    // The rest of the command line: --help and --version whatever else it
    // says, the remote operation beside the virtual chain, Qt's own options
    // passed on, and an option nobody takes refused.
    void startCommandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("errorNames"); // empty: accepted
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("version");
        QTest::addColumn<int>("mixers");
        QTest::addColumn<int>("port");

        const QStringList tokens{"--remote-tokens", "/run/tokens"};
        QTest::newRow("help wins") << QStringList{"zkvr340a", "--virtual", "17", "--help"} << "" << true << false
                                   << 0 << 0;
        QTest::newRow("-h") << QStringList{"zkvr340a", "-h"} << "" << true << false << 0 << 0;
        QTest::newRow("version") << QStringList{"zkvr340a", "--version"} << "" << false << true << 0 << 0;
        QTest::newRow("-v") << QStringList{"zkvr340a", "DEBUG", "-v"} << "" << false << true << 0 << 0;
        QTest::newRow("virtual port") << QStringList{"zkvr340a", "--virtual", "2", "--virtual-port", "40123"} << ""
                                      << false << false << 2 << 40123;
        QTest::newRow("virtual port inline") << QStringList{"zkvr340a", "--virtual-port=1", "--virtual=3"} << ""
                                             << false << false << 3 << 1;
        for (const char *bad : {"0", "65536", "x"})
            QTest::addRow("virtual port %s", bad) << QStringList{"zkvr340a", "--virtual", "2", "--virtual-port", bad}
                                                  << QString(bad) << false << false << 0 << 0;
        QTest::newRow("port without virtual") << QStringList{"zkvr340a", "--virtual-port", "40123"} << "--virtual"
                                              << false << false << 0 << 0;
        QTest::newRow("remote beside virtual")
            << QStringList{"zkvr340a", "--virtual", "3", "--remote", "127.0.0.1:8340"} + tokens << "" << false
            << false << 3 << 0;
        QTest::newRow("remote without tokens") << QStringList{"zkvr340a", "--remote", "127.0.0.1:8340"}
                                               << "--remote-tokens" << false << false << 0 << 0;
        QTest::newRow("remote address") << QStringList{"zkvr340a", "--remote", "nowhere"} + tokens << "--remote"
                                        << false << false << 0 << 0;
        QTest::newRow("remote without value") << QStringList{"zkvr340a", "--remote"} << "--remote" << false
                                              << false << 0 << 0;
        // The line control takes the stored tokens when no file is named;
        // a token file alone serves nothing.
        QTest::newRow("control and journal")
            << QStringList{"zkvr340a", "--control", "127.0.0.1:8341", "--log-journal"} << "" << false << false << 0 << 0;
        QTest::newRow("control address") << QStringList{"zkvr340a", "--control", "8341"} << "--control" << false
                                         << false << 0 << 0;
        QTest::newRow("tokens alone") << tokens.mid(0, 0) + QStringList{"zkvr340a"} + tokens << "--control" << false
                                      << false << 0 << 0;
        QTest::newRow("unknown option") << QStringList{"zkvr340a", "--hlep"} << "--hlep" << false << false << 0
                                        << 0;
        QTest::newRow("unknown beside DEBUG") << QStringList{"zkvr340a", "DEBUG", "-x"} << "-x" << false << false
                                              << 0 << 0;
        QTest::newRow("Qt's options") << QStringList{"zkvr340a", "--virtual", "2", "-style", "fusion", "-platform",
                                                     "offscreen", "--reverse", "-qwindowtitle=x"}
                                      << "" << false << false << 2 << 0;
        QTest::newRow("words keep their reading") << QStringList{"zkvr340a", "x"} << "" << false << false << 0 << 0;
    }

    void startCommandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, errorNames);
        QFETCH(bool, help);
        QFETCH(bool, version);
        QFETCH(int, mixers);
        QFETCH(int, port);
        const StartRequest r = parseStartArguments(args);
        QCOMPARE(r.help, help);
        QCOMPARE(r.version, version);
        QCOMPARE(r.ok(), errorNames.isEmpty());
        if (!r.ok()) {
            QVERIFY2(r.error().contains(errorNames), qPrintable(r.error()));
            return;
        }
        QCOMPARE(r.virtualChain.mixers, mixers);
        QCOMPARE(int(r.virtualChain.port), port);
    }

    // The remote operation reads its words again: the line control with the
    // file's tokens, or without a file the stored ones; beside the page.
    void remoteArgumentsReadAgain()
    {
        QString error;
        RemoteOperation::CommandLine c
            = RemoteOperation::parseArguments({"zkvr340a", "--control", "127.0.0.1:8341"}, error);
        QVERIFY(error.isEmpty() && c.control && !c.requested);
        QCOMPARE(c.controlAddress, QString("127.0.0.1"));
        QCOMPARE(c.controlPort, quint16(8341));
        QVERIFY(c.tokenFile.isEmpty());
        c = RemoteOperation::parseArguments({"zkvr340a", "--control", "[::1]:9", "--remote-tokens", "/t"}, error);
        QVERIFY(error.isEmpty() && c.control && !c.requested);
        QCOMPARE(c.controlAddress, QString("::1"));
        QCOMPARE(c.tokenFile, QString("/t"));
        c = RemoteOperation::parseArguments(
            {"zkvr340a", "--remote", "0.0.0.0:8340", "--remote-tokens", "/t", "--control", "0.0.0.0:8341"}, error);
        QVERIFY(error.isEmpty() && c.control && c.requested);
        QCOMPARE(c.port, quint16(8340));
        c = RemoteOperation::parseArguments({"zkvr340a", "--control", "8341"}, error);
        QVERIFY(!error.isEmpty() && !c.control);
    }

    // The program itself, where no display is: a refused command line ends
    // with 2 and says why on stderr, --help and --version answer on stdout,
    // all before anything needs a display (or the instance lock). A
    // chairperson's PC with a mistyped file name never comes up unlocked.
    void programAnswersBeforeAnyDisplay()
    {
        const QString bin = qEnvironmentVariable("ZKVR340A_BIN_DIR") + "/zkvr340a";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        auto run = [&](const QStringList &args) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(bin, args);
            const bool finished = p.waitForFinished(20000);
            return std::tuple{finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                              QString::fromLocal8Bit(p.readAllStandardOutput()),
                              QString::fromLocal8Bit(p.readAllStandardError())};
        };
        for (const QStringList &args : {QStringList{"--virtual", "17"}, QStringList{"--model", "0"},
                                        QStringList{"--link", "usb"}, QStringList{"--virtual", "2", "--bogus"}}) {
            const auto [exit, out, err] = run(args);
            QCOMPARE(exit, 2);
            QVERIFY2(err.startsWith("zkvr340a: ") && err.contains(args.first()) && err.endsWith(startUsage()),
                     qPrintable(err));
            QVERIFY(out.isEmpty());
        }
        // A command line it can follow, but no desktop: said so, no abort.
        const auto [noDisplayExit, noDisplayOut, noDisplayErr] = run({"--virtual", "3"});
        QCOMPARE(noDisplayExit, 1);
        QCOMPARE(noDisplayErr, "zkvr340a: " + str(13250).arg("DISPLAY") + '\n');

        const auto [operateExit, operateOut, operateErr] = run({"--operate", "/nonexistent/議場.ini", "--link", "ethernet"});
        QCOMPARE(operateExit, 2);
        QVERIFY2(operateErr.contains(str(12124).arg("/nonexistent/議場.ini")), qPrintable(operateErr));

        const auto [helpExit, help, helpErr] = run({"--help"});
        QCOMPARE(helpExit, 0);
        QCOMPARE(help, startUsage());
        QVERIFY(help.contains("--virtual-port") && help.contains("--remote ADDRESS:PORT"));
        QVERIFY(helpErr.isEmpty());
        const auto [versionExit, version, versionErr] = run({"-v"});
        QCOMPARE(versionExit, 0);
        QCOMPARE(version, QStringLiteral("ZK-VR340a 2.9-114\n"));
    }

    // Only the X11 desktop Qt picks by default is judged before a window
    // opens; the platform named on the command line wins over the variable.
    void displayProblemWhereNoDesktopIs()
    {
        auto problem = [](const QString &platform, bool x11, bool wayland) {
            return !displayProblem(DisplayEnvironment{platform, x11, wayland}).isEmpty();
        };
        QVERIFY(problem("", false, false));
        QVERIFY(!problem("", true, false) && !problem("", false, true));
        QVERIFY(problem("xcb", false, true) && problem("xcb:nograb", false, false));
        QVERIFY(!problem("xcb", true, false));
        QVERIFY(!problem("offscreen", false, false) && !problem("wayland", false, false));
        const QByteArray platformBefore = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM", "xcb");
        QCOMPARE(DisplayEnvironment::current({"zkvr340a"}).platform, "xcb");
        QCOMPARE(DisplayEnvironment::current({"zkvr340a", "-platform", "offscreen"}).platform, "offscreen");
        QCOMPARE(DisplayEnvironment::current({"zkvr340a", "--platform=vnc"}).platform, "vnc");
        qputenv("QT_QPA_PLATFORM", platformBefore);
    }

    // --virtual N with --virtual-port and the remote operation: the program
    // says where its mixers answer, the tool reaches them there, and the
    // remote page answers beside them.
    void virtualMixersServeTheToolAndTheRemotePage()
    {
        auto freePort = [] {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost, 0);
            return probe.serverPort();
        };
        const quint16 port = freePort();
        const quint16 remotePort = freePort();
        QTemporaryDir dir;
        const RemoteTokens tokens = RemoteTokens::generate();
        QFile tokenFile(dir.filePath("tokens"));
        QVERIFY(tokenFile.open(QIODevice::WriteOnly));
        tokenFile.write(tokens.operate + '\n' + tokens.watch + '\n');
        tokenFile.close();
        QVERIFY(tokenFile.setPermissions(QFile::ReadOwner | QFile::WriteOwner));

        const QString bin = qEnvironmentVariable("ZKVR340A_BIN_DIR");
        QProcess program;
        program.start(bin + "/zkvr340a", {"--virtual", "2", "--virtual-port", QString::number(port), "--remote",
                                          QStringLiteral("127.0.0.1:%1").arg(remotePort), "--remote-tokens",
                                          tokenFile.fileName()});
        QByteArray err;
        const QByteArray said = "virtual mixers on 127.0.0.1:" + QByteArray::number(port) + '\n';
        QTRY_VERIFY_WITH_TIMEOUT((err += program.readAllStandardError()).contains(said), 20000);

        QProcess tool;
        tool.start(bin + "/zkvr340a-ctl", {"--ethernet", QStringLiteral("127.0.0.1:%1").arg(port), "status", "--json"});
        QTRY_VERIFY_WITH_TIMEOUT(tool.state() == QProcess::NotRunning, 30000);
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY2(tool.readAllStandardOutput().contains("\"mixer_count\": 2"), tool.readAllStandardError().constData());

        // The page comes up a moment after the mixers.
        QTcpSocket page;
        auto connected = [&] {
            if (page.state() == QAbstractSocket::UnconnectedState)
                page.connectToHost(QHostAddress::LocalHost, remotePort);
            return page.state() == QAbstractSocket::ConnectedState;
        };
        QTRY_VERIFY2_WITH_TIMEOUT(connected(), (err += program.readAllStandardError()).constData(), 10000);
        page.write("GET /api/v1/status HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Bearer " + tokens.watch
                   + "\r\n\r\n");
        QByteArray answer;
        QTRY_VERIFY_WITH_TIMEOUT((answer += page.readAll()).contains("\r\n\r\n"), 10000);
        QVERIFY2(answer.startsWith("HTTP/1.1 200"), answer.constData());
        program.kill();
        program.waitForFinished();
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
        // The status line names the chain and where the tool reaches it.
        QCOMPARE(comm.linkStatus().peer, QStringLiteral("仮想ミキサー (2 台) 127.0.0.1:%1").arg(chain.port()));

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
