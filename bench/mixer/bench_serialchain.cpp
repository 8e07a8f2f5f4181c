// Sixteen linked mixers over a serial line paced to 19200 bit/s (ten bits a
// byte, both directions), the virtual mixers in this process so that their
// line counts every byte it carries. Three figures, each also as a ratio to
// the time the line needs for the bytes moved meanwhile (both directions one
// after the other, as the block protocol waits for each acknowledge):
//  (a) the poll period: the job loop polling the chain, per reply it waits
//      for and over whole cycles of the three requests;
//  (b) edit-to-verified: single edits at random moments while the loop polls,
//      from the edit until SetData has verified it; the median;
//  (c) `zkvr340a-ctl load` of a file of all sixteen mixers, the tool's whole
//      run as a separate program: a file that differs from what the mixers
//      hold in one value, then one that differs in every value a load sends
//      (--differ one or every for only one of them; --full loads with
//      `load --full`).
// Target: every ratio at most 1.3. Each figure also names the waits the
// protocol itself prescribes in that time (the poll spacing, the pause after
// every single write), and the ratio to line time plus those waits.
//
//     bench_serialchain [--rate BPS] [--edits N] [--skip-load] [--differ one|every] [--full]

#include "bench/medianms.h"
#include "bench/settingsvariants.h"
#include "tests/mixer/pacedserialrig.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {
constexpr int Chain = 16;
constexpr double Target = 1.3;

int option(const QStringList &args, const char *name, int fallback)
{
    const qsizetype at = args.indexOf(QLatin1String(name));
    return at >= 0 && at + 1 < args.size() ? args[at + 1].toInt() : fallback;
}

const char *verdict(double ratio)
{
    return ratio <= Target ? "met" : "MISSED";
}

struct PollMark
{
    double at = 0;
    qint64 bytes = 0;
    QByteArray sent;   // the request this poll sent ("" when values were waiting)
    double unit = 0;   // ReplyTimeUnit after the poll: the wait before the next
};

// (a) Polls of a counted chain: each interval waits for the reply to the
// request the poll before it sent.
bool pollFigure(PacedSerialRig &rig)
{
    std::vector<PollMark> marks;
    rig.afterEachPoll = [&] {
        marks.push_back({rig.clock.now(), rig.lineBytes(),
                         rig.sync->flushDue() ? QByteArray() : rig.sync->pollState().preparedRequest().left(2),
                         rig.link.ReplyTimeUnit});
    };
    // Three whole cycles after one to settle.
    if (!rig.runUntil([&] { return marks.size() >= 13; }, 60))
        return false;
    rig.afterEachPoll = {};
    marks.erase(marks.begin(), marks.begin() + 3);
    std::printf("(a) poll period, %d mixers:\n", Chain);
    for (size_t i = 0; i + 1 < 4 && i + 1 < marks.size(); ++i) {
        const double took = marks[i + 1].at - marks[i].at;
        const double line = rig.lineSeconds(marks[i + 1].bytes - marks[i].bytes);
        std::printf("    waiting for %-2s: %.3f s (unit %.2f s), %lld line bytes = %.3f s on the line, ratio %.2f\n",
                    marks[i].sent.constData(), took, marks[i].unit,
                    static_cast<long long>(marks[i + 1].bytes - marks[i].bytes), line, took / line);
    }
    std::vector<double> ratios, periods;
    for (size_t i = 0; i + 3 < marks.size(); i += 3) {
        const double took = marks[i + 3].at - marks[i].at;
        ratios.push_back(took / rig.lineSeconds(marks[i + 3].bytes - marks[i].bytes));
        periods.push_back(took / 3);
    }
    const double ratio = median(ratios);
    std::printf("    median poll period %.3f s; a cycle of the three requests takes %.2f x its line time; "
                "target <= %.1f: %s\n"
                "    (the period is ReplyTimeUnit, 0.08 s per data slot and 0.1 s per threshold slot for\n"
                "    %d + 1 slots; the line needs that long only for the data reply)\n",
                median(periods), ratio, Target, verdict(ratio), Chain);
    return true;
}

// (b) Single edits at random moments while the loop polls.
bool editFigure(PacedSerialRig &rig, int edits)
{
    QRandomGenerator random(7);
    std::vector<double> seconds, ratios, beyondWaits;
    for (int e = 0; e < edits; ++e) {
        const int mixer = 1 + int(random.bounded(Chain));
        const int key = channelKeyId(ChannelFamily::InputGain, 1 + e % ChannelCount);
        double editedAt = -1;
        qint64 bytesAt = 0;
        // Somewhere inside a poll interval.
        QTimer::singleShot(int(random.bounded(int(rig.link.ReplyTimeUnit * 1000))), [&] {
            editedAt = rig.clock.now();
            bytesAt = rig.lineBytes();
            rig.sync->submit(mixer, key, (rig.mixers.MixerSetData[size_t(mixer)].value(key) + 7) % 65, Submit::Copy);
        });
        double verifiedAt = -1;
        qint64 bytesThen = 0;
        rig.afterSetData = [&](const SetDataOutcome &o) {
            if (editedAt >= 0 && o.verified && !rig.mixers.anyPending(mixer)) {
                verifiedAt = rig.clock.now();
                bytesThen = rig.lineBytes();
            }
        };
        if (!rig.runUntil([&] { return verifiedAt >= 0; }, 30)) {
            std::fprintf(stderr, "edit %d of mixer %d was not verified\n", e, mixer);
            return false;
        }
        const double took = verifiedAt - editedAt;
        const double line = rig.lineSeconds(bytesThen - bytesAt);
        seconds.push_back(took);
        ratios.push_back(took / line);
        beyondWaits.push_back(took / (line + MixerProtocol::SetPause));
    }
    rig.afterEachPoll = {};
    rig.afterSetData = {};
    const double ratio = median(ratios);
    const double took = median(seconds);
    std::printf("(b) edit-to-verified, %d edits while polling: median %.3f s (min %.3f, max %.3f)\n"
                "    %.2f x the target of 1.0 s: %s\n"
                "    median %.2f x the line time of the bytes moved meanwhile; target <= %.1f: %s\n"
                "    (%.2f x line time plus the 0.06 s pause after the write)\n",
                edits, took, *std::min_element(seconds.begin(), seconds.end()),
                *std::max_element(seconds.begin(), seconds.end()), took / 1.0, took <= 1.0 ? "met" : "MISSED", ratio,
                Target, verdict(ratio), median(beyondWaits));
    return true;
}

// Runs the tool to its end while this process's event loop serves the mixers.
bool runTool(const QStringList &args, double &seconds)
{
    QProcess ctl;
    QEventLoop wait;
    QObject::connect(&ctl, &QProcess::finished, &wait, &QEventLoop::quit);
    QObject::connect(&ctl, &QProcess::errorOccurred, &wait, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    ctl.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zkvr340a-ctl"), args);
    wait.exec();
    seconds = double(t.nsecsElapsed()) / 1e9;
    if (ctl.state() != QProcess::NotRunning)
        ctl.waitForFinished(-1);
    if (ctl.exitStatus() != QProcess::NormalExit || ctl.exitCode() != 0) {
        std::fprintf(stderr, "zkvr340a-ctl %s failed: %s\n", qPrintable(args.join(' ')),
                     ctl.readAllStandardError().constData());
        return false;
    }
    return true;
}

// (c) The tool loads a file of all sixteen mixers that differs from what they
// hold by `differ`.
bool loadFigure(PacedSerialRig &rig, Differ differ, bool full)
{
    rig.comm->CommClose(); // the tool opens the line now
    const QString device = rig.serial.slavePath();
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("saved.ini"));
    const QString file = dir.filePath(QStringLiteral("chain.ini"));
    double seconds = 0;
    if (!runTool({"--serial", device, "save", saved}, seconds))
        return false;
    {
        QFile in(saved), out(file);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return false;
        out.write(differingFile(in.readAll(), differ));
    }
    const qint64 before = rig.lineBytes();
    int requests = 0;
    int writes = 0; // single values, each followed by the 0.06 s pause
    std::map<QByteArray, int> kinds; // requests by their two letters
    rig.serial.onRequest = [&](const QByteArray &r) {
        ++requests;
        ++kinds[r.left(2)];
        if (r.startsWith("DS") || r.startsWith("TS"))
            ++writes;
    };
    const QStringList load = full ? QStringList{"load", "--full"} : QStringList{"load"};
    const bool ok = runTool(QStringList{"--serial", device} + load + QStringList{file}, seconds);
    rig.serial.onRequest = {};
    if (!ok)
        return false;
    const qint64 bytes = rig.lineBytes() - before;
    const double line = rig.lineSeconds(bytes);
    const double ratio = seconds / line;
    const double pauses = writes * MixerProtocol::SetPause;
    std::printf("(c) zkvr340a-ctl load%s of a %d-mixer file differing in %s: %.2f s, %d requests, %lld line bytes = %.2f s on the line\n"
                "    %.2f x the line time; target <= %.1f: %s\n"
                "    (%d single writes, each followed by the 0.06 s pause: %.1f s; %.2f x line time plus pauses)\n",
                full ? " --full" : "", Chain, differName(differ), seconds, requests, static_cast<long long>(bytes), line, ratio, Target, verdict(ratio), writes,
                pauses, seconds / (line + pauses));
    QByteArray counted;
    for (const auto &[letters, n] : kinds)
        counted += ' ' + letters + ' ' + QByteArray::number(n);
    std::printf("    requests:%s\n", counted.constData());
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int rate = option(args, "--rate", 19200);
    const int edits = std::max(1, option(args, "--edits", 11));
    PacedSerialRig rig(Chain, rate);
    if (!rig.connect()) {
        std::fprintf(stderr, "could not open the paced pseudo-terminal\n");
        return 1;
    }
    std::printf("%d mixers, serial line paced to %d bit/s (%.3f ms a byte)\n", Chain, rate,
                rig.lineSeconds(1) * 1000);
    const bool counted = rig.runUntil([&] { return rig.mixers.MixerCount == Chain && rig.loop.StartupPolls == 0; }, 30);
    if (!counted) {
        std::fprintf(stderr, "the chain was not counted (%d mixers)\n", int(rig.mixers.MixerCount));
        return 1;
    }
    bool ok = pollFigure(rig) && editFigure(rig, edits);
    const QString differ = args.indexOf(QStringLiteral("--differ")) >= 0
                               ? args.value(args.indexOf(QStringLiteral("--differ")) + 1)
                               : QString();
    const bool full = args.contains(QStringLiteral("--full"));
    if (ok && !args.contains(QStringLiteral("--skip-load")) && differ != QLatin1String("every"))
        ok = loadFigure(rig, Differ::One, full);
    if (ok && !args.contains(QStringLiteral("--skip-load")) && differ != QLatin1String("one"))
        ok = loadFigure(rig, Differ::Every, full);
    return ok ? 0 : 1;
}
