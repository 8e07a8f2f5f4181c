// The panel window with all 144 buttons of sixteen mixers: how long opening,
// switching to the execution state and back, and one move-timer tick of the
// whole selection take. Median of 20 runs each, offscreen.

#include "base/dialogs.h"
#include "base/loopstate.h"
#include "link/linkstate.h"
#include "mixer/mixerdata.h"
#include "panel/panelsections.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/frmmdi.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 20;

double medianMs(const std::function<void()> &run)
{
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return (ms[Runs / 2 - 1] + ms[Runs / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScriptedDialogs dialogs;
    LinkState link;
    link.linkKind = LinkKind::Offline;
    LoopState loop;
    MixerState mixers;
    mixers.MixerCount = 16;
    MixerStateSettings mixerSettings(mixers);
    SettingsFiles files;
    PanelState panel;
    panel.defaults = PanelDefaults::fromStrings();
    SettingsCommands settings(files, mixerSettings, panel, loop, link, dialogs);

    // Every slot of every mixer holds a two-line button.
    {
        PanelState full;
        full.defaults = panel.defaults;
        qint16 fm = 0;
        ResetPanel(full, fm, PanelContext{});
        for (int m = 0; m < Panel::MaxMixers; ++m)
            for (int s = 0; s < Panel::SlotsPerMixer; ++s) {
                ButtonSlot &b = full.slot(m, s);
                b = resetSlot(full.defaults, s);
                b.IconEnable = true;
                b.IconLeft = 1600 * s;
                b.IconTop = 1100 * m;
                b.IconWidth = 1500;
                b.IconHeight = 1000;
                b.IconText = QStringLiteral("委員 %1\r\n席 %2").arg(m).arg(s);
            }
        full.IconNum = Panel::MaxButtons;
        StorePanel(full, files.SetDataTable, Panel::MaxMixers);
        files.SetDataTable.set(SystemKey::MixerCount, SystemKey::Section, QStringLiteral("16"));
    }

    auto context = [&] {
        return PanelWindowContext{panel, mixers, link, files, settings, dialogs, {}, {}, 96};
    };
    const double open = medianMs([&] {
        FrmMdi w(context());
        w.show();
        QApplication::processEvents();
    });

    FrmMdi w(context());
    w.show();
    QApplication::processEvents();
    const double toExecution = medianMs([&] {
        w.action(PanelCommand::Execution)->trigger();
        QApplication::processEvents();
        w.action(PanelCommand::Stop)->trigger();
        QApplication::processEvents();
    });

    // The whole selection held by the pointer: each tick places 144 windows.
    for (int m = 0; m < Panel::MaxMixers; ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s)
            panel.slot(m, s).selected = true;
    FrmEditIcon *held = w.designButton({0, 0});
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton b, Qt::MouseButtons bs) {
        QMouseEvent e(type, QPointF(at), QPointF(held->mapToGlobal(at)), b, bs, {});
        QApplication::sendEvent(held, &e);
    };
    send(QEvent::MouseButtonPress, {30, 30}, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    const double tick = medianMs([&] {
        const int dx = (++step % 2) ? 1 : -1;
        send(QEvent::MouseMove, {30 + dx, 30}, Qt::NoButton, Qt::LeftButton);
        w.moveTick();
    });
    send(QEvent::MouseButtonRelease, {30, 30}, Qt::LeftButton, Qt::NoButton);

    std::printf("144 buttons: open %.1f ms, design -> execution -> design %.1f ms, "
                "one move-timer tick with all 144 held %.2f ms\n",
                open, toExecution, tick);
    return 0;
}
