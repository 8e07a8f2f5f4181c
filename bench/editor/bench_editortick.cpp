// Prints what one tick of the editor window costs while nothing changes: the
// master's editor open on three mixers whose values stay as they are, every
// value's reply fresh (median of 500 ticks, in microseconds). In the running
// program the ticks come 140 ms apart and find the processor's caches filled
// with other work, so before each tick a buffer larger than the caches is
// walked (not timed); the idle figure of the whole program
// (bench_idlewindows) counts these ticks seven times a second.
//
//   bench_editortick [--ticks N]

#include "base/dialogs.h"
#include "bench/medianms.h"
#include "editor/ui/frmmixer.h"
#include "link/linkstate.h"
#include "tests/editor/recordedsync.h"

#include <QApplication>
#include <QCommandLineParser>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    p.addOption({"ticks", "ticks measured", "n", "500"});
    p.process(app);
    const int ticks = std::max(1, p.value("ticks").toInt());

    MixerState mixers;
    mixers.MixerCount = 3;
    for (int m = 1; m <= 3; ++m)
        mixers.Model[size_t(m)] = 1;
    EditorState editor;
    RecordedSync sync(mixers);
    // The window's ticks ask the job loop for nothing.
    struct NoJobs : EditorJobs
    {
        void readExtended() override {}
        void writeExtended(int) override {}
        void initialise(int, int) override {}
        bool withdrawEditorJobs() override { return false; }
    } jobs;
    LinkState link;
    ScriptedDialogs dialogs;
    FrmMixerContext context{EditorEnv{mixers, editor, sync, nullptr}, jobs, link, dialogs, {}, {}};
    FrmMixer w(context, 1, false);
    w.show();
    // The first ticks show the values and settle the window's interval.
    for (int i = 0; i < 5; ++i)
        w.Timer1();
    QCoreApplication::processEvents();

    std::vector<char> other(size_t(64) << 20);
    unsigned sum = 0;
    std::vector<double> each;
    for (int i = 0; i < ticks; ++i) {
        for (size_t k = 0; k < other.size(); k += 64)
            sum += unsigned(++other[k]);
        each.push_back(medianMs(1, [&] { w.Timer1(); }));
    }
    std::sort(each.begin(), each.end());
    const double ms = each[each.size() / 2];
    std::printf("editor tick with nothing changed (3 mixers, master's editor): median %.2f us over %d ticks\n",
                ms * 1000.0, ticks);
    return sum == 0xFFFFFFFFu; // keeps the walk
}
