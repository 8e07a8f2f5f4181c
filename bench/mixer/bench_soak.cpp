// The long fault soak, with its figures: edits at random moments while the
// job loop polls and writes, against the virtual mixer through a real link
// with faults injected (see tests/mixer/soakrig.h). Exit status 0 when every
// edit ended verified or reported and no value was wrongly taken as verified.
//
//   bench_soak [--link serial|ethernet] [--edits N] [--mixers N] [--seed N]
//              [--drop P] [--noise P] [--corrupt P] [--cut-after N | --cut-once]
//              [--reconnect]

#include "tests/mixer/soakrig.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    SoakPlan plan;
    plan.edits = 1000;
    plan.mixer.mixers = 3;
    plan.secondsLimit = 3600;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const QString v = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == "--link") {
            plan.link = v == "ethernet" ? LinkKind::Ethernet : LinkKind::Rs232c;
            ++i;
        } else if (a == "--edits") {
            plan.edits = v.toInt();
            ++i;
        } else if (a == "--mixers") {
            plan.mixer.mixers = v.toInt();
            ++i;
        } else if (a == "--seed") {
            plan.mixer.seed = v.toUInt();
            ++i;
        } else if (a == "--drop") {
            plan.mixer.dropProbability = v.toDouble();
            ++i;
        } else if (a == "--noise") {
            plan.mixer.noiseProbability = v.toDouble();
            ++i;
        } else if (a == "--corrupt") {
            plan.mixer.corruptProbability = v.toDouble();
            ++i;
        } else if (a == "--cut-after") {
            plan.cutAfter = v.toInt();
            ++i;
        } else if (a == "--cut-once") {
            plan.cutOnce = true;
        } else if (a == "--reconnect") {
            plan.reconnect = true;
        } else {
            std::fprintf(stderr, "bench_soak: unknown argument %s\n", qPrintable(a));
            return 2;
        }
    }
    SoakRig rig(plan);
    const SoakFigures f = rig.run();
    std::printf("%s soak: %s\n", plan.link == LinkKind::Ethernet ? "Ethernet" : "RS-232C", qPrintable(f.summary()));
    for (const QString &w : f.wrong)
        std::printf("  WRONG: %s\n", qPrintable(w));
    const bool ok = f.finished && f.wrong.isEmpty() && f.verified + f.reported + f.superseded == f.edits;
    std::printf("%s\n", ok ? "every edit verified or reported" : "FAILED");
    return ok ? 0 : 1;
}
