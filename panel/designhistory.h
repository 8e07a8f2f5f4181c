#pragma once

// The design's history: every change the user makes to the layout (buttons
// placed, moved, resized, restyled or deleted, figures drawn and edited, the
// grid, the window colour, the background image, captions from the button
// table) becomes one step that can be undone and redone.
//
// A step is recorded after the change has been made: the history keeps the
// panel as it stood after the last step, and commit() compares the panel
// with it. What differs becomes the step, with the values before and after,
// so undo puts back exactly what was there (positions and sizes to the twip,
// free figure entries and disabled slots included, as the file stores them).
// A change that was made without a commit of its own is not lost: it goes
// into the next step.
//
// The button table's geometry and the design selection are not part of the
// design: undo leaves them as they are.

#include "panel/paneldesign.h"

#include <QObject>
#include <QUndoStack>

#include <functional>

// The stored values a design step may change.
struct DesignSnapshot
{
    std::array<MixerButtons, Panel::MaxMixers> buttons;
    qint32 GUIWindowColor = 0;
    qint16 IconNum = 0;
    bool GridOnOff = false;
    qint32 GridInterval = 0;
    qint32 GridColor = 0;
    std::array<FigureList, Panel::FigureKinds> figures;
    std::array<qint16, Panel::FigureKinds> figureCounts{};
    qint16 FigureNum = 0;
    ImageSettings image;
    // Which seats are the chair's: a seating list sets them with the seats.
    decltype(MeetingSetup::chairs) chairs{};

    // The panel as the file would store it: an entry reserved by an armed
    // drawing mode that has not been drawn yet does not count.
    static DesignSnapshot capture(const PanelState &panel);
    // Puts the values back. Selection flags and channel switches of buttons
    // that remain stay as they are; a button that goes is deselected.
    void restoreInto(PanelState &panel) const;

    bool sameDesign(const DesignSnapshot &other) const;
};

// What a restore changed, so that a window updates only that.
struct DesignChange
{
    std::vector<ButtonRef> appeared;     // enabled now, not before
    std::vector<ButtonRef> disappeared;  // enabled before, not now
    std::vector<ButtonRef> changed;      // enabled in both, some value differs
    bool surface = false;                // colour, grid or figures
    bool image = false;                  // background image settings
};
DesignChange designChange(const DesignSnapshot &from, const DesignSnapshot &to);

// The kinds of step, each with its name in the undo menu.
enum class DesignStep {
    Place, Move, KeyMove, Resize, Delete, Properties, ApplyToAll,
    Draw, FigureMove, FigureResize, Restack, Pen, FigureDelete, ClearFigures,
    Grid, GridProperty, WindowColor, Image, Captions,
    Paste, Cut, Duplicate, Align, Distribute, SameSize,
    ApplyToSelection, DeleteSelection, SeatList,
};
QString designStepName(DesignStep step);

class DesignHistory : public QObject
{
    Q_OBJECT

public:
    explicit DesignHistory(PanelState &panel, QObject *parent = nullptr);
    ~DesignHistory() override;

    QUndoStack &stack() { return m_stack; }

    // Records what changed since the last step as one step of `kind`. A
    // KeyMove step joins the KeyMove step before it when nothing else
    // happened in between (no other step, no undo or redo) and it moves the
    // same buttons and figures (`moved` says which). Returns whether a step
    // was recorded.
    bool commit(DesignStep kind, quint64 moved = 0);
    // Ends a run of arrow-key moves: the next one starts a step of its own.
    void breakRun() { ++m_run; }

    // Forgets every step; the panel as it stands is where the history starts
    // and counts as saved (after a load, a clear, the switch to execution).
    void reset();
    // The panel as it stands is the saved one.
    void markSaved();
    // The panel is as it was saved (or as the history started) and nothing
    // has changed since without a step.
    bool atSavedState() const;
    // The panel as it stands was never saved (it came from a recovery file):
    // not at the saved state until the next save, load or clear.
    void markUnsaved();

    // Undo and redo call this after they restored the panel.
    std::function<void(const DesignChange &)> restored;

signals:
    void savedStateChanged(bool saved);

private:
    friend class DesignStepCommand;
    void apply(const DesignSnapshot &to);

    PanelState &m_panel;
    QUndoStack m_stack;
    DesignSnapshot m_base;      // the panel after the last step
    quint64 m_run = 0;          // a new value ends a run of arrow-key moves
    bool m_neverSaved = false;
};
