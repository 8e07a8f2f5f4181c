#pragma once

// frmMDI: the control panel window, the program's visual mode. A menu bar,
// the toolbar Toolbar1 and, in a scroll area, the panel surface with one
// window per button: frmEditIcon in the design state, frmExeIcon in the
// execution state. Beneath the buttons the surface shows what RedrawPanel
// composes: window colour, background image, grid and the drawn figures.
//
// The window is the shell that wires its pieces: the backdrop view
// (BackdropView), the button windows (ButtonWindows), the designer
// (PanelDesigner with its DesignCommands and FigureDrawing), the session
// (SessionControl: opening, leaving, Timer1's link-count watch, the recovery
// file) and the operator lock (LockControl); their rules live in the panel's
// widget-free classes (PanelSession, LockFlow and others). The window runs
// the panel's commands and owns Timer2, which moves the selected buttons
// while the pointer holds them and serves the redraw countdown.
//
// frmmdi.cpp holds the window's shell and wiring; frmmdi_commands.cpp the
// menus' commands, the button table and the lock's way into the locked
// execution state; frmmdi_surface.cpp the surface the pieces share.
//
// Opening takes the panel from the current settings and switches every
// channel off; closing stores the panel and gives the channels back.

#include "base/clock.h"
#include "panel/buttonproperties.h"
#include "panel/channeldialogseam.h"
#include "panel/designhistory.h"
#include "panel/designrecovery.h"
#include "panel/designtools.h"
#include "panel/figures.h"
#include "panel/meetingconsole.h"
#include "panel/operatorlock.h"
#include "panel/panelcommands.h"
#include "panel/paneldesign.h"
#include "panel/panelsession.h"
#include "panel/remotechannels.h"
#include "panel/twips.h"
#include "panel/ui/designcommands.h"
#include "panel/ui/lockcontrol.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class BackdropView;
class ButtonWindows;
class Dialogs;
class FrmEditIcon;
class FrmEditSetting;
class FrmExeIcon;
class FrmFigureProperty;
class FrmGridProperty;
class FrmIconTable;
class FrmImageSetting;
class LinkLine;
class MeetingControl;
class SyncStatus;
class TimeOfDay;
class QLabel;
class PanelDesigner;
class SessionControl;
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
    QToolBar *alignToolbar() const;
    QToolBar *Toolbar1() const { return m_toolbar; }
    PanelSurface *surface() const;
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
    bool locked() const { return m_lockControl->locked(); }
    // The meeting console of the execution state and its commands.
    MeetingConsole &meeting() { return *m_meeting; }
    MeetingControl *meetingControl() const { return m_meetingControl; }
    // 操作ロックのパスフレーズ設定 and 操作をロック in the ﾌｧｲﾙ menu.
    QAction *passphraseAction() const { return m_lockControl->passphraseAction(); }
    QAction *lockAction() const { return m_lockControl->lockAction(); }
    // 自動ロックまでの時間, beside them: one checkable item per choice.
    QMenu *idleMenu() const { return m_lockControl->idleMenu(); }
    // The idle watch's work: a lock opened with the passphrase closes again
    // (the panel back in its execution state) once nobody touched the PC for
    // the idle time; not while a question or a menu is open.
    void watchIdle();

    // The recovery timer's work: the current settings go to the recovery
    // file while the design holds unsaved changes (in either state), unless
    // the user chose not to keep them. Returns whether written.
    bool writeRecovery();
    const DesignRecovery &recovery() const;

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
    void buildMeeting();
    void buildStatusLine();
    void connectPieces();
    void connectSession();
    void connectSettings();
    void run(PanelCommand command);
    // The command itself; false when the user cancelled it.
    bool runCommand(PanelCommand command);

    // The panel's session, run by SessionControl.
    void leavePanel();
    void closeSubWindows();
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
    void rebuildButtons();
    void showButton(ButtonRef button);
    void placeAllButtons();
    void updateExtent();
    void onExecutionRightPressed(ButtonRef button, const QPoint &at);
    // The pointer let go of the selection: Timer2 stops unless redraws wait.
    void holdEnded();

    // The button table.
    void openTable();
    void refreshTable();

    void updateCommands();
    void updateTitle();
    void designChanged(DesignStep step);
    // The lock opened for a command that was then cancelled closes again.
    void relock();

    PanelWindowContext m_ctx;
    PanelState &m_panel;
    PanelSession m_session;
    TwipScale m_scale;
    PanelDesign m_design;
    RemoteChannels m_remote;
    FigureEditor m_figures;
    QSize m_screenPixels;
    DesignHistory m_history;
    DesignTools m_tools;

    // The meeting's times run on the program's Clock (a window made without
    // one keeps its own).
    std::unique_ptr<SystemClock> m_ownClock;
    std::unique_ptr<TimeOfDay> m_ownTime;
    std::unique_ptr<MeetingConsole> m_meeting;
    MeetingControl *m_meetingControl = nullptr;

    // The pieces, children of this window.
    BackdropView *m_backdrop = nullptr;
    ButtonWindows *m_buttons = nullptr;
    PanelDesigner *m_designer = nullptr;
    LockControl *m_lockControl = nullptr;
    SessionControl *m_sessionControl = nullptr;

    std::array<QAction *, PanelCommandCount> m_actions{};
    QToolBar *m_toolbar = nullptr;
    QLabel *m_linkLine = nullptr;
    QLabel *m_lockLine = nullptr; // shown while the operator lock holds
    QLabel *m_noticeLine = nullptr;
    QPointer<FrmEditSetting> m_propertyDialog;
    QPointer<FrmIconTable> m_table;
    QTimer m_timer2;

    bool m_wasMaximised = false;
    CloseReason m_closeReason = CloseReason::None;
    // The button table was hidden for a file dialog, to be shown again after it.
    bool m_tableHiddenForDialog = false;
};
