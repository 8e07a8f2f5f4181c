// Prints two figures of remote operation:
//  1. tap-to-verified: a switch through the interface (POST, answered once
//     the mixer holds it) against a click on the panel's button (until the
//     channel's state is verified), median of N each, alternating on and off,
//     with the whole program against a virtual mixer over loopback TCP;
//  2. idle CPU of the server with 16 connected event clients (cores), beside
//     the same with none: 8 that answer (the most one address may hold) and
//     8 from a second loopback address that never read, as sleeping tablets.
//
//   bench_remote [--runs N] [--seconds S]

#include "app/ui/frmmain.h"
#include "app/ui/remoteoperation.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmmdi.h"
#include "remote/remoteserver.h"
#include "tests/remote/remoteclient.h"
#include "tests/remote/serverrig.h"
#include "tests/support/programrig.h"

#include <QAction>
#include <QCommandLineParser>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Lets the event loop sleep until events come or `ms` pass (QTest::qWait
// wakes every few milliseconds, which would be measured too).
void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void tapToVerified(int runs)
{
    SimOptions options;
    options.mixers = 1;
    EthernetProgram run(options);
    if (!run.listening) {
        std::printf("virtual mixer: %s\n", qPrintable(run.error));
        return;
    }
    World &world = run.world;
    Application &program = run.program;
    const RemoteTokens tokens = RemoteTokens::generate();
    ApiClient api;
    std::vector<double> remoteMs;
    std::vector<double> clickMs;
    QElapsedTimer t;
    enum { Live, Design, Ready, Remote, Click } stage = Live;
    bool waited = false;
    int n = 0;
    // The moment the clicked channel's state turned verified.
    double verifiedMs = 0;

    bool done = false;
    auto settled = [&] { return !world.mixers.anyPending(1) && program.remote()->sync().channelState(1, 3) != RemoteValueState::Waiting; };
    drive(program, 600.0, [&] {
        switch (stage) {
        case Live: {
            if (world.mixers.MixerCount != 1 || world.loop.StartupPolls != 0
                || !program.mainWindow()->action("MenModeChange")->isEnabled())
                return false;
            QString error;
            if (!program.remote()->server()->start("127.0.0.1", 0, tokens, error))
                return true;
            api.setPort(program.remote()->server()->port());
            QObject::connect(&program.remote()->sync(), &RemoteSyncView::changed, &program.remote()->sync(), [&] {
                if (stage == Click && waited && verifiedMs < 0
                    && program.remote()->sync().channelState(1, 3) == RemoteValueState::Verified)
                    verifiedMs = double(t.nsecsElapsed()) / 1e6;
            });
            program.mainWindow()->action("MenModeChange")->trigger();
            stage = Design;
            return false;
        }
        case Design: {
            if (!program.panelWindow() || !program.panelWindow()->isVisible() || world.mixers.anyPending(1))
                return false;
            ButtonSlot &b = world.panel.slot(0, 2);
            b.IconEnable = true;
            b.IconWidth = b.IconHeight = 1500;
            program.panelWindow()->action(PanelCommand::Execution)->trigger();
            stage = Ready;
            return false;
        }
        case Ready:
            if (!program.panelWindow()->executing() || !settled())
                return false;
            stage = Remote;
            return false;
        case Remote: {
            const QString name = QString::number(n);
            if (!waited) {
                api.send(name, "POST", "/api/v1/mixers/1/channels/3", tokens.operate,
                         world.panel.slot(0, 2).IconOnOff ? R"({"on": false})" : R"({"on": true})");
                t.start();
                waited = true;
                return false;
            }
            if (!api.done(name))
                return false;
            remoteMs.push_back(api.answers[name].ms);
            waited = false;
            if (++n == runs) {
                n = 0;
                stage = Click;
            }
            return false;
        }
        case Click: {
            if (!waited) {
                if (!settled())
                    return false;
                FrmExeIcon *w = program.panelWindow()->executionButton({0, 2});
                verifiedMs = -1;
                t.start();
                QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
                program.remote()->observe();
                waited = true;
                return false;
            }
            if (verifiedMs < 0)
                return false;
            clickMs.push_back(verifiedMs);
            waited = false;
            return ++n == runs;
        }
        }
        return false;
    }, done);
    program.run();
    const double r = median(remoteMs);
    const double c = median(clickMs);
    std::printf("tap-to-verified, median of %d each (loopback TCP, virtual mixer):\n", runs);
    std::printf("  interface POST: %.1f ms\n  panel click:    %.1f ms\n  ratio:          %.3f (target <= 1.1)\n", r, c,
                c > 0 ? r / c : 0.0);
    // Both end once the mixer holds the switch; the write goes out as soon as
    // the line is free.
    std::printf("  against 120 ms: interface %.2f, panel %.2f (target <= 1: %s)\n", r / 120.0, c / 120.0,
                std::max(r, c) <= 120.0 ? "met" : "MISSED");
}

void idleCpu(double seconds)
{
    SystemClock clock;
    LinkState link;
    link.linkKind = LinkKind::Ethernet;
    MixerState mixers;
    mixers.MixerCount = 4;
    PanelState panel;
    RemoteSyncView sync;
    RemoteHost host{mixers, panel, link, clock, [] { return true; }, [] { return true; },
                    [](int, int) { return false; }, {}, {}, {}};
    RemoteServer server(std::move(host), sync);
    QString error;
    const RemoteTokens tokens = RemoteTokens::generate();
    if (!server.start("127.0.0.1", 0, tokens, error)) {
        std::printf("server: %s\n", qPrintable(error));
        return;
    }
    auto measure = [&] {
        idle(1000);
        const double before = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        idle(int(seconds * 1000));
        return (cpuSeconds() - before) / (double(wall.nsecsElapsed()) / 1e9);
    };
    const double none = measure();
    std::vector<std::unique_ptr<EventsClient>> clients;
    std::vector<std::unique_ptr<QTcpSocket>> sleeping;
    for (int i = 0; i < Remote::MaxEventClientsPerAddress; ++i) {
        clients.push_back(std::make_unique<EventsClient>());
        clients.back()->open(server.port(), tokens.watch);
        QByteArray answer;
        sleeping.push_back(rawUpgrade(server.port(), "Authorization: Bearer " + tokens.operate + "\r\n", answer,
                                      QHostAddress(QStringLiteral("127.0.0.2"))));
    }
    idle(1500);
    const int connected = server.eventClients();
    const double sixteen = measure();
    std::printf("idle CPU over %.0f s (server and its clients in one process):\n", seconds);
    std::printf("  no event clients: %.4f cores\n  %d event clients:  %.4f cores (target <= 0.003)\n", none, connected,
                sixteen);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    p.addOption({"runs", "switches per side", "n", "20"});
    p.addOption({"seconds", "seconds of idle measured", "s", "10"});
    p.process(app);
    qputenv("ZKVR340A_LANGUAGE", "ja");
    idleCpu(p.value("seconds").toDouble());
    tapToVerified(std::max(1, p.value("runs").toInt()));
    return 0;
}
