// Prints two figures of the verified write over loopback TCP:
//  (a) edit-to-verified latency: the median of 20 single edits made at
//      random moments while the loop polls (target: at most 0.10 s; the
//      write goes out as soon as the poll's reply is in);
//  (b) seconds per value of one SetData run over 200 values, as a ratio to
//      the 0.06 s pause every write carries (target: at most 1.15).

#include "tests/mixer/loopbackrig.h"

#include "link/protocol.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int latency(LoopbackRig &rig)
{
    QRandomGenerator random(3);
    std::vector<double> seconds;
    for (int edit = 0; edit < 20; ++edit) {
        const int mixer = 1 + edit % 3;
        const int key = channelKeyId(ChannelFamily::InputGain, 1 + edit % 8);
        double editedAt = -1;
        // Somewhere inside the next poll interval.
        QTimer::singleShot(random.bounded(400), [&] {
            editedAt = rig.clock.now();
            rig.sync->submit(mixer, key, 100 + edit, Submit::Copy);
        });
        double verifiedAt = -1;
        const bool ok = rig.runLoop([&] { return verifiedAt >= 0; }, 20, [&](const SetDataOutcome &o) {
            if (o.verified && !rig.mixers.anyPending(mixer))
                verifiedAt = rig.clock.now();
        });
        if (!ok || editedAt < 0) {
            std::fprintf(stderr, "edit %d was not verified\n", edit);
            return 1;
        }
        seconds.push_back(verifiedAt - editedAt);
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = (seconds[9] + seconds[10]) / 2;
    std::printf("edit-to-verified latency over loopback TCP, 20 edits while polling:\n"
                "  median %.3f s (min %.3f, max %.3f), %.2f x the target of 0.10 s: %s\n",
                median, seconds.front(), seconds.back(), median / 0.10, median <= 0.10 ? "met" : "MISSED");
    return 0;
}

int bulk(LoopbackRig &rig)
{
    // 200 values the read-back compares: channel values (Priority only as
    // channel 1), the output values and the threshold, over three mixers.
    int values = 0;
    for (int m = 1; m <= 3 && values < 200; ++m) {
        for (int id = 1; id <= MixerKey::Threshold && values < 200; ++id) {
            const bool priorityOther = id > 49 && id <= 56;
            const bool gate = id >= MixerKey::ThresholdAction && id <= MixerKey::KeyLock;
            if (priorityOther || gate)
                continue;
            const int now = rig.mixers.MixerSetData[size_t(m)].value(id);
            rig.sync->submit(m, id, id == MixerKey::Threshold ? now + 1 : (now + 1) % 256, Submit::Copy);
            ++values;
        }
    }
    const double start = rig.clock.now();
    rig.sync->writePending();
    const double elapsed = rig.clock.now() - start;
    const SetDataOutcome &o = rig.sync->lastOutcome();
    const double perValue = elapsed / values;
    const double ratio = perValue / MixerProtocol::SetPause;
    std::printf("one SetData run over %d values: %.2f s in %d pass(es), %s\n"
                "  %.4f s per value = %.3f x the 0.06 s pause; target <= 1.15: %s\n",
                values, elapsed, o.passes, o.verified ? "verified" : "NOT verified", perValue, ratio,
                ratio <= 1.15 ? "met" : "MISSED");
    return o.verified ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SimOptions options;
    options.mixers = 3;
    LoopbackRig rig(options);
    if (!rig.connect()) {
        std::fprintf(stderr, "could not reach the virtual mixer on loopback\n");
        return 1;
    }
    rig.sync->CheckAccess();
    if (!rig.runLoop([&] { return rig.mixers.MixerCount == 3 && rig.loop.StartupPolls == 0; }, 10)) {
        std::fprintf(stderr, "the virtual mixer did not answer the polls\n");
        return 1;
    }
    const int a = latency(rig);
    const int b = bulk(rig);
    return a || b;
}
