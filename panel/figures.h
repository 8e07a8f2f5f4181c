#pragma once

// The panel's drawn figures, without widgets: their geometry (bounding box,
// the segment of a line, the quarter ellipse of an arc, the handles of the
// selected figure) and FigureEditor, which arms the drawing commands, draws
// with the pointer, selects, drags, reorders, deletes and restyles figures.
// Positions are panel twips; pen widths are pixels.

#include "settings/panelmodel.h"

#include <QPoint>
#include <QPointF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// One figure: entry `index` (0..9) of the list of `kind`.
struct FigureRef
{
    FigureKind kind = FigureKind::Circle;
    int index = 0;

    friend bool operator==(const FigureRef &a, const FigureRef &b)
    {
        return a.kind == b.kind && a.index == b.index;
    }
};

// Calls visit(ref, figure) for every figure in use, kind by kind, each list
// in index order. `panel` is a PanelState, const or not.
template <typename State, typename Visit>
void forEachFigure(State &panel, Visit &&visit)
{
    for (int k = 0; k < Panel::FigureKinds; ++k) {
        const FigureKind kind = FigureKind(k);
        for (int i = 0; i < panel.count(kind); ++i)
            visit(FigureRef{kind, i}, panel.list(kind)[size_t(i)]);
    }
}

// Pen styles as the file stores them.
enum class PenStyle : qint16 { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };
constexpr int PenStyleCount = 5;

// A rectangle given by its edges, all inclusive, in twips.
struct TwipBox
{
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    qint32 width() const { return right - left; }
    qint32 height() const { return bottom - top; }
    bool contains(const QPoint &p) const
    {
        return p.x() >= left && p.x() <= right && p.y() >= top && p.y() <= bottom;
    }
};

// The box every test uses: editing may leave Start beyond End.
TwipBox figureBox(const Figure &f);

// Line: the direction in which it was drawn from p0 to p1. 0 when the pointer
// went right-and-down or left-and-up, 1 left-and-down, 2 right-and-up.
qint16 lineDirection(const QPoint &p0, const QPoint &p1);
// Arc: bit 0 set when the drag went left, bit 1 when it went up.
qint16 arcDirection(const QPoint &p0, const QPoint &p1);

// The two end points of a line. Direction 0 runs from Start to End; 1 and 2
// run from (EndX, StartY) to (StartX, EndY).
std::pair<QPoint, QPoint> lineEnds(const Figure &f);

// An arc is a quarter of the ellipse whose radii are its box's width and
// height, centred on the box corner at the press point's x and the release
// point's y; it runs between the press and release corners and bulges toward
// the remaining corner.
struct ArcGeometry
{
    QPoint centre;
    qint32 radiusX = 0;
    qint32 radiusY = 0;
    int startAngle = 0;   // degrees counter-clockwise from three o'clock (screen)
    int spanAngle = 90;   // counter-clockwise
    QPoint from;          // where the counter-clockwise sweep starts
    QPoint to;
};
ArcGeometry arcGeometry(const Figure &f);

// Handles of a selected figure: 1..4 the corners, 5..8 the edge middles, 10
// the whole figure (a move, never drawn).
enum class FigureHandle : int {
    None = 0,
    TopLeft = 1, TopRight = 2, BottomLeft = 3, BottomRight = 4,
    Top = 5, Bottom = 6, Left = 7, Right = 8,
    Move = 10,
};

// Handle squares are this wide, centred on their point.
constexpr qint32 HandleSize = 100;
// Edge middles show only on boxes larger than this along that edge.
constexpr qint32 EdgeHandleMinimum = 400;

struct HandleSquare
{
    FigureHandle handle;
    TwipBox square;
};
// The handles that count for a figure's box, in the order they are tested.
std::vector<HandleSquare> figureHandles(const Figure &f);

// The pointer shape that shows a handle.
Qt::CursorShape handleCursor(FigureHandle handle);

// A pen width typed in the property dialog: a whole number 1..999.
std::optional<qint16> figureWidthFromText(const QString &text);
constexpr qint16 MaxFigureWidth = 999;
// Wider pens are drawn solid, so a width above 1 takes the solid style.
qint16 styleForWidth(qint16 width, qint16 style);
// The line a pen of this stored style and width draws; a style the file
// does not know draws solid.
Qt::PenStyle figurePenStyle(qint16 style, qint16 width);

class FigureEditor
{
public:
    // What a press on the surface started.
    enum class Press {
        Nothing,     // not for figures (execution state, or another button)
        Drawing,     // an armed kind is being drawn
        Resizing,    // a handle of the selected figure is held
        Moving,      // a figure is held to be moved
        Menu,        // right press on a figure: its menu opens
        Missed,      // hit nothing; the selection was dropped
    };

    explicit FigureEditor(PanelState &panel);

    // Arming: each kind's command toggles its mode. Arming reserves the
    // kind's next entry (the count grows at once), disarming gives it back.
    // A kind with 10 figures cannot be armed. Returns whether it is armed now.
    bool toggleArmed(FigureKind kind);
    bool armed(FigureKind kind) const;
    bool anyArmed() const;
    // Disarms every armed kind, each as its own command would.
    void disarmAll();

    // Pointer on the surface, in twips; `twipsPerPixel` turns pen widths
    // into twips for hit-testing.
    Press press(const QPoint &at, Qt::MouseButton button, double twipsPerPixel);
    // Returns whether anything changed that needs a redraw.
    bool move(const QPoint &at);
    bool release(const QPoint &at);
    bool dragging() const { return m_handle != FigureHandle::None; }
    // Whether the figure held last (to move or resize it) changed while it
    // was held: a click on a figure moves nothing.
    bool changedWhileHeld() const { return m_changedWhileHeld; }
    // The handle held, and whether a figure is being drawn.
    FigureHandle heldHandle() const { return m_handle; }
    bool drawingNow() const { return m_drawing; }
    // The pointer shape at `at` with no button held, or while dragging.
    Qt::CursorShape cursorAt(const QPoint &at) const;

    // The redraw's last step for figures: unless a drawing is in progress,
    // every armed kind is disarmed. A kind whose reserved entry was drawn
    // keeps it; one that was never drawn gives it back. Returns whether any
    // kind was disarmed.
    bool disarmAfterRedraw();

    std::optional<FigureRef> selected() const;
    // Returns whether a figure was selected.
    bool dropSelection();
    Figure &figure(FigureRef ref);

    // The figure menu's items, on the selected figure.
    void deleteSelected();
    void bringToFront();
    void sendToBack();
    // The property dialog's OK.
    void setStyle(FigureRef ref, qint32 colour, qint16 width, qint16 style);
    // "図形全消去" after the question.
    void clearAll();

    // The figure a press at `at` selects: of all figures whose box, grown by
    // half its pen width, holds the point, the one with the highest Order.
    std::optional<FigureRef> hit(const QPoint &at, double twipsPerPixel) const;
    // The handle of the selected figure under `at`.
    FigureHandle handleAt(const QPoint &at) const;

private:
    void select(std::optional<FigureRef> ref);
    void giveBack(FigureKind kind);
    // The entry an armed kind reserved: the last of its list.
    Figure &reservedEntry(FigureKind kind);
    void removeEntry(FigureRef ref);
    void beginDrag(FigureHandle handle, const QPoint &at);

    PanelState &m_panel;
    // Drawing: the press point and, per kind, whether its reserved entry was
    // drawn since it was armed.
    bool m_drawing = false;
    QPoint m_pressPoint;
    std::array<bool, Panel::FigureKinds> m_drawn{};
    // Dragging: the handle, the last pointer position, and which stored
    // coordinate each side of the box is (Start or End), fixed at the press.
    FigureHandle m_handle = FigureHandle::None;
    bool m_changedWhileHeld = false;
    QPoint m_last;
    bool m_leftIsStart = true;
    bool m_topIsStart = true;
};
