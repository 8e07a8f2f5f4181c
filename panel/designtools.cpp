#include "panel/designtools.h"

#include "base/strings.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

namespace Res {
constexpr int Output = 10342;        // "出力設定"
constexpr int ChannelItem = 10352;   // "ch %1"
constexpr int CopyCaption = 14202;   // "%1 (%2)"
} // namespace Res

qint32 clampTwips(qint64 v)
{
    return qint32(std::clamp<qint64>(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

qint32 roundTwips(double v)
{
    return clampTwips(std::llround(v));
}

bool inside(const QRect &band, const TwipBox &box)
{
    return box.left >= band.left() && box.right <= band.right() && box.top >= band.top()
           && box.bottom <= band.bottom();
}

TwipBox boxOf(const ButtonSlot &s)
{
    return {s.IconLeft, s.IconTop, roundTwips(s.IconLeft + s.IconWidth), roundTwips(s.IconTop + s.IconHeight)};
}

} // namespace

QString buttonChannelName(ButtonRef button)
{
    if (button.isOutput())
        return str(Res::Output);
    return str(Res::ChannelItem).arg(panelChannelNumber(button.mixer, button.slot));
}

QString copiedCaption(const QString &caption, ButtonRef to)
{
    QStringList lines = captionLines(caption);
    if (lines.isEmpty())
        lines << QString();
    QString &last = lines.last();
    // A copy of a copy: the channel named before goes, the new one comes.
    QStringList names{str(Res::Output)};
    for (int n = 1; n <= Panel::MaxMixers * Panel::ChannelSlots; ++n)
        names << str(Res::ChannelItem).arg(n);
    for (const QString &name : names) {
        const QString named = str(Res::CopyCaption).arg(QString(), name);
        if (last.endsWith(named)) {
            last.chop(named.size());
            break;
        }
    }
    last = str(Res::CopyCaption).arg(last, buttonChannelName(to)).trimmed();
    return joinCaptionLines(lines);
}

qint32 snapToGrid(qint64 v, qint32 interval)
{
    if (interval < 1)
        return clampTwips(v);
    const double steps = std::round(double(v) / double(interval));
    return clampTwips(qint64(steps) * interval);
}

QPoint snapMoveDelta(qint32 left, qint32 top, qint32 interval)
{
    return {int(snapToGrid(left, interval) - left), int(snapToGrid(top, interval) - top)};
}

ButtonBox snapResize(ButtonBox box, Qt::Edges edges, qint32 interval, double minimum)
{
    if (interval < 1)
        return box;
    const double least = std::max<double>(minimum, interval);
    if (edges & Qt::LeftEdge) {
        const double right = box.right();
        qint32 left = snapToGrid(box.left, interval);
        while (right - left < least)
            left -= interval;
        box.left = left;
        box.width = right - left;
    }
    if (edges & Qt::RightEdge) {
        double right = snapToGrid(qint64(std::llround(box.right())), interval);
        while (right - box.left < least)
            right += interval;
        box.width = right - box.left;
    }
    if (edges & Qt::TopEdge) {
        const double bottom = box.bottom();
        qint32 top = snapToGrid(box.top, interval);
        while (bottom - top < least)
            top -= interval;
        box.top = top;
        box.height = bottom - top;
    }
    if (edges & Qt::BottomEdge) {
        double bottom = snapToGrid(qint64(std::llround(box.bottom())), interval);
        while (bottom - box.top < least)
            bottom += interval;
        box.height = bottom - box.top;
    }
    return box;
}

void snapFigure(Figure &f, FigureHandle handle, qint32 interval)
{
    if (interval < 1 || handle == FigureHandle::None)
        return;
    if (handle == FigureHandle::Move) {
        const TwipBox b = figureBox(f);
        const QPoint d = snapMoveDelta(b.left, b.top, interval);
        f.StartX += d.x();
        f.EndX += d.x();
        f.StartY += d.y();
        f.EndY += d.y();
        return;
    }
    // The edges the handle moves: which stored coordinate is the left (or
    // top) edge follows from the box.
    qint32 &left = f.StartX <= f.EndX ? f.StartX : f.EndX;
    qint32 &right = f.StartX <= f.EndX ? f.EndX : f.StartX;
    qint32 &top = f.StartY <= f.EndY ? f.StartY : f.EndY;
    qint32 &bottom = f.StartY <= f.EndY ? f.EndY : f.StartY;
    auto snap = [interval](qint32 &v) { v = snapToGrid(v, interval); };
    switch (handle) {
    case FigureHandle::TopLeft: snap(left); snap(top); break;
    case FigureHandle::TopRight: snap(right); snap(top); break;
    case FigureHandle::BottomLeft: snap(left); snap(bottom); break;
    case FigureHandle::BottomRight: snap(right); snap(bottom); break;
    case FigureHandle::Top: snap(top); break;
    case FigureHandle::Bottom: snap(bottom); break;
    case FigureHandle::Left: snap(left); break;
    case FigureHandle::Right: snap(right); break;
    default: break;
    }
}

std::vector<ButtonBox> alignBoxes(std::vector<ButtonBox> boxes, AlignEdge edge)
{
    if (boxes.size() < 2)
        return boxes;
    double left = boxes.front().left, top = boxes.front().top;
    double right = boxes.front().right(), bottom = boxes.front().bottom();
    for (const ButtonBox &b : boxes) {
        left = std::min<double>(left, b.left);
        top = std::min<double>(top, b.top);
        right = std::max(right, b.right());
        bottom = std::max(bottom, b.bottom());
    }
    for (ButtonBox &b : boxes) {
        switch (edge) {
        case AlignEdge::Left: b.left = roundTwips(left); break;
        case AlignEdge::Right: b.left = roundTwips(right - b.width); break;
        case AlignEdge::Top: b.top = roundTwips(top); break;
        case AlignEdge::Bottom: b.top = roundTwips(bottom - b.height); break;
        case AlignEdge::HorizontalCentre: b.left = roundTwips((left + right) / 2 - b.width / 2); break;
        case AlignEdge::VerticalCentre: b.top = roundTwips((top + bottom) / 2 - b.height / 2); break;
        }
    }
    return boxes;
}

std::vector<ButtonBox> distributeBoxes(std::vector<ButtonBox> boxes, Qt::Orientation axis)
{
    if (boxes.size() < 3)
        return boxes;
    const bool h = axis == Qt::Horizontal;
    std::vector<size_t> order(boxes.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return h ? boxes[a].left < boxes[b].left : boxes[a].top < boxes[b].top;
    });
    auto start = [h](const ButtonBox &b) { return double(h ? b.left : b.top); };
    auto extent = [h](const ButtonBox &b) { return h ? b.width : b.height; };
    const ButtonBox &first = boxes[order.front()];
    const ButtonBox &last = boxes[order.back()];
    const double span = start(last) + extent(last) - start(first);
    double sizes = 0;
    for (const ButtonBox &b : boxes)
        sizes += extent(b);
    const double gap = (span - sizes) / double(boxes.size() - 1);
    double at = start(first);
    for (size_t i = 0; i < order.size(); ++i) {
        ButtonBox &b = boxes[order[i]];
        // The outermost two stay exactly where they were.
        if (i != 0 && i + 1 != order.size())
            (h ? b.left : b.top) = roundTwips(at);
        at += extent(b) + gap;
    }
    return boxes;
}

std::vector<ButtonBox> matchSizes(std::vector<ButtonBox> boxes, SizeMatch match, size_t reference)
{
    if (reference >= boxes.size())
        return boxes;
    const ButtonBox ref = boxes[reference];
    for (ButtonBox &b : boxes) {
        if (match != SizeMatch::Height)
            b.width = ref.width;
        if (match != SizeMatch::Width)
            b.height = ref.height;
    }
    return boxes;
}

QPoint DesignClipboard::origin() const
{
    qint64 left = std::numeric_limits<qint32>::max(), top = std::numeric_limits<qint32>::max();
    for (const Button &b : buttons) {
        left = std::min<qint64>(left, b.slot.IconLeft);
        top = std::min<qint64>(top, b.slot.IconTop);
    }
    for (const FigureCopy &f : figures) {
        const TwipBox box = figureBox(f.figure);
        left = std::min<qint64>(left, box.left);
        top = std::min<qint64>(top, box.top);
    }
    return empty() ? QPoint() : QPoint(int(left), int(top));
}

void removeFigures(PanelState &panel, std::vector<FigureRef> refs)
{
    // From the highest index of each list down, so the others keep theirs.
    std::sort(refs.begin(), refs.end(), [](const FigureRef &a, const FigureRef &b) {
        return a.kind != b.kind ? int(a.kind) < int(b.kind) : a.index > b.index;
    });
    refs.erase(std::unique(refs.begin(), refs.end()), refs.end());
    for (const FigureRef &ref : refs) {
        FigureList &list = panel.list(ref.kind);
        qint16 &count = panel.count(ref.kind);
        if (ref.index < 0 || ref.index >= count)
            continue;
        const qint16 order = list[size_t(ref.index)].Order;
        for (int i = ref.index; i + 1 < count; ++i)
            list[size_t(i)] = list[size_t(i + 1)];
        list[size_t(count - 1)] = Figure{};
        --count;
        forEachFigure(panel, [order](FigureRef, Figure &f) {
            if (f.Order > order)
                --f.Order;
        });
        panel.FigureNum = qint16(std::max(0, panel.FigureNum - 1));
    }
}

DesignTools::DesignTools(PanelState &panel, FigureEditor &figures) : m_panel(panel), m_editor(figures)
{
}

std::vector<FigureRef> DesignTools::selectedFigures() const
{
    std::vector<FigureRef> out;
    for (const FigureRef &f : m_figures)
        if (f.index < m_panel.count(f.kind))
            out.push_back(f);
    if (const auto one = m_editor.selected())
        if (std::find(out.begin(), out.end(), *one) == out.end())
            out.push_back(*one);
    return out;
}

std::vector<ButtonRef> DesignTools::selectedButtons(int mixers) const
{
    std::vector<ButtonRef> out;
    for (const ButtonRef &b : enabledButtons(m_panel, mixers))
        if (m_panel.slot(b.mixer, b.slot).selected)
            out.push_back(b);
    return out;
}

bool DesignTools::anySelected(int mixers) const
{
    return !selectedButtons(mixers).empty() || !selectedFigures().empty();
}

std::vector<ButtonRef> DesignTools::selectBand(const QRect &band, bool add, int mixers)
{
    const QRect r = band.normalized();
    std::vector<ButtonRef> changed;
    for (const ButtonRef &b : enabledButtons(m_panel, mixers)) {
        ButtonSlot &s = m_panel.slot(b.mixer, b.slot);
        const bool take = inside(r, boxOf(s)) || (add && s.selected);
        if (take != s.selected) {
            s.selected = take;
            changed.push_back(b);
        }
    }
    if (!add) {
        m_figures.clear();
        m_editor.dropSelection();
    }
    forEachFigure(m_panel, [&](FigureRef ref, const Figure &f) {
        if (inside(r, figureBox(f)) && std::find(m_figures.begin(), m_figures.end(), ref) == m_figures.end())
            m_figures.push_back(ref);
    });
    return changed;
}

std::vector<ButtonRef> DesignTools::selectAll(int mixers)
{
    std::vector<ButtonRef> changed;
    for (const ButtonRef &b : enabledButtons(m_panel, mixers)) {
        ButtonSlot &s = m_panel.slot(b.mixer, b.slot);
        if (!s.selected) {
            s.selected = true;
            changed.push_back(b);
        }
    }
    m_figures.clear();
    forEachFigure(m_panel, [&](FigureRef ref, const Figure &) { m_figures.push_back(ref); });
    return changed;
}

std::vector<ButtonRef> DesignTools::clearSelection(int mixers)
{
    std::vector<ButtonRef> changed = selectedButtons(mixers);
    for (const ButtonRef &b : changed)
        m_panel.slot(b.mixer, b.slot).selected = false;
    m_figures.clear();
    m_editor.dropSelection();
    return changed;
}

std::vector<ButtonRef> DesignTools::moveSelection(QPoint delta, int mixers)
{
    const std::vector<ButtonRef> buttons = selectedButtons(mixers);
    return moveItems(buttons, selectedFigures(), delta) ? buttons : std::vector<ButtonRef>{};
}

bool DesignTools::moveSelectedFigures(QPoint delta)
{
    return moveItems({}, selectedFigures(), delta);
}

bool DesignTools::moveItems(const std::vector<ButtonRef> &buttons, const std::vector<FigureRef> &figures,
                            QPoint delta)
{
    // Nothing leaves over the left or top edge, where it could no longer be
    // reached; something already beyond it (from a file) may come back.
    qint64 dx = delta.x(), dy = delta.y();
    auto keep = [&](qint32 left, qint32 top) {
        dx = std::max<qint64>(dx, std::min<qint64>(0, -qint64(left)));
        dy = std::max<qint64>(dy, std::min<qint64>(0, -qint64(top)));
    };
    for (const ButtonRef &b : buttons)
        keep(m_panel.slot(b.mixer, b.slot).IconLeft, m_panel.slot(b.mixer, b.slot).IconTop);
    for (const FigureRef &f : figures) {
        const TwipBox box = figureBox(m_editor.figure(f));
        keep(box.left, box.top);
    }
    if (dx == 0 && dy == 0)
        return false;
    for (const ButtonRef &b : buttons) {
        ButtonSlot &s = m_panel.slot(b.mixer, b.slot);
        s.IconLeft = clampTwips(s.IconLeft + dx);
        s.IconTop = clampTwips(s.IconTop + dy);
    }
    for (const FigureRef &ref : figures) {
        Figure &f = m_editor.figure(ref);
        f.StartX = clampTwips(f.StartX + dx);
        f.EndX = clampTwips(f.EndX + dx);
        f.StartY = clampTwips(f.StartY + dy);
        f.EndY = clampTwips(f.EndY + dy);
    }
    return true;
}

namespace {

template <typename Arrange>
std::vector<ButtonRef> arrangeButtons(PanelState &panel, const std::vector<ButtonRef> &buttons, Arrange arrange)
{
    if (buttons.size() < 2)
        return {};
    std::vector<ButtonBox> boxes;
    for (const ButtonRef &b : buttons)
        boxes.push_back(ButtonBox::of(panel.slot(b.mixer, b.slot)));
    const std::vector<ButtonBox> placed = arrange(boxes);
    std::vector<ButtonRef> changed;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (placed[i] == boxes[i])
            continue;
        ButtonSlot &s = panel.slot(buttons[i].mixer, buttons[i].slot);
        // Aligned to a box beyond the top or left edge, a button stays on the panel.
        s.IconLeft = std::max<qint32>(placed[i].left, std::min<qint32>(0, s.IconLeft));
        s.IconTop = std::max<qint32>(placed[i].top, std::min<qint32>(0, s.IconTop));
        s.IconWidth = placed[i].width;
        s.IconHeight = placed[i].height;
        changed.push_back(buttons[i]);
    }
    return changed;
}

} // namespace

std::vector<ButtonRef> DesignTools::align(AlignEdge edge, int mixers)
{
    return arrangeButtons(m_panel, selectedButtons(mixers),
                          [edge](const std::vector<ButtonBox> &b) { return alignBoxes(b, edge); });
}

std::vector<ButtonRef> DesignTools::distribute(Qt::Orientation axis, int mixers)
{
    return arrangeButtons(m_panel, selectedButtons(mixers),
                          [axis](const std::vector<ButtonBox> &b) { return distributeBoxes(b, axis); });
}

std::vector<ButtonRef> DesignTools::matchSize(SizeMatch match, std::optional<ButtonRef> anchor, int mixers)
{
    const std::vector<ButtonRef> buttons = selectedButtons(mixers);
    size_t reference = 0;
    if (anchor) {
        const auto it = std::find(buttons.begin(), buttons.end(), *anchor);
        if (it != buttons.end())
            reference = size_t(it - buttons.begin());
    }
    return arrangeButtons(m_panel, buttons, [match, reference](const std::vector<ButtonBox> &b) {
        return matchSizes(b, match, reference);
    });
}

DesignClipboard DesignTools::copy(int mixers) const
{
    DesignClipboard clip;
    for (const ButtonRef &b : selectedButtons(mixers)) {
        ButtonSlot s = m_panel.slot(b.mixer, b.slot);
        s.selected = false;
        s.moveStepX = s.moveStepY = 0;
        clip.buttons.push_back({b, s});
    }
    std::vector<FigureRef> figures = selectedFigures();
    // Pasted figures keep their stacking among themselves.
    std::sort(figures.begin(), figures.end(), [this](const FigureRef &a, const FigureRef &b) {
        return m_editor.figure(a).Order < m_editor.figure(b).Order;
    });
    for (const FigureRef &f : figures)
        clip.figures.push_back({f.kind, m_editor.figure(f)});
    return clip;
}

std::vector<ButtonRef> DesignTools::removeSelection(int mixers)
{
    const std::vector<ButtonRef> buttons = selectedButtons(mixers);
    for (const ButtonRef &b : buttons)
        m_panel.slot(b.mixer, b.slot) = resetSlot(m_panel.defaults, b.slot);
    m_panel.IconNum = qint16(std::max(0, m_panel.IconNum - int(buttons.size())));
    const std::vector<FigureRef> figures = selectedFigures();
    m_editor.dropSelection();
    m_figures.clear();
    removeFigures(m_panel, figures);
    return buttons;
}

std::optional<int> DesignTools::freeSlot(int mixer, int from, const PanelContext &ctx) const
{
    const int mixersOpen = ctx.offline() ? Panel::MaxMixers : ctx.mixerCount;
    if (mixer < 0 || mixer >= mixersOpen)
        return std::nullopt;
    if (from == Panel::OutputSlot)
        return m_panel.slot(mixer, from).IconEnable ? std::nullopt : std::optional<int>(from);
    for (int i = 0; i < Panel::ChannelSlots; ++i) {
        const int s = (from + i) % Panel::ChannelSlots;
        if (!m_panel.slot(mixer, s).IconEnable)
            return s;
    }
    return std::nullopt;
}

PasteResult DesignTools::paste(const DesignClipboard &clip, QPoint at, const PanelContext &ctx, int mixers)
{
    PasteResult result;
    clearSelection(mixers);
    const QPoint origin = clip.origin();
    const qint64 dx = qint64(at.x()) - origin.x();
    const qint64 dy = qint64(at.y()) - origin.y();
    for (const DesignClipboard::Button &b : clip.buttons) {
        const std::optional<int> slot = freeSlot(b.from.mixer, b.from.slot, ctx);
        if (!slot || !canCreateButton(m_panel, ctx)) {
            ++result.buttonsRefused;
            continue;
        }
        ButtonSlot &s = m_panel.slot(b.from.mixer, *slot);
        s = b.slot;
        if (*slot != b.from.slot)
            s.IconText = copiedCaption(s.IconText, {b.from.mixer, *slot});
        // The look and caption go along; the new channel starts switched off.
        s.IconOnOff = false;
        s.IconLeft = clampTwips(s.IconLeft + dx);
        s.IconTop = clampTwips(s.IconTop + dy);
        s.selected = true;
        ++m_panel.IconNum;
        result.buttons.push_back({b.from.mixer, *slot});
    }
    for (const DesignClipboard::FigureCopy &c : clip.figures) {
        qint16 &count = m_panel.count(c.kind);
        if (count >= Panel::FiguresPerKind) {
            ++result.figuresRefused;
            continue;
        }
        Figure f = c.figure;
        f.StartX = clampTwips(f.StartX + dx);
        f.EndX = clampTwips(f.EndX + dx);
        f.StartY = clampTwips(f.StartY + dy);
        f.EndY = clampTwips(f.EndY + dy);
        // In front of everything, in the order they were copied.
        f.Order = ++m_panel.FigureNum;
        m_panel.list(c.kind)[size_t(count)] = f;
        const FigureRef ref{c.kind, count};
        ++count;
        m_figures.push_back(ref);
        result.figures.push_back(ref);
    }
    return result;
}
