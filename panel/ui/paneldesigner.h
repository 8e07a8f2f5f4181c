#pragma once

// The panel's designer: what the design commands do (undo and redo, cut,
// copy, paste, duplicate, delete, select all, alignment, properties), the
// design buttons pressed, dragged, resized, moved by the arrow keys and
// chosen by the keyboard, the grid snap of all of these, and every design
// change committed as one step of the history. It owns the commands' actions
// (DesignCommands), the drawing tools (FigureDrawing), the clipboard and the
// snap setting; the button windows, the backdrop and the history are given.

#include "panel/designhistory.h"
#include "panel/designtools.h"
#include "panel/figures.h"
#include "panel/paneldesign.h"
#include "panel/twips.h"
#include "panel/ui/designcommands.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class BackdropView;
class ButtonWindows;
class Dialogs;
class FigureDrawing;
class PanelSession;
class QMainWindow;
class QMenu;
class QToolBar;
class SeatListCommands;

class PanelDesigner : public QObject
{
    Q_OBJECT

public:
    // What the designer works on, all owned by the panel window.
    struct Parts
    {
        QMainWindow &window;
        QToolBar *toolbar1;
        PanelState &panel;
        PanelDesign &design;
        DesignTools &tools;
        FigureEditor &figures;
        DesignHistory &history;
        const TwipScale &scale;
        PanelSession &session;
        ButtonWindows &buttons;
        BackdropView &backdrop;
        Dialogs &dialogs;
    };
    explicit PanelDesigner(Parts parts);
    ~PanelDesigner() override;

    DesignCommands &commands() { return *m_commands; }
    FigureDrawing &drawing() { return *m_drawing; }
    QMenu *buttonMenu() const;

    void run(EditCommand command);
    void updateEditCommands();
    // A design change was made: it becomes a step of the history.
    void designChanged(DesignStep step, quint64 moved = 0);
    // Every armed drawing mode is disarmed (its reserved entry given back)
    // and the figure selection dropped.
    void resetFigureEditing();
    // The windows follow a change made to the panel outside the history.
    void showChange(const DesignChange &change) { afterRestore(change); }
    bool snapping(Qt::KeyboardModifiers modifiers) const;
    void selectionChanged(const std::vector<ButtonRef> &buttons);
    // The selected figures travel with the pressed button.
    void figuresFollowAnchor();
    // A right click on the surface beside every button and figure.
    void openSurfaceMenu(const QPoint &at);

signals:
    void redrawWanted();
    void commandsChanged();
    void tableChanged();
    void extentChanged();
    void propertiesRequested(ButtonRef button);
    // The pointer holds the selection (Timer2 moves it), or let go.
    void holdStarted();
    void holdEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectButtons();
    void afterRestore(const DesignChange &change);
    void setSnap(bool on);
    void copySelection();
    void cutSelection();
    void pasteAt(const DesignClipboard &clip, QPoint at, DesignStep step);
    void pasteClipboard(std::optional<QPoint> at);
    void duplicateSelection();
    void arrange(EditCommand command);

    // The design buttons by pointer and keyboard.
    void onPressed(ButtonRef button, bool ctrl);
    void onReleased(const QPoint &offset, Qt::KeyboardModifiers modifiers);
    void onResizeFinished(ButtonRef button, Qt::Edges edges, Qt::KeyboardModifiers modifiers);
    void onArrow(std::optional<ButtonRef> focused, ArrowKey key, Qt::KeyboardModifiers modifiers);
    // Space selects (Ctrl+Space adds or takes away), the menu of a button,
    // Delete and the property dialog on the focused button or the selection.
    void selectByKey(ButtonRef button, bool toggle);
    void openButtonMenu(ButtonRef button, const QPoint &globalPos);
    void deleteSelection();
    void openSelectedProperties();
    std::optional<ButtonRef> focusedDesignButton() const;
    bool executing() const;

    Parts m_parts;
    PanelState &m_panel;
    DesignCommands *m_commands = nullptr;
    SeatListCommands *m_seats = nullptr;
    std::unique_ptr<FigureDrawing> m_drawing;
    DesignClipboard m_clipboard;
    int m_pastes = 0;                      // pastes of this copy so far
    std::optional<ButtonRef> m_anchor;     // last button pressed: same-size reference
    QPoint m_anchorAt;                     // where it stood when the selected figures last followed it
    bool m_snap = true;
    QPointer<QMenu> m_buttonMenu;
};
