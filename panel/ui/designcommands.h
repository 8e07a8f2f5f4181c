#pragma once

// The designer's commands as the user finds them: the 編集 menu (undo and
// redo named after their step, cut, copy, paste, duplicate, delete, select
// all, deselect, properties, snap to grid), the alignment submenu and
// toolbar, undo and redo on Toolbar1. It makes the actions and offers them
// as the design allows; what a command does is the designer's.

#include <QObject>

#include <array>
#include <cstddef>

class QAction;
class QMainWindow;
class QToolBar;
class QUndoStack;

// The designer's commands of the 編集 menu and the alignment toolbar.
enum class EditCommand : int {
    Undo, Redo, Cut, Copy, Paste, Duplicate, Delete, SelectAll, Deselect, Properties, Snap,
    AlignLeft, AlignRight, AlignTop, AlignBottom, AlignHCentre, AlignVCentre,
    DistributeH, DistributeV, SameWidth, SameHeight, SameSize,
};
constexpr int EditCommandCount = int(EditCommand::SameSize) + 1;

// What the design offers the commands just now.
struct EditEnabling
{
    bool design = false;          // the design state, not the execution
    std::size_t buttons = 0;      // selected buttons
    bool figures = false;         // a figure selected
    bool focusedButton = false;   // a design button holds the focus
    bool canUndo = false;
    bool canRedo = false;
    bool canPaste = false;
};

class DesignCommands : public QObject
{
    Q_OBJECT

public:
    // The 編集 menu goes before ﾎﾞﾀﾝ in `window`'s menu bar, undo and redo
    // after the file buttons of `toolbar1`, the alignment toolbar on a row
    // of its own. The undo and redo items are named after `history`'s steps.
    DesignCommands(QMainWindow &window, QToolBar *toolbar1, QUndoStack &history, bool snap);

    QAction *action(EditCommand command) const { return m_actions[std::size_t(command)]; }
    QToolBar *alignToolbar() const { return m_alignToolbar; }
    void update(const EditEnabling &on);

signals:
    void triggered(EditCommand command);
    void snapToggled(bool on);

private:
    void createActions(bool snap);
    void nameAfterSteps(QUndoStack &history);
    void buildMenu(QMainWindow &window);
    void buildToolbars(QMainWindow &window, QToolBar *toolbar1);

    std::array<QAction *, EditCommandCount> m_actions{};
    QToolBar *m_alignToolbar = nullptr;
};
