#pragma once

// The designer's tools on the panel, without widgets: the selection of
// buttons and figures (rubber band, select all), moving the whole selection
// by keys, snapping to the grid, aligning, distributing and sizing buttons
// alike, and copy, cut, paste and duplicate. Every value is in twips.

#include "panel/figures.h"
#include "panel/paneldesign.h"

#include <QRect>

#include <optional>
#include <vector>

// A button's place and size as the slot holds them.
struct ButtonBox
{
    qint32 left = 0;
    qint32 top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    static ButtonBox of(const ButtonSlot &s) { return {s.IconLeft, s.IconTop, s.IconWidth, s.IconHeight}; }
    friend bool operator==(const ButtonBox &a, const ButtonBox &b)
    {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
};

// The nearest multiple of `interval` (intervals below 1 leave v alone).
qint32 snapToGrid(qint64 v, qint32 interval);
// A box moved so that its top-left corner lies on the grid.
QPoint snapMoveDelta(qint32 left, qint32 top, qint32 interval);
// A box resized by the edges `edges`: those edges go to the nearest grid
// line, the others stay; a side never shrinks below one interval (or
// `minimum`, whichever is larger).
ButtonBox snapResize(ButtonBox box, Qt::Edges edges, qint32 interval, double minimum);
// A figure after a drag of `handle`: its moved edges (or, for a move, its
// top-left corner with the rest following) on the grid.
void snapFigure(Figure &figure, FigureHandle handle, qint32 interval);

enum class AlignEdge { Left, Right, Top, Bottom, HorizontalCentre, VerticalCentre };
enum class SizeMatch { Width, Height, Both };

// Every box aligned to the edge (or centre) of the boxes' common bounds.
std::vector<ButtonBox> alignBoxes(std::vector<ButtonBox> boxes, AlignEdge edge);
// The boxes spread so that the gaps between them are equal, the outermost
// two staying where they are (by left edges for horizontal).
std::vector<ButtonBox> distributeBoxes(std::vector<ButtonBox> boxes, Qt::Orientation axis);
// Every box takes the width and/or height of boxes[reference].
std::vector<ButtonBox> matchSizes(std::vector<ButtonBox> boxes, SizeMatch match, size_t reference);

// A button's channel as the panel names it: "ch 4" (the panel-wide channel
// number) or "出力設定" for a mixer's output button.
QString buttonChannelName(ButtonRef button);
// The caption of a pasted copy: it says that it is a copy and names the
// channel it switches ("議長" on ch 4 is "議長 (ch 4)"), so that copies of one
// button never read alike. A caption that names a channel so already names
// the new one instead.
QString copiedCaption(const QString &caption, ButtonRef to);

// What a copy holds: buttons with their slot's values and where they came
// from, figures with their kind.
struct DesignClipboard
{
    struct Button
    {
        ButtonRef from;
        ButtonSlot slot;
    };
    struct FigureCopy
    {
        FigureKind kind;
        Figure figure;
    };
    std::vector<Button> buttons;
    std::vector<FigureCopy> figures;

    bool empty() const { return buttons.empty() && figures.empty(); }
    // The top-left corner of everything copied.
    QPoint origin() const;
};

struct PasteResult
{
    std::vector<ButtonRef> buttons;     // placed
    std::vector<FigureRef> figures;     // placed
    int buttonsRefused = 0;             // no free channel of their mixer
    int figuresRefused = 0;             // their kind already holds ten
};

class DesignTools
{
public:
    DesignTools(PanelState &panel, FigureEditor &figures);

    // The selected figures: those the band or select-all took, and the one
    // selected by a press (with its handles).
    std::vector<FigureRef> selectedFigures() const;
    std::vector<ButtonRef> selectedButtons(int mixers) const;
    bool anySelected(int mixers) const;
    // Forgets the figures chosen by band or select-all (their indexes are
    // no longer valid after the figure lists changed).
    void forgetFigures() { m_figures.clear(); }

    // Selects what lies wholly inside `band`; `add` keeps what was selected.
    // Returns the buttons whose selection changed.
    std::vector<ButtonRef> selectBand(const QRect &band, bool add, int mixers);
    std::vector<ButtonRef> selectAll(int mixers);
    std::vector<ButtonRef> clearSelection(int mixers);

    // Moves every selected button and figure by `delta`, never over the
    // panel's left or top edge. Returns the buttons moved.
    std::vector<ButtonRef> moveSelection(QPoint delta, int mixers);
    // Moves only the selected figures (they follow a dragged button of the
    // selection), by the same rule. Returns whether any moved.
    bool moveSelectedFigures(QPoint delta);

    // Two or more selected buttons: returns the buttons changed.
    std::vector<ButtonRef> align(AlignEdge edge, int mixers);
    std::vector<ButtonRef> distribute(Qt::Orientation axis, int mixers);
    // The reference is `anchor` when selected, else the first selected.
    std::vector<ButtonRef> matchSize(SizeMatch match, std::optional<ButtonRef> anchor, int mixers);

    DesignClipboard copy(int mixers) const;
    // Removes the selection (cut). Returns the buttons removed.
    std::vector<ButtonRef> removeSelection(int mixers);
    // Places a copy with its top-left corner at `at`: every button on the
    // next free channel of its mixer (the output button on its mixer's free
    // output slot), within `ctx`'s button limit and linked mixers; every
    // figure while its kind has room. A button that lands on a channel other
    // than its own says so in its caption (copiedCaption); one put back on
    // its own free channel (after a cut) keeps it. What is placed becomes
    // the selection.
    PasteResult paste(const DesignClipboard &clip, QPoint at, const PanelContext &ctx, int mixers);

private:
    bool moveItems(const std::vector<ButtonRef> &buttons, const std::vector<FigureRef> &figures, QPoint delta);
    std::optional<int> freeSlot(int mixer, int from, const PanelContext &ctx) const;

    PanelState &m_panel;
    FigureEditor &m_editor;
    std::vector<FigureRef> m_figures;
};

// Removes figures (any order of refs), closing the stacking order.
void removeFigures(PanelState &panel, std::vector<FigureRef> refs);
