// Prints two figures of remote operation:
//  1. tap-to-verified: a switch through the interface (POST, answered once
//     the mixer holds it) against a click on the panel's button (until the
//     channel's state is verified), median of N each, alternating on and off,
//     with the whole program against a virtual mixer over loopback TCP;
//     and a MIC ON / MIC OFF on the line control (until its OK);
//  2. idle CPU of the server with 16 connected event clients (cores), beside
//     the same with none: 8 that answer (the most one address may hold) and
//     8 from a second loopback address that never read, as sleeping tablets;
//     then with 8 logged-in line clients and a scrape of /metrics every
//     second besides.
//
//   bench_remote [--runs N] [--seconds S]

#include "app/ui/frmmain.h"
#include "bench/medianms.h"
#include "app/ui/remoteoperation.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmmdi.h"
#include "remote/controlline.h"
#include "remote/controlserver.h"
#include "remote/remotemetrics.h"
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
    LineClient line;
    std::vector<double> remoteMs;
    std::vector<double> lineMs;
    std::vector<double> clickMs;
    QElapsedTimer t;
    enum { Live, Design, Ready, Remote, Line, Click } stage = Live;
    bool waited = false;
    int n = 0;
    // The moment the clicked channel's state turned verified; the line's OK came.
    double verifiedMs = 0;
    double lineAnsweredMs = -1;

    bool done = false;
    auto settled = [&] { return !world.mixers.anyPending(1) && program.remote()->sync().channelState(1, 3) != RemoteValueState::Waiting; };
    drive(program, 600.0, [&] {
        switch (stage) {
        case Live: {
            if (!programLive(program, world, 1))
                return false;
            QString error;
            if (!program.remote()->server()->start("127.0.0.1", 0, tokens, error))
                return true;
            api.setPort(program.remote()->server()->port());
            if (!program.remote()->control()->start("127.0.0.1", 0, tokens, error))
                return true;
            line.open(program.remote()->control()->port());
            line.send("LOGIN " + tokens.operate);
            // Timed as the answer arrives, not when the driver next looks.
            QObject::connect(&line.socket, &QTcpSocket::readyRead, &line.socket, [&] {
                if (stage == Line && waited && lineAnsweredMs < 0 && line.answers.size() == n + 2)
                    lineAnsweredMs = double(t.nsecsElapsed()) / 1e6;
            });
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
                stage = Line;
            }
            return false;
        }
        case Line: {
            // The login's answer first, then one per switch.
            if (!waited) {
                if (line.answers.size() != n + 1)
                    return false;
                line.send(world.panel.slot(0, 2).IconOnOff ? "MIC OFF 1 3" : "MIC ON 1 3");
                lineAnsweredMs = -1;
                t.start();
                waited = true;
                return false;
            }
            if (lineAnsweredMs < 0)
                return false;
            lineMs.push_back(lineAnsweredMs);
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
    const double l = median(lineMs);
    const double c = median(clickMs);
    std::printf("tap-to-verified, median of %d each (loopback TCP, virtual mixer):\n", runs);
    std::printf("  interface POST: %.1f ms\n  line MIC ON/OFF: %.1f ms\n  panel click:    %.1f ms\n", r, l, c);
    std::printf("  ratio POST/click: %.3f, line/click: %.3f (target <= 1.1)\n", c > 0 ? r / c : 0.0,
                c > 0 ? l / c : 0.0);
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
                    [](int, int) { return false; }, {}, {}, {}, {}, {}};
    ControlServer *lines = nullptr;
    host.metrics = [&] {
        MetricsFigures f;
        f.system = snapshotOf(host, sync);
        f.lineClients = lines ? lines->clients() : 0;
        return metricsText(f);
    };
    ControlServer control(host, sync);
    lines = &control;
    RemoteServer server(host, sync);
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
    if (!control.start("127.0.0.1", 0, tokens, error)) {
        std::printf("line control: %s\n", qPrintable(error));
        return;
    }
    std::vector<std::unique_ptr<LineClient>> lineClients;
    for (int i = 0; i < Control::MaxClients; ++i) {
        lineClients.push_back(std::make_unique<LineClient>());
        lineClients.back()->open(control.port());
        lineClients.back()->send("LOGIN " + tokens.watch);
    }
    ApiClient scraper(server.port());
    QTimer scrape;
    int scrapes = 0;
    QObject::connect(&scrape, &QTimer::timeout, &scrape, [&] {
        scraper.send(QString::number(scrapes++), "GET", "/metrics", tokens.watch);
    });
    scrape.start(1000);
    idle(1500);
    const int lineCount = control.clients();
    const double all = measure();
    int scraped = 0;
    for (const auto &[name, a] : scraper.answers)
        scraped += a.status == 200;
    std::printf("idle CPU over %.0f s (server and its clients in one process):\n", seconds);
    std::printf("  no event clients: %.4f cores\n  %d event clients:  %.4f cores (target <= 0.003)\n", none, connected,
                sixteen);
    std::printf("  and %d line clients, a scrape a second (%d answered): %.4f cores (target <= 0.003)\n", lineCount,
                scraped, all);
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
