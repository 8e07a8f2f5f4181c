// The panel window with all 144 buttons of sixteen mixers: how long opening,
// switching to the execution state and back, and one move-timer tick of the
// whole selection take; then, beneath them, 39 figures, a dense grid and a
// large photograph fitted to the window: how long one step of drawing a
// figure (a redraw and a repaint of the visible surface) takes. Median of 20
// runs each, offscreen.

#include "bench/medianms.h"
#include "bench/panel/fullpanel.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "link/linkstate.h"
#include "mixer/mixerdata.h"
#include "settings/panelsections.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/frmmdi.h"
#include "panel/ui/frmimagesetting.h"
#include "panel/ui/panelsurface.h"
#include "settings/loadsave.h"
#include "settings/mixersections.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 20;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Every slot of every mixer holds a two-line button.
    OfflinePanelBench bench(placeEveryButton);
    PanelState &panel = bench.panel;
    auto context = [&] { return bench.context(); };
    const double open = medianMs(Runs, [&] {
        FrmMdi w(context());
        w.show();
        QApplication::processEvents();
    });

    FrmMdi w(context());
    w.show();
    QApplication::processEvents();
    const double toExecution = medianMs(Runs, [&] {
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
    const double tick = medianMs(Runs, [&] {
        const int dx = (++step % 2) ? 1 : -1;
        send(QEvent::MouseMove, {30 + dx, 30}, Qt::NoButton, Qt::LeftButton);
        w.moveTick();
    });
    send(QEvent::MouseButtonRelease, {30, 30}, Qt::LeftButton, Qt::NoButton);

    for (int m = 0; m < Panel::MaxMixers; ++m)
        for (int s = 0; s < Panel::SlotsPerMixer; ++s)
            panel.slot(m, s).selected = false;

    // A 4000 x 3000 photograph fitted to a 1280 x 800 window, a grid every
    // 100 twips, 39 figures, and a fortieth being drawn.
    QTemporaryDir dir;
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(QColor(0xe8, 0xe0, 0xd0));
    {
        QPainter p(&photo);
        for (int i = 0; i < 3000; i += 40)
            p.fillRect(0, i, 4000, 20, QColor(0xd0, 0xc8, 0xb8));
    }
    const QString photoPath = dir.filePath(QStringLiteral("photo.jpg"));
    photo.save(photoPath);
    w.resize(1280, 800);
    panel.image = {true, photoPath, qint16(ImageStretchMode::FitWindow), 0, 0, 100, 100};
    panel.GridOnOff = true;
    panel.GridInterval = 100;
    for (int k = 0; k < Panel::FigureKinds; ++k) {
        panel.count(FigureKind(k)) = qint16(k == 3 ? 9 : 10);
        for (int i = 0; i < panel.count(FigureKind(k)); ++i)
            panel.list(FigureKind(k))[size_t(i)] =
                Figure{500 + 1500 * i, 400 + 3000 * k, 2000 + 1500 * i, 2800 + 3000 * k, 0x204080, 2, 0, 0,
                       qint16(10 * k + i + 1)};
    }
    panel.FigureNum = 39;
    w.action(PanelCommand::Image)->trigger();
    QApplication::processEvents();
    w.imageDialog()->accept();
    w.moveTick();
    w.moveTick();
    w.action(PanelCommand::Arc)->trigger();
    PanelSurface *surface = w.surface();
    auto onSurface = [&](QEvent::Type type, QPoint at, Qt::MouseButton b, Qt::MouseButtons bs) {
        QMouseEvent e(type, QPointF(at), QPointF(surface->mapToGlobal(at)), b, bs, {});
        QApplication::sendEvent(surface, &e);
    };
    onSurface(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    const double drawStep = medianMs(Runs, [&] {
        const int d = 200 + (++step % 2) * 50;
        onSurface(QEvent::MouseMove, {d, d}, Qt::NoButton, Qt::LeftButton);
        surface->repaint();
    });
    onSurface(QEvent::MouseButtonRelease, {300, 300}, Qt::LeftButton, Qt::NoButton);

    std::printf("144 buttons: open %.1f ms, design -> execution -> design %.1f ms, "
                "one move-timer tick with all 144 held %.2f ms\n"
                "beneath them 40 figures, a grid every 100 twips and a fitted 4000 x 3000 photograph: "
                "one step of drawing a figure (redraw and repaint) %.2f ms\n",
                open, toExecution, tick, drawStep);
    return 0;
}
