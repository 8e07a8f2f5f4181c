#include "panel/panelbackdrop.h"

#include "base/strings.h"

#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Percent of a natural size, to the nearest whole pixel; large values
// saturate instead of wrapping.
int scaled(int natural, qint32 percent)
{
    const double v = std::round(double(natural) * double(percent) / 100.0);
    return int(std::clamp(v, -1.0, double(MaxSurfacePixels)));
}

qint64 farthest(const PanelState &panel, bool horizontal)
{
    qint64 reach = 0;
    forEachFigure(panel, [&](FigureRef, const Figure &f) {
        const TwipBox b = figureBox(f);
        reach = std::max<qint64>(reach, horizontal ? b.right : b.bottom);
    });
    return reach;
}

void paintGrid(QPainter &p, const QRect &exposed, const PanelState &panel, const PanelLayout &layout,
               const TwipScale &scale)
{
    const qint64 interval = std::max<qint32>(1, panel.GridInterval);
    p.setPen(QPen(colorFromValue(quint32(panel.GridColor)), 1, Qt::SolidLine, Qt::FlatCap));
    p.setRenderHint(QPainter::Antialiasing, false);
    const int widthPx = scale.toPixels(layout.surfaceWidth);
    const int heightPx = scale.toPixels(layout.surfaceHeight);
    // Lines at 0, interval, 2 x interval ... up to the surface's edge; only
    // those in the exposed part, each pixel column or row once.
    auto lines = [&](int fromPx, int toPx, qint64 limitTwips, auto draw) {
        qint64 k = std::max<qint64>(0, qint64(std::floor(fromPx * scale.twipsPerPixel / double(interval))) - 1);
        int lastPx = std::numeric_limits<int>::min();
        for (;; ++k) {
            const qint64 at = k * interval;
            if (at > limitTwips)
                break;
            const int px = scale.toPixels(double(at));
            if (px > toPx)
                break;
            if (px == lastPx || px < fromPx)
                continue;
            lastPx = px;
            draw(px);
        }
    };
    lines(exposed.left(), exposed.right(), layout.surfaceWidth,
          [&](int x) { p.drawLine(x, 0, x, heightPx); });
    lines(exposed.top(), exposed.bottom(), layout.surfaceHeight,
          [&](int y) { p.drawLine(0, y, widthPx, y); });
}

QPointF px(const QPoint &twips, const TwipScale &scale)
{
    return {twips.x() / scale.twipsPerPixel, twips.y() / scale.twipsPerPixel};
}

void paintFigure(QPainter &p, FigureKind kind, const Figure &f, const TwipScale &scale)
{
    QPen pen(colorFromValue(quint32(f.Color) & 0xFFFFFF), std::max<qint16>(1, f.Width),
             figurePenStyle(f.Style, f.Width));
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // A pen of odd width is centred on the pixels' middle so that straight
    // edges stay crisp.
    const QPointF crisp = pen.width() % 2 ? QPointF(0.5, 0.5) : QPointF();
    const TwipBox b = figureBox(f);
    const QRectF box(px({b.left, b.top}, scale) + crisp, px({b.right, b.bottom}, scale) + crisp);
    switch (kind) {
    case FigureKind::Circle: p.drawEllipse(box); break;
    case FigureKind::Rect: p.drawRect(box); break;
    case FigureKind::Line: {
        const auto [from, to] = lineEnds(f);
        p.drawLine(px(from, scale) + crisp, px(to, scale) + crisp);
        break;
    }
    case FigureKind::Arc: {
        const ArcGeometry a = arcGeometry(f);
        const QPointF c = px(a.centre, scale) + crisp;
        const double rx = a.radiusX / scale.twipsPerPixel;
        const double ry = a.radiusY / scale.twipsPerPixel;
        p.drawArc(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry), a.startAngle * 16, a.spanAngle * 16);
        break;
    }
    }
}

} // namespace

QSize drawnImageSize(const ImageSettings &image, const QSize &natural, const QSize &clientPixels)
{
    QSize drawn;
    switch (ImageStretchMode(image.ImageStretch)) {
    case ImageStretchMode::Natural: drawn = natural; break;
    case ImageStretchMode::FitWindow: drawn = clientPixels; break;
    case ImageStretchMode::GivenSize:
        drawn = QSize(std::min(image.ImageWidth, MaxSurfacePixels), std::min(image.ImageHeight, MaxSurfacePixels));
        break;
    case ImageStretchMode::GivenScale:
        drawn = QSize(scaled(natural.width(), image.ImageXScale), scaled(natural.height(), image.ImageYScale));
        break;
    }
    if (natural.width() <= 0 || natural.height() <= 0 || drawn.width() <= 0 || drawn.height() <= 0)
        return {};
    return drawn;
}

PanelLayout layoutPanel(const PanelState &panel, const QSize &naturalImage, const QSize &clientPixels,
                        const QSize &reachPixels, const TwipScale &scale, bool gridShown)
{
    PanelLayout l;
    l.gridShown = gridShown;
    if (panel.image.ImageVisible)
        l.drawnImage = drawnImageSize(panel.image, naturalImage, clientPixels);
    const qint64 maxTwips = qint64(MaxSurfacePixels * scale.twipsPerPixel);
    auto extent = [&](int imagePx, bool horizontal, int clientPx, int reachPx) {
        qint64 v = qint64(std::llround(imagePx * scale.twipsPerPixel));
        v = std::max(v, farthest(panel, horizontal));
        v = std::max(v, qint64(std::llround(std::max(clientPx, reachPx) * scale.twipsPerPixel)));
        return qint32(std::min(v, maxTwips));
    };
    l.surfaceWidth = extent(l.drawnImage.width(), true, clientPixels.width(), reachPixels.width());
    l.surfaceHeight = extent(l.drawnImage.height(), false, clientPixels.height(), reachPixels.height());
    // A figure's pen reaches beyond its box's edge; the surface takes it in.
    l.surfacePixels = QSize(std::max(scale.toPixels(l.surfaceWidth), clientPixels.width()),
                            std::max(scale.toPixels(l.surfaceHeight), clientPixels.height()));
    l.surfacePixels = l.surfacePixels.expandedTo(reachPixels);
    return l;
}

void paintPanel(QPainter &p, const QRect &exposed, const PanelState &panel, const PanelLayout &layout,
                const QImage &image, const TwipScale &scale)
{
    p.save();
    p.setClipRect(exposed);
    p.fillRect(exposed, colorFromValue(quint32(panel.GUIWindowColor) & 0xFFFFFF));

    if (!layout.drawnImage.isEmpty() && !image.isNull()) {
        const QRect target(QPoint(0, 0), layout.drawnImage);
        if (image.size() == layout.drawnImage)
            p.drawImage(target.topLeft(), image);
        else
            p.drawImage(target, image);
    }

    if (layout.gridShown)
        paintGrid(p, exposed, panel, layout, scale);

    // Kind by kind, each list in index order; Order decides selection only.
    p.setRenderHint(QPainter::Antialiasing, true);
    forEachFigure(panel, [&](FigureRef ref, const Figure &f) { paintFigure(p, ref.kind, f, scale); });

    const PanelRuntime &rt = panel.runtime;
    if (rt.selectedKind && rt.selectedIndex >= 0 && rt.selectedIndex < panel.count(*rt.selectedKind)) {
        p.setRenderHint(QPainter::Antialiasing, false);
        const Figure &f = panel.list(*rt.selectedKind)[size_t(rt.selectedIndex)];
        for (const HandleSquare &h : figureHandles(f))
            p.fillRect(QRectF(px({h.square.left, h.square.top}, scale), px({h.square.right, h.square.bottom}, scale)),
                       Qt::black);
    }
    p.restore();
}

QImage loadPanelImage(const QString &path)
{
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

RedrawTick redrawTick(PanelRuntime::Redraws &countdown)
{
    RedrawTick t;
    if (countdown.left <= 0)
        return t;
    --countdown.left;
    t.redraw = true;
    t.scrollToOrigin = countdown.left == 0 && std::exchange(countdown.thenToOrigin, false);
    return t;
}
