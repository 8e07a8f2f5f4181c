#include "panel/figures.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int KindCount = Panel::FigureKinds;

FigureKind kindAt(int k)
{
    return FigureKind(k);
}

// A coordinate moved by the pointer may not leave the panel over its left
// or top edge, where nothing could reach it again; one already beyond it
// (from a file) may still come back.
qint32 keptOnPanel(qint32 old, qint64 moved)
{
    const qint64 floor = std::min<qint64>(0, old);
    return qint32(std::clamp<qint64>(moved, floor, std::numeric_limits<qint32>::max()));
}

// A figure of stacking order `order` leaves (or goes to the top): every
// figure above it moves down one.
void closeOrderGap(PanelState &panel, qint16 order)
{
    forEachFigure(panel, [order](FigureRef, Figure &f) {
        if (f.Order > order)
            --f.Order;
    });
}

} // namespace

TwipBox figureBox(const Figure &f)
{
    return {std::min(f.StartX, f.EndX), std::min(f.StartY, f.EndY), std::max(f.StartX, f.EndX),
            std::max(f.StartY, f.EndY)};
}

qint16 lineDirection(const QPoint &p0, const QPoint &p1)
{
    const bool left = p1.x() < p0.x();
    const bool up = p1.y() < p0.y();
    if (left == up)
        return 0;
    return left ? 1 : 2;
}

qint16 arcDirection(const QPoint &p0, const QPoint &p1)
{
    return qint16((p1.x() < p0.x() ? 1 : 0) + (p1.y() < p0.y() ? 2 : 0));
}

std::pair<QPoint, QPoint> lineEnds(const Figure &f)
{
    if (f.Direction == 0)
        return {QPoint(f.StartX, f.StartY), QPoint(f.EndX, f.EndY)};
    return {QPoint(f.EndX, f.StartY), QPoint(f.StartX, f.EndY)};
}

ArcGeometry arcGeometry(const Figure &f)
{
    const TwipBox b = figureBox(f);
    const bool wentLeft = f.Direction & 1;
    const bool wentUp = f.Direction & 2;
    const QPoint press(wentLeft ? b.right : b.left, wentUp ? b.bottom : b.top);
    const QPoint release(wentLeft ? b.left : b.right, wentUp ? b.top : b.bottom);

    ArcGeometry a;
    a.centre = QPoint(press.x(), release.y());
    a.radiusX = b.width();
    a.radiusY = b.height();
    // The quarter lies toward the corner at the release point's x and the
    // press point's y.
    const bool bulgeRight = release.x() > press.x() || (release.x() == press.x() && !wentLeft);
    const bool bulgeUp = press.y() < release.y() || (press.y() == release.y() && !wentUp);
    a.startAngle = bulgeUp ? (bulgeRight ? 0 : 90) : (bulgeRight ? 270 : 180);
    a.spanAngle = 90;
    auto pointAt = [&a](int degrees) {
        switch ((degrees % 360 + 360) % 360) {
        case 0: return a.centre + QPoint(a.radiusX, 0);
        case 90: return a.centre - QPoint(0, a.radiusY);
        case 180: return a.centre - QPoint(a.radiusX, 0);
        default: return a.centre + QPoint(0, a.radiusY);
        }
    };
    a.from = pointAt(a.startAngle);
    a.to = pointAt(a.startAngle + a.spanAngle);
    return a;
}

std::vector<HandleSquare> figureHandles(const Figure &f)
{
    const TwipBox b = figureBox(f);
    const qint32 midX = qint32((qint64(b.left) + b.right) / 2);
    const qint32 midY = qint32((qint64(b.top) + b.bottom) / 2);
    auto square = [](FigureHandle h, qint32 x, qint32 y) {
        const qint32 half = HandleSize / 2;
        return HandleSquare{h, {x - half, y - half, x + half, y + half}};
    };
    std::vector<HandleSquare> out{
        square(FigureHandle::TopLeft, b.left, b.top),
        square(FigureHandle::TopRight, b.right, b.top),
        square(FigureHandle::BottomLeft, b.left, b.bottom),
        square(FigureHandle::BottomRight, b.right, b.bottom),
    };
    if (b.width() > EdgeHandleMinimum) {
        out.push_back(square(FigureHandle::Top, midX, b.top));
        out.push_back(square(FigureHandle::Bottom, midX, b.bottom));
    }
    if (b.height() > EdgeHandleMinimum) {
        out.push_back(square(FigureHandle::Left, b.left, midY));
        out.push_back(square(FigureHandle::Right, b.right, midY));
    }
    return out;
}

Qt::CursorShape handleCursor(FigureHandle handle)
{
    switch (handle) {
    case FigureHandle::TopLeft:
    case FigureHandle::BottomRight: return Qt::SizeFDiagCursor;
    case FigureHandle::TopRight:
    case FigureHandle::BottomLeft: return Qt::SizeBDiagCursor;
    case FigureHandle::Top:
    case FigureHandle::Bottom: return Qt::SizeVerCursor;
    case FigureHandle::Left:
    case FigureHandle::Right: return Qt::SizeHorCursor;
    case FigureHandle::Move: return Qt::SizeAllCursor;
    case FigureHandle::None: break;
    }
    return Qt::ArrowCursor;
}

std::optional<qint16> figureWidthFromText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 4)
        return std::nullopt;
    for (const QChar c : t)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    const int v = t.toInt();
    if (v < 1 || v > MaxFigureWidth)
        return std::nullopt;
    return qint16(v);
}

qint16 styleForWidth(qint16 width, qint16 style)
{
    return width > 1 ? qint16(PenStyle::Solid) : style;
}

Qt::PenStyle figurePenStyle(qint16 style, qint16 width)
{
    switch (PenStyle(styleForWidth(width, style))) {
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::DashDot: return Qt::DashDotLine;
    case PenStyle::DashDotDot: return Qt::DashDotDotLine;
    case PenStyle::Solid: break;
    }
    return Qt::SolidLine;
}

// ---- FigureEditor --------------------------------------------------------------

FigureEditor::FigureEditor(PanelState &panel) : m_panel(panel) {}

bool FigureEditor::armed(FigureKind kind) const
{
    return m_panel.runtime.drawing.at(size_t(kind));
}

bool FigureEditor::anyArmed() const
{
    const auto &d = m_panel.runtime.drawing;
    return std::any_of(d.begin(), d.end(), [](bool b) { return b; });
}

bool FigureEditor::toggleArmed(FigureKind kind)
{
    const size_t k = size_t(kind);
    if (armed(kind)) {
        if (m_drawn[k])
            m_panel.runtime.drawing[k] = false;
        else
            giveBack(kind);
        return false;
    }
    if (m_panel.count(kind) >= Panel::FiguresPerKind)
        return false;
    m_panel.runtime.drawing[k] = true;
    m_drawn[k] = false;
    ++m_panel.count(kind);
    // No figure until the press that starts it gives it a place in the order.
    reservedEntry(kind).Order = 0;
    return true;
}

void FigureEditor::giveBack(FigureKind kind)
{
    m_panel.runtime.drawing[size_t(kind)] = false;
    if (m_panel.count(kind) > 0)
        --m_panel.count(kind);
}

void FigureEditor::disarmAll()
{
    if (m_drawing) {
        // A drawing cut short keeps what was drawn so far: its entries
        // already stand in the stacking order.
        for (int k = 0; k < KindCount; ++k)
            m_drawn[size_t(k)] = m_drawn[size_t(k)] || armed(kindAt(k));
        m_drawing = false;
    }
    for (int k = 0; k < KindCount; ++k)
        if (armed(kindAt(k)))
            toggleArmed(kindAt(k));
}

bool FigureEditor::disarmAfterRedraw()
{
    if (m_drawing)
        return false;
    bool any = false;
    for (int k = 0; k < KindCount; ++k) {
        if (!armed(kindAt(k)))
            continue;
        // A redraw for any other reason (a resize, the grid) would otherwise
        // leave an empty figure behind in the reserved entry.
        toggleArmed(kindAt(k));
        any = true;
    }
    return any;
}

Figure &FigureEditor::figure(FigureRef ref)
{
    return m_panel.list(ref.kind).at(size_t(ref.index));
}

Figure &FigureEditor::reservedEntry(FigureKind kind)
{
    return figure({kind, m_panel.count(kind) - 1});
}

std::optional<FigureRef> FigureEditor::selected() const
{
    const PanelRuntime &rt = m_panel.runtime;
    if (!rt.selectedKind || rt.selectedIndex < 0 || rt.selectedIndex >= m_panel.count(*rt.selectedKind))
        return std::nullopt;
    return FigureRef{*rt.selectedKind, rt.selectedIndex};
}

void FigureEditor::select(std::optional<FigureRef> ref)
{
    PanelRuntime &rt = m_panel.runtime;
    rt.selectedKind = ref ? std::optional<FigureKind>(ref->kind) : std::nullopt;
    rt.selectedIndex = ref ? ref->index : -1;
}

bool FigureEditor::dropSelection()
{
    const bool was = selected().has_value();
    select(std::nullopt);
    m_handle = FigureHandle::None;
    return was;
}

std::optional<FigureRef> FigureEditor::hit(const QPoint &at, double twipsPerPixel) const
{
    std::optional<FigureRef> best;
    int bestOrder = 0;
    forEachFigure(m_panel, [&](FigureRef ref, const Figure &f) {
        const qint32 grow = qint32(std::max<qint16>(f.Width, 0) * twipsPerPixel / 2);
        TwipBox b = figureBox(f);
        b = {b.left - grow, b.top - grow, b.right + grow, b.bottom + grow};
        if (b.contains(at) && (!best || f.Order > bestOrder)) {
            best = ref;
            bestOrder = f.Order;
        }
    });
    return best;
}

FigureHandle FigureEditor::handleAt(const QPoint &at) const
{
    const auto sel = selected();
    if (!sel)
        return FigureHandle::None;
    for (const HandleSquare &h : figureHandles(m_panel.list(sel->kind)[size_t(sel->index)]))
        if (h.square.contains(at))
            return h.handle;
    return FigureHandle::None;
}

void FigureEditor::beginDrag(FigureHandle handle, const QPoint &at)
{
    const Figure &f = figure(*selected());
    m_handle = handle;
    m_changedWhileHeld = false;
    m_last = at;
    // Each handle moves the side of the box it stands on, also on a figure
    // whose Start lies beyond its End.
    m_leftIsStart = f.StartX <= f.EndX;
    m_topIsStart = f.StartY <= f.EndY;
}

FigureEditor::Press FigureEditor::press(const QPoint &at, Qt::MouseButton button, double twipsPerPixel)
{
    if (anyArmed()) {
        if (button != Qt::LeftButton)
            return Press::Nothing;
        m_drawing = true;
        m_pressPoint = at;
        for (int k = 0; k < KindCount; ++k) {
            if (!armed(kindAt(k)))
                continue;
            m_panel.FigureNum = qint16(m_panel.FigureNum + 1);
            Figure &f = reservedEntry(kindAt(k));
            f.Order = m_panel.FigureNum;
            f.StartX = f.EndX = at.x();
            f.StartY = f.EndY = at.y();
            f.Direction = 0;
        }
        return Press::Drawing;
    }
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return Press::Nothing;
    if (button == Qt::LeftButton && selected()) {
        const FigureHandle h = handleAt(at);
        if (h != FigureHandle::None) {
            beginDrag(h, at);
            return Press::Resizing;
        }
    }
    const auto target = hit(at, twipsPerPixel);
    if (!target) {
        dropSelection();
        return Press::Missed;
    }
    select(target);
    if (button == Qt::RightButton)
        return Press::Menu;
    beginDrag(FigureHandle::Move, at);
    return Press::Moving;
}

bool FigureEditor::move(const QPoint &at)
{
    if (m_drawing) {
        for (int k = 0; k < KindCount; ++k) {
            if (!armed(kindAt(k)))
                continue;
            Figure &f = reservedEntry(kindAt(k));
            // The rubber band is the figure as the release would leave it.
            f.StartX = std::min(m_pressPoint.x(), at.x());
            f.EndX = std::max(m_pressPoint.x(), at.x());
            f.StartY = std::min(m_pressPoint.y(), at.y());
            f.EndY = std::max(m_pressPoint.y(), at.y());
            if (kindAt(k) == FigureKind::Line)
                f.Direction = lineDirection(m_pressPoint, at);
            else if (kindAt(k) == FigureKind::Arc)
                f.Direction = arcDirection(m_pressPoint, at);
        }
        return true;
    }
    const auto sel = selected();
    if (m_handle == FigureHandle::None || !sel)
        return false;
    const QPoint d = at - m_last;
    m_last = at;
    if (d.isNull())
        return false;
    Figure &f = figure(*sel);
    qint32 &left = m_leftIsStart ? f.StartX : f.EndX;
    qint32 &right = m_leftIsStart ? f.EndX : f.StartX;
    qint32 &top = m_topIsStart ? f.StartY : f.EndY;
    qint32 &bottom = m_topIsStart ? f.EndY : f.StartY;
    auto shift = [](qint32 &v, int delta) { v = keptOnPanel(v, qint64(v) + delta); };
    switch (m_handle) {
    case FigureHandle::TopLeft: shift(left, d.x()); shift(top, d.y()); break;
    case FigureHandle::TopRight: shift(right, d.x()); shift(top, d.y()); break;
    case FigureHandle::BottomLeft: shift(left, d.x()); shift(bottom, d.y()); break;
    case FigureHandle::BottomRight: shift(right, d.x()); shift(bottom, d.y()); break;
    case FigureHandle::Top: shift(top, d.y()); break;
    case FigureHandle::Bottom: shift(bottom, d.y()); break;
    case FigureHandle::Left: shift(left, d.x()); break;
    case FigureHandle::Right: shift(right, d.x()); break;
    case FigureHandle::Move: {
        const TwipBox b = figureBox(f);
        const int dx = int(keptOnPanel(b.left, qint64(b.left) + d.x()) - b.left);
        const int dy = int(keptOnPanel(b.top, qint64(b.top) + d.y()) - b.top);
        f.StartX += dx;
        f.EndX += dx;
        f.StartY += dy;
        f.EndY += dy;
        break;
    }
    case FigureHandle::None: break;
    }
    m_changedWhileHeld = true;
    return true;
}

bool FigureEditor::release(const QPoint &at)
{
    if (m_drawing) {
        move(at);
        m_drawing = false;
        for (int k = 0; k < KindCount; ++k)
            if (armed(kindAt(k)))
                m_drawn[size_t(k)] = true;
        return true;
    }
    if (m_handle == FigureHandle::None)
        return false;
    move(at);
    m_handle = FigureHandle::None;
    return true;
}

Qt::CursorShape FigureEditor::cursorAt(const QPoint &at) const
{
    if (m_handle != FigureHandle::None)
        return handleCursor(m_handle);
    if (anyArmed())
        return Qt::CrossCursor;
    return handleCursor(handleAt(at));
}

void FigureEditor::removeEntry(FigureRef ref)
{
    FigureList &list = m_panel.list(ref.kind);
    qint16 &count = m_panel.count(ref.kind);
    const qint16 order = list[size_t(ref.index)].Order;
    for (int i = ref.index; i + 1 < count; ++i)
        list[size_t(i)] = list[size_t(i + 1)];
    if (count > 0)
        list[size_t(count - 1)] = Figure{};
    count = qint16(std::max(0, count - 1));
    closeOrderGap(m_panel, order);
    m_panel.FigureNum = qint16(std::max(0, m_panel.FigureNum - 1));
}

void FigureEditor::deleteSelected()
{
    const auto sel = selected();
    if (!sel)
        return;
    removeEntry(*sel);
    dropSelection();
}

void FigureEditor::bringToFront()
{
    const auto sel = selected();
    if (!sel)
        return;
    closeOrderGap(m_panel, figure(*sel).Order);
    figure(*sel).Order = m_panel.FigureNum;
    dropSelection();
}

void FigureEditor::sendToBack()
{
    const auto sel = selected();
    if (!sel)
        return;
    // Everything beneath it moves up one to make room at the bottom.
    const qint16 order = figure(*sel).Order;
    forEachFigure(m_panel, [order](FigureRef, Figure &f) {
        if (f.Order < order)
            ++f.Order;
    });
    figure(*sel).Order = 1;
    dropSelection();
}

void FigureEditor::setStyle(FigureRef ref, qint32 colour, qint16 width, qint16 style)
{
    Figure &f = figure(ref);
    f.Color = colour;
    f.Width = width;
    f.Style = style;
}

void FigureEditor::clearAll()
{
    disarmAll();
    for (FigureList &list : m_panel.figures)
        list.fill(Figure{});
    m_panel.figureCounts.fill(0);
    m_panel.FigureNum = 0;
    dropSelection();
}
