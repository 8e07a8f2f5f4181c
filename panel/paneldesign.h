#pragma once

// The design state's handling of buttons, without widgets: selecting with and
// without Ctrl, moving the selection with the pointer (the move timer applies
// the steps), moving one button with the arrow keys, and taking a button
// window's geometry back into its slot after the user moved or resized it.
// Every position here is in twips.

#include "settings/panelmodel.h"
#include "panel/twips.h"

#include <QPoint>
#include <QRect>

#include <vector>

// One button: the slot `slot` (0..8) of panel mixer `mixer` (0..15).
struct ButtonRef
{
    int mixer = 0;
    int slot = 0;

    bool isOutput() const { return slot == Panel::OutputSlot; }
    friend bool operator==(const ButtonRef &a, const ButtonRef &b)
    {
        return a.mixer == b.mixer && a.slot == b.slot;
    }
    friend bool operator!=(const ButtonRef &a, const ButtonRef &b) { return !(a == b); }
};

// Every enabled slot of the first `mixers` panel mixers, mixer by mixer.
std::vector<ButtonRef> enabledButtons(const PanelState &panel, int mixers = Panel::MaxMixers);

// What the button property dialog edits: caption, font and the three face
// colours (a channel button's off and on colour, an output button's colour).
struct ButtonLook
{
    QString caption;          // lines joined by CR LF
    QString fontName;
    qint16 fontSize = Panel::DefaultFontSize;
    bool bold = false;
    bool italic = false;
    qint32 offColor = 0;
    qint32 onColor = 0;
    qint32 outputOffColor = 0;
    // The seat is the chair's (channel buttons only; not carried by "反映").
    bool chair = false;

    // A button's own look; the colours of the other kind (channel or
    // output) come from `others`.
    static ButtonLook fromSlot(const ButtonSlot &slot, bool output, const ButtonLook &others);
    // The other way: caption (at most two lines), font and the colours of
    // the slot's kind.
    void storeInto(ButtonSlot &slot, bool output) const;
};

// What a new button starts from. Set when the panel window opens and each time
// the design state is entered again; a resize by the user sets its size.
struct NewButtonTemplate
{
    double width = Panel::DefaultButtonSize;
    double height = Panel::DefaultButtonSize;
    ButtonLook look;

    static NewButtonTemplate fromDefaults(const PanelDefaults &defaults);
};

enum class ArrowKey { Left, Right, Up, Down };

class PanelDesign
{
public:
    // One arrow key press moves a button this far.
    static constexpr qint32 KeyStep = 100;

    explicit PanelDesign(PanelState &panel);

    // Left press on a design button. With Ctrl the button's selection flips;
    // without, an unselected button becomes the only selected one and a press
    // on a selected button keeps the whole selection. The selection moves with
    // the pointer from here on when the pressed button is selected. Returns
    // the buttons whose selection changed.
    std::vector<ButtonRef> press(ButtonRef button, bool ctrl);
    // A press on the empty surface. Returns the buttons that were selected.
    std::vector<ButtonRef> deselectAll();
    std::vector<ButtonRef> selection() const;

    // While the pointer is held: its offset from the press point, measured in
    // the pressed button's own frame, becomes every selected button's step.
    void drag(const QPoint &offsetTwips);
    // The move timer: every selected button travels its step. Returns the
    // buttons that moved.
    std::vector<ButtonRef> tick();
    // The pointer is released `finalOffsetTwips` from the press point; the
    // selection takes that last part of the way. Returns the buttons moved.
    std::vector<ButtonRef> release(const QPoint &finalOffsetTwips);
    bool moving() const { return m_moving; }
    // Whether the button pressed last stands elsewhere than at its press: a
    // click without a drag has moved nothing.
    bool movedSincePress() const;

    // Moves one button by KeyStep. Returns whether it moved.
    bool arrowKey(ButtonRef button, ArrowKey key);

    // A button window now stands at `pixels`: takes what differs from the
    // slot's own place into the slot. Edges the window did not move keep their
    // twips, so rounding to pixels never creeps into the stored values. A
    // resize by the user also gives the template the button's new size.
    // Returns whether the slot changed.
    bool takeGeometry(ButtonRef button, const QRect &pixels, const TwipScale &scale, bool byUser);

    const NewButtonTemplate &newButtonTemplate() const { return m_template; }
    void resetTemplate() { m_template = NewButtonTemplate::fromDefaults(m_panel.defaults); }

private:
    // Keeps the selection from leaving the panel over its left or top edge,
    // where it could no longer be reached.
    QPoint keptOnPanel(QPoint delta) const;
    std::vector<ButtonRef> moveSelection(const QPoint &delta);
    ButtonSlot &slot(ButtonRef b) { return m_panel.slot(b.mixer, b.slot); }

    PanelState &m_panel;
    NewButtonTemplate m_template;
    bool m_moving = false;
    ButtonRef m_pressed;
    QPoint m_pressedAt;
};
