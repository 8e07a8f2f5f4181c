// The remote soak, long, with its figures: switches through the interface
// against the virtual mixer program on loopback TCP losing replies, the
// mixer killed half-way and started again after an outage holding other
// switches, the program reconnecting (see tests/remote/remotesoak.h). Exit
// status 0 when every switch was answered, no 200 claimed a switch the mixer
// did not hold and the mixer ended holding every switch the panel shows.
//
//   bench_remotesoak [--switches N] [--mixers N] [--drop P] [--outage S] [--seed N]

#include "tests/remote/remotesoak.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's per-user files of this run stay out of the user's own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
    qputenv("ZKVR340A_LANGUAGE", "ja");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    p.addOption({"switches", "switches through the interface", "n", "300"});
    p.addOption({"mixers", "linked mixers", "n", "2"});
    p.addOption({"drop", "chance that a reply is lost", "p", "0.1"});
    p.addOption({"outage", "seconds the mixer is away half-way", "s", "6"});
    p.addOption({"seed", "seed of the switches and the lost replies", "n", "5"});
    p.process(app);
    RemoteSoakPlan plan;
    plan.switches = std::max(2, p.value("switches").toInt());
    plan.mixers = std::clamp(p.value("mixers").toInt(), 1, 16);
    plan.drop = p.value("drop").toDouble();
    plan.outage = p.value("outage").toDouble();
    plan.seed = p.value("seed").toUInt();
    const RemoteSoakFigures f = RemoteSoak(plan).run();
    std::printf("remote soak (%d mixers, %.0f %% of replies lost, mixer killed after %d switches and back "
                "after %.1f s holding other switches, reconnect on):\n  %s\n",
                plan.mixers, plan.drop * 100, plan.switches / 2, plan.outage, qPrintable(f.summary()));
    for (const QString &w : f.wrong)
        std::printf("  wrong: %s\n", qPrintable(w));
    for (const QString &n : f.notes)
        std::printf("  note: %s\n", qPrintable(n));
    const bool sound = f.wrong.isEmpty() && f.notes.isEmpty() && f.differing == 0;
    return f.finished && sound ? 0 : 1;
}
