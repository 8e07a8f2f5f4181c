// The designer's history on a full panel: 144 buttons of sixteen mixers and
// 40 figures in the panel window (offscreen). 200 design steps are made
// (buttons moved one by one, every fifth step a figure moved instead, every
// tenth the window colour changed), then undone one by one and redone one by
// one; each undo and redo is timed with the window brought up to date. The
// same steps on the history alone, without a window, show what the
// bookkeeping itself costs, and the window's work without waiting for its
// paint what the updating costs. Medians and the slowest step (a figure or
// colour step repaints the whole surface), in milliseconds.

#include "base/dialogs.h"
#include "bench/panel/fullpanel.h"
#include "base/loopstate.h"
#include "link/linkstate.h"
#include "mixer/mixerdata.h"
#include "panel/designhistory.h"
#include "panel/ui/frmmdi.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"
#include "settings/panelsections.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Steps = 200;

struct Figures
{
    double median = 0;
    double slowest = 0;
};

Figures summary(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    if (n == 0)
        return {};
    return {n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2, ms.back()};
}

void fill(PanelState &p)
{
    placeEveryButton(p);
    for (int k = 0; k < Panel::FigureKinds; ++k) {
        p.count(FigureKind(k)) = Panel::FiguresPerKind;
        for (int i = 0; i < Panel::FiguresPerKind; ++i)
            p.list(FigureKind(k))[size_t(i)] =
                Figure{500 + 1500 * i, 400 + 3000 * k, 2000 + 1500 * i, 2800 + 3000 * k, 0x204080, 2, 0, 0,
                       qint16(10 * k + i + 1)};
    }
    p.FigureNum = 40;
}

// One design step of the run: which button or figure changes is spread
// over the whole panel.
void change(PanelState &p, int i)
{
    if (i % 10 == 9) {
        p.GUIWindowColor ^= 0x000101;
    } else if (i % 5 == 4) {
        Figure &f = p.list(FigureKind(i % 4))[size_t(i % 10)];
        f.StartX += 100;
        f.EndX += 100;
    } else {
        ButtonSlot &b = p.slot((i / 9) % Panel::MaxMixers, i % 9);
        b.IconLeft += 100;
        b.IconTop += 50;
    }
}

DesignStep stepOf(int i)
{
    return i % 10 == 9 ? DesignStep::WindowColor : i % 5 == 4 ? DesignStep::FigureMove : DesignStep::Move;
}

template <typename Run>
std::vector<double> timed(int n, Run run)
{
    std::vector<double> ms;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // The history alone.
    PanelState bare;
    bare.defaults = PanelDefaults::fromStrings();
    fill(bare);
    DesignHistory alone(bare);
    const Figures commitAlone = summary(timed(Steps, [&, i = 0]() mutable {
        change(bare, i);
        alone.commit(stepOf(i++));
    }));
    const Figures undoAlone = summary(timed(Steps, [&] { alone.stack().undo(); }));
    const Figures redoAlone = summary(timed(Steps, [&] { alone.stack().redo(); }));

    // The panel window.
    OfflinePanelBench bench(fill);
    PanelState &panel = bench.panel;
    FrmMdi w(bench.context());
    w.resize(1280, 800);
    w.show();
    QApplication::processEvents();
    DesignHistory &history = w.history();
    for (int i = 0; i < Steps; ++i) {
        change(panel, i);
        history.commit(stepOf(i));
    }
    const int recorded = history.stack().count();
    const Figures undo = summary(timed(Steps, [&] {
        history.stack().undo();
        QApplication::processEvents();
    }));
    const Figures redo = summary(timed(Steps, [&] {
        history.stack().redo();
        QApplication::processEvents();
    }));

    const Figures undoNoPaint = summary(timed(Steps, [&] { history.stack().undo(); }));
    QApplication::processEvents();
    const Figures redoNoPaint = summary(timed(Steps, [&] { history.stack().redo(); }));
    QApplication::processEvents();
    std::printf("144 buttons and 40 figures, %d design steps (%d recorded)\n"
                "in the panel window: undo median %.3f ms (slowest %.2f), redo median %.3f ms (slowest %.2f)\n"
                "the window's own work without its painting: undo median %.3f ms, redo median %.3f ms\n"
                "history alone: record median %.3f ms, undo median %.3f ms, redo median %.3f ms\n",
                Steps, recorded, undo.median, undo.slowest, redo.median, redo.slowest, undoNoPaint.median,
                redoNoPaint.median, commitAlone.median, undoAlone.median, redoAlone.median);
    return 0;
}
