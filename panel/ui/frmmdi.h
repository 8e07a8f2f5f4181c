#pragma once

// frmMDI: the control panel window, the program's visual mode. A menu bar,
// the toolbar Toolbar1 and, in a scroll area, the panel surface with one
// window per button: frmEditIcon in the design state, frmExeIcon in the
// execution state. Beneath the buttons the surface shows what RedrawPanel
// composes: window colour, background image, grid and the drawn figures.
// The rules live in the panel's widget-free classes; this window runs the
// commands, keeps the button windows in step with the slots and owns the two
// timers: Timer1, the link-count watch every second, and Timer2, which moves
// the selected buttons while the pointer holds them and serves the redraw
// countdown.
//
// frmmdi.cpp holds the window's life, its commands and the button windows;
// frmmdi_backdrop.cpp the surface: redrawing, figures, grid, image,
// scrolling and the button table; frmmdi_design.cpp the designer's history,
// clipboard, snapping and alignment; frmmdi_keys.cpp the design buttons by
// keyboard and menu.
//
// Opening takes the panel from the current settings and switches every
// channel off; closing stores the panel and gives the channels back.

#include "panel/buttonproperties.h"
#include "panel/channeldialogseam.h"
#include "panel/designhistory.h"
#include "panel/designrecovery.h"
#include "panel/designtools.h"
#include "panel/figures.h"
#include "panel/operatorlock.h"
#include "panel/panelcommands.h"
#include "panel/paneldesign.h"
#include "panel/remotechannels.h"
#include "panel/twips.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class Dialogs;
class FrmEditIcon;
class FrmEditSetting;
class FrmExeIcon;
class FrmFigureProperty;
class FrmGridProperty;
class FrmIconTable;
class FrmImageSetting;
class LinkLine;
class SyncStatus;
class TimeOfDay;
class QLabel;
class PanelSurface;
class QMenu;
class QRubberBand;
class QScrollArea;
class QToolBar;
class SettingsCommands;
struct EditorState;
struct LinkState;
struct MixerState;
struct SettingsFiles;

// The designer's commands of the 編集 menu and the alignment toolbar.
enum class EditCommand : int {
    Undo, Redo, Cut, Copy, Paste, Duplicate, Delete, SelectAll, Deselect, Properties, Snap,
    AlignLeft, AlignRight, AlignTop, AlignBottom, AlignHCentre, AlignVCentre,
    DistributeH, DistributeV, SameWidth, SameHeight, SameSize,
};
constexpr int EditCommandCount = int(EditCommand::SameSize) + 1;

struct PanelWindowContext
{
    PanelState &panel;
    MixerState &mixers;
    const LinkState &link;
    SettingsFiles &files;
    SettingsCommands &settings;
    Dialogs &dialogs;
    // Opens the channel and output settings dialogs on a right click.
    ChannelDialogSeam channelDialog;
    // The screen's resolution decides twips per pixel; a test may fix it.
    double dotsPerInch = 0;
    // The editors' ignore-next-click flags, raised as channels are given back.
    EditorState *editor = nullptr;
    // The link's state, shown in the window's status line in both states
    // (none: no such line).
    const LinkLine *linkLine = nullptr;
    // How each value fares on its way to the mixers: channel buttons in
    // execution show it, and the switched channels are submitted to it
    // (none: no marks, nothing switched).
    SyncStatus *sync = nullptr;
    // The operator lock of a chairperson's PC (none: the window offers no lock).
    OperatorLock *lock = nullptr;
    // The time of day the marks give (none: the wall clock's).
    const TimeOfDay *timeOfDay = nullptr;
};

// Every key, mouse button or touch pressed anywhere in the program, while
// `owner` lives, starts the lock's idle time again.
void watchInputFor(OperatorLock &lock, QObject *owner);
// A question or a menu is open: the lock closing by itself waits for it.
bool answerAwaited();

class FrmMdi : public QMainWindow
{
    Q_OBJECT

public:
    explicit FrmMdi(PanelWindowContext context, QWidget *parent = nullptr);
    ~FrmMdi() override;

    QAction *action(PanelCommand command) const;
    QAction *action(EditCommand command) const;
    DesignHistory &history() { return m_history; }
    const DesignTools &designTools() const { return m_tools; }
    QToolBar *alignToolbar() const { return m_alignToolbar; }
    QToolBar *Toolbar1() const { return m_toolbar; }
    PanelSurface *surface() const { return m_surface; }
    // The link's state line, when the window has one.
    QLabel *linkLine() const { return m_linkLine; }
    // "操作はロックされています", while the lock holds.
    QLabel *lockLine() const { return m_lockLine; }
    // A note in the status line for whoever looks at the panel: an
    // unattended start says there what a box would wait on.
    void showNotice(const QString &text);
    QLabel *noticeLine() const { return m_noticeLine; }
    FrmEditIcon *designButton(ButtonRef button) const;
    FrmExeIcon *executionButton(ButtonRef button) const;
    FrmEditSetting *propertyDialog() const;
    FrmGridProperty *gridDialog() const;
    FrmImageSetting *imageDialog() const;
    FrmFigureProperty *figureDialog() const;
    FrmIconTable *buttonTable() const;
    // frmFigureMenu, while it is open; its "順序" item holds frmFigureOrder.
    QMenu *figureMenu() const;
    // A design button's menu, while it is open.
    QMenu *buttonMenu() const;
    const FigureEditor &figures() const { return m_figures; }
    const TwipScale &scale() const { return m_scale; }
    bool executing() const;
    // A left press on a button in the execution state: a channel button
    // switches its channel (the output button does nothing). Also what a
    // remote tap does. False when the button has no window in this state or
    // nothing changed.
    bool pressExecutionButton(ButtonRef button);
    PanelContext context() const;

    // Timer1's work: follows the link count, and when it fell removes the
    // buttons of the mixers that are gone (after offering to save).
    void watchLinkCount();
    // Timer2's work: the held selection travels with the pointer, and the
    // redraw countdown is served.
    void moveTick();
    // Composes the surface: scroll offsets kept, image reloaded when asked,
    // sizes, window colour, image, grid, figures (disarming the drawing
    // modes), handles.
    void RedrawPanel();
    // Asks Timer2 for `count` redraws, then maybe a scroll back to the
    // top-left corner.
    enum class AfterRedraws { Stay, ToOrigin };
    void requestRedraws(int count, AfterRedraws after = AfterRedraws::Stay);
    int scrollOffset(Qt::Orientation axis) const;
    void setScrollOffset(Qt::Orientation axis, int offset);
    void scrollToOrigin();
    // The program ends for another reason: close without any question.
    void closeForProgramEnd();
    // The start of a chairperson's PC: the execution state at once, locked
    // when a passphrase is set. False when no passphrase is set (the panel
    // then executes unlocked).
    bool startOperation();
    bool locked() const { return m_ctx.lock && m_ctx.lock->locked(); }
    // 操作ロックのパスフレーズ設定 and 操作をロック in the ﾌｧｲﾙ menu.
    QAction *passphraseAction() const { return m_passphraseAction; }
    QAction *lockAction() const { return m_lockAction; }
    // 自動ロックまでの時間, beside them: one checkable item per choice.
    QMenu *idleMenu() const { return m_idleMenu; }
    // The idle watch's work: a lock opened with the passphrase closes again
    // (the panel back in its execution state) once nobody touched the PC for
    // the idle time; not while a question or a menu is open.
    void watchIdle();

    // The recovery timer's work: the current settings go to the recovery
    // file while the design holds unsaved changes (in either state), unless
    // the user chose not to keep them. Returns whether written.
    bool writeRecovery();
    const DesignRecovery &recovery() const { return m_recovery; }

signals:
    // Closed by 動作モード切替: the main window of the mixer mode returns.
    void modeChangeClosed();
    // 終了 was confirmed: the program is to end once the channels are back.
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class CloseReason { None, ModeChange, Quit, ProgramEnd };

    void buildCommands();
    void run(PanelCommand command);
    // The command itself; false when the user cancelled it.
    bool runCommand(PanelCommand command);

    // The window's life.
    void openPanel();
    void leavePanel();
    int panelMixers() const;
    void offlineCountsFollowButtons();
    // The mixers are out of reach: the connection is down, or none answers.
    bool outOfReach() const;
    // The operated buttons are greyed while the mixers are out of reach.
    void greyWhileOutOfReach();
    void adoptMixer(int mixer);
    void closeSubWindows();
    // Every armed drawing mode is disarmed (its reserved entry given back)
    // and the figure selection dropped.
    void resetFigureEditing();

    // Commands.
    void loadFile();
    void saveFile(bool askName);
    void leaveForMixerMode();
    bool confirmQuit();
    void openPropertyDialog(ButtonRef editing, bool isNew);
    void enterExecution();
    void leaveExecution();
    void clearSettings();
    bool chooseWindowColor();
    // After a change of state or file: the button windows made anew, the
    // surface redrawn, commands and title brought up to date, the view back
    // at the top-left corner.
    void showAfresh();

    // The surface: figures, grid, image, scrolling (frmmdi_backdrop.cpp).
    void buildSurface();
    void toggleFigureMode(FigureKind kind);
    void clearFigures();
    void toggleGrid();
    void openGridProperty();
    void openImageSetting();
    void reloadImage();
    void openFigureMenu(const QPoint &globalPos);
    void openFigureProperty();
    void onSurfacePressed(Qt::MouseButton button, const QPoint &at);
    void onSurfaceMoved(const QPoint &at, Qt::MouseButtons buttons);
    void onSurfaceReleased(Qt::MouseButton button, const QPoint &at);
    // A point of a figure being drawn, in twips: on the grid while snapping.
    QPoint drawingPoint(const QPoint &at) const;
    void placeAllButtons();
    QSize buttonReach() const;
    QSize clientPixels() const;

    // The button table.
    void openTable();
    void refreshTable();

    // Button windows.
    void rebuildButtons();
    void showButton(ButtonRef button);
    void closeButton(ButtonRef button);
    void placeButton(ButtonRef button);
    void repaintButtons(const std::vector<ButtonRef> &buttons);
    QRect pixelRect(ButtonRef button) const;
    void updateExtent();

    // Presses.
    void onDesignPressed(ButtonRef button, bool ctrl);
    void onDesignDragged(const QPoint &offset);
    void onDesignReleased(const QPoint &offset, Qt::KeyboardModifiers modifiers);
    void onResizeFinished(ButtonRef button, Qt::Edges edges, Qt::KeyboardModifiers modifiers);
    void onArrow(std::optional<ButtonRef> focused, ArrowKey key, Qt::KeyboardModifiers modifiers);
    void figuresFollowAnchor();

    // The designer (frmmdi_design.cpp): history, selection, clipboard,
    // snapping and alignment.
    void buildEditCommands();
    void runEdit(EditCommand command);
    void updateEditCommands();
    // A design change was made: it becomes a step of the history.
    void designChanged(DesignStep step, quint64 moved = 0);
    void afterRestore(const DesignChange &change);
    bool snapping(Qt::KeyboardModifiers modifiers) const;
    void setSnap(bool on);
    void selectionChanged(const std::vector<ButtonRef> &buttons);
    void copySelection();
    void cutSelection();
    void pasteAt(const DesignClipboard &clip, QPoint at, DesignStep step);
    void pasteClipboard(std::optional<QPoint> at);
    void duplicateSelection();
    void arrange(EditCommand command);
    void beginBand(const QPoint &at, bool add);
    void openSurfaceMenu(const QPoint &at);
    // The design buttons by keyboard: Space selects (Ctrl+Space adds or
    // takes away), the menu of a button, Delete and the property dialog on
    // the focused button or the selection.
    void selectByKey(ButtonRef button, bool toggle);
    void openButtonMenu(ButtonRef button, const QPoint &globalPos);
    void deleteSelection();
    void openSelectedProperties();
    std::optional<ButtonRef> focusedDesignButton() const;
    void onExecutionRightPressed(ButtonRef button, const QPoint &at);

    void updateCommands();
    void updateTitle();

    // The operator lock: true when the window is not locked or the user gave
    // the passphrase (which opens the lock).
    bool passLock();
    void changePassphrase();
    void lockOperation();
    // The lock opened for a command that was then cancelled closes again.
    void relock();
    // The idle time's menu and the watch on input (frmmdi_lock.cpp).
    QMenu *buildIdleMenu();
    void watchInput();

    static int index(ButtonRef b) { return b.mixer * Panel::SlotsPerMixer + b.slot; }

    PanelWindowContext m_ctx;
    PanelState &m_panel;
    TwipScale m_scale;
    PanelDesign m_design;
    RemoteChannels m_remote;
    FigureEditor m_figures;
    QSize m_screenPixels;

    DesignHistory m_history;
    DesignTools m_tools;
    DesignClipboard m_clipboard;
    int m_pastes = 0;                      // pastes of this copy so far
    std::optional<ButtonRef> m_anchor;     // last button pressed: same-size reference
    QPoint m_anchorAt;                     // where it stood when the selected figures last followed it
    bool m_snap = true;
    // Rubber band: where it started (pixels on the surface), whether it adds.
    QPointer<QRubberBand> m_band;
    QPoint m_bandStart;
    bool m_bandAdds = false;

    std::array<QAction *, PanelCommandCount> m_actions{};
    std::array<QAction *, EditCommandCount> m_editActions{};
    QAction *m_passphraseAction = nullptr;
    QAction *m_lockAction = nullptr;
    QMenu *m_idleMenu = nullptr;
    QTimer m_idleTimer;
    QToolBar *m_alignToolbar = nullptr;
    QToolBar *m_toolbar = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_linkLine = nullptr;
    QLabel *m_lockLine = nullptr; // shown while the operator lock holds
    QLabel *m_noticeLine = nullptr;
    PanelSurface *m_surface = nullptr;
    std::array<QPointer<FrmEditIcon>, Panel::MaxButtons> m_designButtons{};
    std::array<QPointer<FrmExeIcon>, Panel::MaxButtons> m_executionButtons{};
    QPointer<FrmEditSetting> m_propertyDialog;
    QPointer<FrmGridProperty> m_gridDialog;
    QPointer<FrmImageSetting> m_imageDialog;
    QPointer<FrmFigureProperty> m_figureDialog;
    QPointer<FrmIconTable> m_table;
    QPointer<QMenu> m_figureMenu;
    QPointer<QMenu> m_buttonMenu;
    QTimer m_timer1;
    QTimer m_timer2;
    DesignRecovery m_recovery;
    QTimer m_recoveryTimer;
    // The user chose not to save the design as it stands: no recovery file
    // for it, until the design changes again.
    bool m_recoveryRefused = false;

    // The image file is read at the next redraw.
    bool m_imageReload = false;
    bool m_wasMaximised = false;
    CloseReason m_closeReason = CloseReason::None;
    bool m_left = false;
    bool m_watching = false;
    // The button table was hidden for a file dialog, to be shown again after it.
    bool m_tableHiddenForDialog = false;
};
