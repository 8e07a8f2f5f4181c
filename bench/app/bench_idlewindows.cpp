// Prints the CPU seconds per wall second the program uses while a user only
// looks: three virtual mixers polled over loopback TCP, with the windows that
// follow the mixers open. Two arrangements, as the program allows them:
//   mixer mode: the master's editor and the activity window;
//   panel mode: the control panel in execution (a button for every channel
//               of the three mixers) and the activity window.
//
//   bench_idlewindows [--seconds N] [--runs N]
//
// The program runs in this process (offscreen), the virtual mixers in their
// own (bin/zkvr340a-sim), so only the program's CPU time is counted
// (getrusage of this process, measured after the windows settled).

#include "app/ui/application.h"
#include "app/ui/frmmain.h"
#include "app/world.h"
#include "base/clock.h"
#include "base/dialogs.h"
#include "panel/ui/frmmdi.h"
#include "settings/panelsections.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The settings text holds a button for every channel of `mixers` mixers.
void presetButtons(World &world, int mixers)
{
    PanelState p;
    p.defaults = world.panel.defaults;
    qint16 unused = 0;
    ResetPanel(p, unused, PanelContext{});
    int n = 0;
    for (int m = 0; m < mixers; ++m)
        for (int s = 0; s < 8; ++s, ++n) {
            ButtonSlot &b = p.slot(m, s);
            b.IconEnable = true;
            b.IconLeft = 200 + (n % 8) * 1600;
            b.IconTop = 200 + (n / 8) * 1200;
            b.IconWidth = 1500;
            b.IconHeight = 1000;
            b.IconText = QStringLiteral("ch %1").arg(n + 1);
        }
    p.IconNum = qint16(n);
    StorePanel(p, world.settings.SetDataTable, mixers);
    world.settings.SetDataTable.set(SystemKey::MixerCount, SystemKey::Section, QString::number(mixers));
}

// One run: the program up, the arrangement opened, then `seconds` measured.
// Returns CPU s per wall s, or a negative value when it did not come up.
double measure(bool panel, double seconds, const QString &simBin)
{
    QTemporaryDir home;
    QProcess sim;
    sim.start(simBin, {"--tcp", "127.0.0.1:0", "--mixers", "3"});
    if (!sim.waitForReadyRead(10000))
        return -1;
    const QString tcp = QString::fromLocal8Bit(sim.readLine()).section("tcp=", 1).section(' ', 0, 0);
    qputenv("ZKVR340A_CONFIG_DIR", home.path().toLocal8Bit());
    qputenv("ZKVR340A_LINK", "ethernet");
    qputenv("ZKVR340A_TCP_PORT", tcp.section(':', -1).toLatin1());
    QFile ini(home.filePath("ZK-VR340a.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[IP_Setting]\r\nIP_Address=127.0.0.1\r\nUser_ID=administrator\r\n");
    ini.close();

    SystemClock clock;
    ScriptedDialogs dialogs;
    World world(clock, dialogs);
    Application program(world, {"zkvr340a"});
    enum { Start, Opening, Settling, Measuring } stage = Start;
    double cpu0 = 0, ratio = -1;
    QElapsedTimer wall, settle;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, &driver, [&] {
        switch (stage) {
        case Start:
            if (world.mixers.MixerCount != 3 || world.loop.StartupPolls != 0 || !program.mainWindow())
                return;
            program.mainWindow()->action("MenActivity")->trigger();
            if (panel) {
                presetButtons(world, 3);
                program.mainWindow()->action("MenModeChange")->trigger();
            }
            stage = Opening;
            return;
        case Opening:
            if (panel) {
                if (!program.panelWindow())
                    return;
                program.panelWindow()->action(PanelCommand::Execution)->trigger();
            }
            settle.start();
            stage = Settling;
            return;
        case Settling:
            // The channels the panel switched off have gone out; polls only now.
            if (settle.elapsed() < 3000 || world.mixers.anyPending(1))
                return;
            driver.stop(); // no driver ticks while measured
            cpu0 = cpuSeconds();
            wall.start();
            stage = Measuring;
            QTimer::singleShot(int(seconds * 1000), &driver, [&] {
                ratio = (cpuSeconds() - cpu0) / (double(wall.nsecsElapsed()) / 1e9);
                program.Disconnect();
            });
            return;
        case Measuring:
            return;
        }
    });
    driver.start(50);
    QTimer::singleShot(int((seconds + 60) * 1000), &driver, [&] { program.Disconnect(); });
    program.run();
    sim.terminate();
    sim.waitForFinished();
    return ratio;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("ZKVR340A_LANGUAGE", "ja");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    p.addOption({"seconds", "measured seconds per run", "s", "20"});
    p.addOption({"runs", "runs per arrangement", "n", "3"});
    p.process(app);
    const double seconds = p.value("seconds").toDouble();
    const int runs = std::max(1, p.value("runs").toInt());
    const QByteArray binEnv = qgetenv("ZKVR340A_BIN_DIR");
    const QString simBin = (binEnv.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(binEnv))
                           + "/zkvr340a-sim";

    for (bool panel : {false, true}) {
        std::vector<double> ratios;
        for (int run = 0; run < runs; ++run) {
            const double r = measure(panel, seconds, simBin);
            if (r < 0) {
                std::fprintf(stderr, "the program did not come up with the virtual mixers\n");
                return 1;
            }
            ratios.push_back(r);
            std::printf("%s run %d: %.5f CPU s per wall s\n", panel ? "panel" : "editor", run + 1, r);
        }
        std::sort(ratios.begin(), ratios.end());
        std::printf("idle, 3 mixers polled, %s and the activity window: median %.5f CPU s per wall s "
                    "over %d runs of %.0f s (target <= 0.002)\n",
                    panel ? "panel in execution" : "master's editor", ratios[ratios.size() / 2], runs, seconds);
    }
    return 0;
}
