#pragma once

// The rules of the button property dialog (frmEditSetting), without widgets:
// which mixers and free slots it offers, what OK does for a new or an edited
// button, the button limit, deleting, refitting a button to its caption and
// "反映" (giving every button this button's font and colours).

#include "panel/paneldesign.h"

#include <QPoint>
#include <QSizeF>

#include <functional>
#include <optional>
#include <vector>

// The size of a (possibly multi-line, CR LF separated) text in a button's
// caption font, in twips. The windows measure with the real font; tests give
// a simple rule.
using MeasureText = std::function<QSizeF(const QString &text, const ButtonSlot &font)>;

// The size a button needs to show its caption and the "OFF" label below it.
QSizeF neededSize(const ButtonSlot &button, const MeasureText &measure);
// Enlarges a button that is smaller than its caption needs; a larger one
// keeps its size. Returns whether it grew.
bool refitToCaption(ButtonSlot &button, const MeasureText &measure);

// Where a new button of `width` x `height` twips goes: the first point of
// the grid (every `interval` twips, rows from the top, each row from the
// left, within `areaWidth`) at which it covers no button of the first
// `mixers` mixers; the top-left corner when the area holds no such place.
// A grid finer than the smallest button is walked in steps of several
// intervals.
QPoint freePlace(const PanelState &panel, double width, double height, qint32 interval, qint32 areaWidth,
                 int mixers);

class ButtonProperties
{
public:
    enum class Outcome {
        NoMixer,              // "ミキサー番号が選択されていません"
        NoChannel,            // "チャンネルが選択されていません"
        Created,              // the dialog stays open for the next button
        CreatedLimitReached,  // the panel is full: the dialog closes
        Edited,
    };
    struct Result
    {
        Outcome outcome = Outcome::NoMixer;
        ButtonRef button;                 // the button created or edited
        std::optional<ButtonRef> next;    // Created: the free slot to offer next
    };

    ButtonProperties(PanelState &panel, const PanelContext &context, const NewButtonTemplate &newButton);

    // The mixers the dialog offers: the linked ones, every mixer offline (the
    // panel can then be laid out for up to 16 mixers).
    std::vector<int> mixers() const;
    // The free slots of a mixer, 0..8 in order.
    std::vector<int> freeSlots(int mixer) const;
    // The first free slot after `after` (mixers in order, slots 0..8 within a
    // mixer), wrapping round; from the very first slot without `after`.
    std::optional<ButtonRef> nextFree(std::optional<ButtonRef> after = std::nullopt) const;

    // OK for a new button: `mixer` and `slot` are the dialog's choices. It
    // takes the template's size at the next free place (freePlace) of the
    // panel's grid within the screen's width.
    Result createButton(std::optional<int> mixer, std::optional<int> slot, const ButtonLook &look);
    // OK for an existing button: caption, font and colours, then a refit.
    Result editButton(ButtonRef button, const ButtonLook &look, const MeasureText &measure);
    // "削除": the slot is free again.
    void remove(ButtonRef button);
    // "反映" after OK: every button of the offered mixers takes `from`'s font;
    // every button of `from`'s kind (channel or output) its colours; each is
    // refitted. Returns the buttons changed.
    std::vector<ButtonRef> applyToAll(ButtonRef from, const MeasureText &measure);
    // The same for the selected buttons alone (`from` among them or not).
    std::vector<ButtonRef> applyToSelection(ButtonRef from, const MeasureText &measure);
    // The buttons selected besides `button`: what applyToSelection would
    // change beyond it.
    int othersSelected(ButtonRef button) const;

private:
    std::vector<ButtonRef> applyTo(ButtonRef from, const std::vector<ButtonRef> &buttons, const MeasureText &measure);

    PanelState &m_panel;
    PanelContext m_context;
    const NewButtonTemplate &m_template;
};
