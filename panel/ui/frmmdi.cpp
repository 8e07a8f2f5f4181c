#include "panel/ui/frmmdi.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "link/linkstate.h"
#include "link/linkwatch.h"
#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"
#include "panel/ui/backdropview.h"
#include "panel/ui/buttonwindows.h"
#include "panel/ui/dialoglook.h"
#include "panel/ui/figuredrawing.h"
#include "panel/ui/frmeditsetting.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmicontable.h"
#include "panel/ui/frmimagesetting.h"
#include "panel/ui/meetingcontrol.h"
#include "panel/ui/paneldesigner.h"
#include "panel/ui/panelicons.h"
#include "panel/ui/panelsurface.h"
#include "panel/ui/sessioncontrol.h"
#include "settings/loadsave.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <utility>

namespace {

namespace Res {
constexpr int FileMenu = 1201;        // "ﾌｧｲﾙ(&F)"
constexpr int ButtonMenu = 10300;     // "ﾎﾞﾀﾝ(&B)"
constexpr int BackgroundMenu = 10306; // "背景設定(&W)"
constexpr int LockedMark = 12112;     // "[ロック中]"
constexpr int LockedLine = 12115;     // "操作はロックされています（...）"
} // namespace Res

using C = PanelCommand;

// Toolbar order; Separator stands for a gap between groups.
constexpr int Separator = -1;
constexpr int ToolOrder[] = {
    int(C::Load), int(C::Save), Separator, int(C::New), Separator, int(C::Execution), int(C::Stop),
    Separator, int(C::Table), Separator, int(C::Image), int(C::Color), Separator, int(C::Grid),
    int(C::GridPro), Separator, int(C::Circle), int(C::Rect), int(C::Line), int(C::Arc),
    int(C::Clear), Separator, int(C::Close), int(C::Quit),
};

} // namespace

FrmMdi::FrmMdi(PanelWindowContext context, QWidget *parent)
    : QMainWindow(parent), m_ctx(std::move(context)), m_panel(m_ctx.panel),
      m_session(m_ctx.panel, m_ctx.mixers, m_ctx.link), m_design(m_ctx.panel),
      m_remote(m_ctx.mixers, m_ctx.panel.runtime, m_ctx.sync, m_ctx.editor), m_figures(m_ctx.panel),
      m_history(m_ctx.panel), m_tools(m_ctx.panel, m_figures)
{
    setObjectName(QStringLiteral("frmMDI"));
    setAttribute(Qt::WA_DeleteOnClose);

    const QScreen *screen = this->screen();
    const double dpi = m_ctx.dotsPerInch > 0 ? m_ctx.dotsPerInch
                                             : (screen ? screen->logicalDotsPerInchX() : 96.0);
    m_scale = TwipScale::fromDpi(dpi);
    m_screenPixels = screen ? screen->geometry().size() : QSize(1920, 1080);
    m_session.setScreen(QSize(m_scale.toTwips(m_screenPixels.width()), m_scale.toTwips(m_screenPixels.height())));

    m_lockControl = new LockControl(m_ctx.lock, m_ctx.dialogs, this);
    buildCommands();
    m_backdrop = new BackdropView(m_panel, m_scale, m_ctx.dialogs, this);
    m_backdrop->scrollArea()->viewport()->installEventFilter(this);
    setCentralWidget(m_backdrop->scrollArea());
    m_buttons = new ButtonWindows(m_panel, m_scale, m_ctx.sync, m_ctx.timeOfDay, this);
    m_buttons->setSurface(m_backdrop->surface());
    buildMeeting();
    m_designer = new PanelDesigner({*this, m_toolbar, m_panel, m_design, m_tools, m_figures, m_history, m_scale,
                                    m_session, *m_buttons, *m_backdrop, m_ctx.dialogs});
    m_sessionControl = new SessionControl({m_ctx, m_session, m_design, m_history, m_tools, m_remote, *m_buttons,
                                           *m_backdrop},
                                          this);
    connectPieces();
    connectSession();
    buildStatusLine();

    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(1);
    connect(&m_timer2, &QTimer::timeout, this, &FrmMdi::moveTick);
    connectSettings();

    const QSize screenSize = screen ? screen->availableGeometry().size() : QSize(1280, 800);
    resize(screenSize * 4 / 5);
    m_sessionControl->open();
}

FrmMdi::~FrmMdi()
{
    // Closed without a close event (the program tears down): the channels
    // must still be given back.
    leavePanel();
    // The history empties itself as it goes and says so: the pieces it
    // would update read members that are gone by then.
    m_history.stack().disconnect(this);
    m_history.stack().disconnect(m_designer);
    m_history.stack().disconnect(&m_designer->commands());
    m_history.stack().disconnect(m_sessionControl);
    // The button windows go while this window is whole: the focus leaving
    // one of them is still reported here.
    m_buttons->closeAll();
}

void FrmMdi::buildCommands()
{
    for (const PanelCommandInfo &info : panelCommands()) {
        auto *a = new QAction(str(info.captionId), this);
        a->setObjectName(QLatin1String(info.menuName));
        a->setIcon(panelToolIcon(info.command));
        a->setIconVisibleInMenu(false);
        if (info.tipId)
            a->setToolTip(str(info.tipId));
        const PanelCommand c = info.command;
        // Armed drawing modes and the grid show as pressed.
        a->setCheckable(c == C::Circle || c == C::Rect || c == C::Line || c == C::Arc || c == C::Grid);
        connect(a, &QAction::triggered, this, [this, c] { run(c); });
        m_actions[size_t(info.command)] = a;
    }

    QMenuBar *bar = menuBar();
    auto menu = [&](const char *name, int id, std::initializer_list<int> items) {
        QMenu *m = bar->addMenu(str(id));
        m->setObjectName(QLatin1String(name));
        for (int i : items) {
            if (i == Separator)
                m->addSeparator();
            else
                m->addAction(m_actions[size_t(i)]);
        }
        return m;
    };
    QMenu *file = menu("mnuFile", Res::FileMenu,
                       {int(C::Load), int(C::Save), int(C::NewSave), Separator, int(C::Close), Separator,
                        int(C::Quit)});
    if (m_ctx.lock)
        m_lockControl->addToMenu(file, m_actions[size_t(C::Quit)]);
    menu("mnuIcon", Res::ButtonMenu,
         {int(C::New), Separator, int(C::Execution), int(C::Stop), Separator, int(C::Table), Separator,
          int(C::Init)});
    menu("mnuGraphic", Res::BackgroundMenu,
         {int(C::Image), int(C::Color), Separator, int(C::Grid), int(C::GridPro), Separator,
          int(C::Circle), int(C::Rect), int(C::Line), int(C::Arc), Separator, int(C::Clear)});

    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    for (int i : ToolOrder) {
        if (i == Separator) {
            m_toolbar->addSeparator();
            continue;
        }
        QAction *a = m_actions[size_t(i)];
        m_toolbar->addAction(a);
        if (QWidget *w = m_toolbar->widgetForAction(a))
            w->setObjectName(QLatin1String(panelCommand(PanelCommand(i)).toolKey));
    }
}

void FrmMdi::buildMeeting()
{
    const TimeOfDay *time = m_ctx.timeOfDay;
    if (!time) {
        m_ownClock = std::make_unique<SystemClock>();
        m_ownTime = std::make_unique<TimeOfDay>(*m_ownClock);
        time = m_ownTime.get();
    }
    m_meeting = std::make_unique<MeetingConsole>(
        MeetingConsole::Context{m_panel, m_remote, m_ctx.mixers, m_ctx.sync, time->clock(), *time});
    m_meetingControl = new MeetingControl({*this, *m_meeting, *m_buttons, m_ctx.dialogs}, this);
    m_meetingControl->addTo(menuBar());
    // A switch the console made shows on its button at once.
    connect(m_meeting.get(), &MeetingConsole::seatChanged, this, [this](ButtonRef seat) {
        if (FrmExeIcon *w = executionButton(seat))
            w->showState();
    });
}

void FrmMdi::buildStatusLine()
{
    if (m_ctx.linkLine) {
        // The main window and its status line are hidden while the panel is
        // up: the panel tells itself when the mixers are out of reach.
        m_linkLine = new QLabel(this);
        m_linkLine->setObjectName(QStringLiteral("LinkLine"));
        statusBar()->setSizeGripEnabled(false);
        statusBar()->addWidget(m_linkLine, 1);
        auto show = [this, label = m_linkLine, bar = statusBar(), line = m_ctx.linkLine](const QString &text) {
            // An offline panel has no link to tell of, only its lock.
            bar->setVisible(!text.isEmpty() || locked() || m_noticeLine);
            label->setText(text);
            QFont f = label->font();
            f.setBold(line->down());
            label->setFont(f);
        };
        show(m_ctx.linkLine->text());
        connect(m_ctx.linkLine, &LinkLine::changed, m_linkLine, show);
        connect(m_ctx.linkLine, &LinkLine::changed, m_sessionControl, &SessionControl::greyWhileOutOfReach);
    }
}

void FrmMdi::connectPieces()
{
    connect(m_backdrop, &BackdropView::changed, this, &FrmMdi::designChanged);
    connect(m_backdrop, &BackdropView::redrawWanted, this, &FrmMdi::RedrawPanel);
    connect(m_backdrop, &BackdropView::commandsChanged, this, &FrmMdi::updateCommands);
    connect(m_backdrop, &BackdropView::imageChosen, this, [this] {
        placeAllButtons();
        requestRedraws(2, AfterRedraws::ToOrigin);
    });
    connect(m_buttons, &ButtonWindows::executionLeftPressed, this, [this](ButtonRef b) { pressExecutionButton(b); });
    connect(m_buttons, &ButtonWindows::executionRightPressed, this, &FrmMdi::onExecutionRightPressed);
    connect(m_designer, &PanelDesigner::redrawWanted, this, &FrmMdi::RedrawPanel);
    connect(m_designer, &PanelDesigner::commandsChanged, this, &FrmMdi::updateCommands);
    connect(m_designer, &PanelDesigner::tableChanged, this, &FrmMdi::refreshTable);
    connect(m_designer, &PanelDesigner::extentChanged, this, &FrmMdi::updateExtent);
    connect(m_designer, &PanelDesigner::propertiesRequested, this,
            [this](ButtonRef b) { openPropertyDialog(b, false); });
    connect(m_designer, &PanelDesigner::holdStarted, &m_timer2, qOverload<>(&QTimer::start));
    connect(m_designer, &PanelDesigner::holdEnded, this, &FrmMdi::holdEnded);
    connect(m_lockControl, &LockControl::lockRequested, this, [this] { startOperation(); });
    connect(m_lockControl, &LockControl::lockChanged, this, [this] {
        updateCommands();
        updateTitle();
    });
    connect(m_lockControl, &LockControl::idleTick, this, &FrmMdi::watchIdle);
}

void FrmMdi::connectSession()
{
    SessionControl *s = m_sessionControl;
    connect(s, &SessionControl::watchTick, this, &FrmMdi::watchLinkCount);
    connect(s, &SessionControl::subWindowsClosing, this, &FrmMdi::closeSubWindows);
    connect(s, &SessionControl::tableClosing, this, [this] {
        if (m_table)
            m_table->closeWithoutQuestion();
    });
    connect(s, &SessionControl::figureEditingReset, this, &FrmMdi::resetFigureEditing);
    connect(s, &SessionControl::afreshWanted, this, &FrmMdi::showAfresh);
    connect(s, &SessionControl::redrawWanted, this, &FrmMdi::RedrawPanel);
    connect(s, &SessionControl::titleChanged, this, &FrmMdi::updateTitle);
    connect(s, &SessionControl::tableChanged, this, &FrmMdi::refreshTable);
    connect(s, &SessionControl::commandsChanged, this, &FrmMdi::updateCommands);
    connect(s, &SessionControl::extentChanged, this, &FrmMdi::updateExtent);
}

void FrmMdi::connectSettings()
{
    connect(&m_ctx.settings, &SettingsCommands::captionChanged, this, [this] { updateTitle(); });
    // The button table steps aside while a file dialog is up.
    connect(&m_ctx.settings, &SettingsCommands::fileDialogOpening, this, [this] {
        m_tableHiddenForDialog = m_table && m_table->isVisible();
        if (m_tableHiddenForDialog)
            m_table->hide();
    });
    connect(&m_ctx.settings, &SettingsCommands::fileDialogClosed, this, [this] {
        if (std::exchange(m_tableHiddenForDialog, false) && m_table)
            m_table->show();
    });
}

QAction *FrmMdi::action(PanelCommand command) const
{
    return m_actions[size_t(command)];
}

QAction *FrmMdi::action(EditCommand command) const
{
    return m_designer->commands().action(command);
}

QToolBar *FrmMdi::alignToolbar() const
{
    return m_designer->commands().alignToolbar();
}

PanelSurface *FrmMdi::surface() const
{
    return m_backdrop->surface();
}

bool FrmMdi::executing() const
{
    return m_panel.runtime.executing;
}

PanelContext FrmMdi::context() const
{
    return m_session.context();
}

void FrmMdi::run(PanelCommand command)
{
    // Locked, every command of the window is a way out of the execution
    // state or into the design: each asks for the passphrase first. The
    // passphrase opens the lock for that command: one that is cancelled
    // leaves the panel locked again.
    const bool wasLocked = locked();
    if (!m_lockControl->pass())
        return;
    const bool done = runCommand(command);
    if (LockFlow::relockAfter(wasLocked, done))
        relock();
    else if (wasLocked && command == C::Image && m_backdrop->imageDialog())
        connect(m_backdrop->imageDialog(), &QDialog::rejected, this, [this] { relock(); });
}

bool FrmMdi::runCommand(PanelCommand command)
{
    // Any command first lets go of a selected figure, and every command but
    // the drawing tools' own puts the armed tools down: the entry an armed
    // tool holds back is no figure, and a command that changes the design
    // across it would lose or strand one.
    if (m_figures.dropSelection())
        RedrawPanel();
    if (command != C::Circle && command != C::Rect && command != C::Line && command != C::Arc)
        resetFigureEditing();
    switch (command) {
    case C::Load: loadFile(); break;
    case C::Save: saveFile(false); break;
    case C::NewSave: saveFile(true); break;
    case C::Close: leaveForMixerMode(); break;
    case C::Quit: return confirmQuit() && close();
    case C::New: openPropertyDialog({}, true); break;
    case C::Execution: enterExecution(); break;
    case C::Stop: leaveExecution(); break;
    case C::Init: clearSettings(); break;
    case C::Color: return chooseWindowColor();
    case C::Table: openTable(); break;
    case C::Image: m_backdrop->openImageSetting(); break;
    case C::Grid: m_backdrop->toggleGrid(); break;
    case C::GridPro: m_backdrop->openGridProperty(); break;
    case C::Circle: m_designer->drawing().toggleMode(FigureKind::Circle); break;
    case C::Rect: m_designer->drawing().toggleMode(FigureKind::Rect); break;
    case C::Line: m_designer->drawing().toggleMode(FigureKind::Line); break;
    case C::Arc: m_designer->drawing().toggleMode(FigureKind::Arc); break;
    case C::Clear: m_designer->drawing().clearAll(); break;
    }
    return true;
}

// ---- the window's events ------------------------------------------------------------

void FrmMdi::closeForProgramEnd()
{
    m_closeReason = CloseReason::ProgramEnd;
    close();
}

void FrmMdi::closeEvent(QCloseEvent *event)
{
    // The close box quits, and the window stays unless the user agreed (and,
    // locked, gave the passphrase: a quit then cancelled locks again).
    if (m_closeReason == CloseReason::None) {
        const bool wasLocked = locked();
        if (!m_lockControl->pass() || !confirmQuit()) {
            if (wasLocked)
                relock();
            event->ignore();
            return;
        }
    }
    // The button table goes first, asking about lines not yet applied; kept
    // open, it keeps the panel open too.
    if (m_table) {
        if (m_closeReason == CloseReason::ProgramEnd)
            m_table->closeWithoutQuestion();
        else
            m_table->close();
    }
    if (m_table) {
        m_closeReason = CloseReason::None;
        event->ignore();
        return;
    }
    leavePanel();
    event->accept();
    if (m_closeReason == CloseReason::ModeChange)
        emit modeChangeClosed();
}

bool FrmMdi::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_backdrop->scrollArea()->viewport() && event->type() == QEvent::Resize) {
        // The surface covers the new client area at once; the redraws that
        // follow fit an image that follows the window.
        updateExtent();
        requestRedraws(2);
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMdi::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const bool maximised = isMaximized();
    if (maximised != m_wasMaximised)
        placeAllButtons();
    m_wasMaximised = maximised;
    requestRedraws(2);
}

void FrmMdi::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !executing()) {
        m_designer->run(EditCommand::Deselect);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// ---- commands and title -------------------------------------------------------------

void FrmMdi::updateCommands()
{
    if (!m_designer)
        return; // still being built
    PanelCommandEnabling on = panelCommandEnabling(m_panel, context());
    // The grid property dialog is not opened twice.
    if (m_backdrop->gridDialog())
        on[size_t(C::GridPro)] = false;
    for (int i = 0; i < PanelCommandCount; ++i)
        m_actions[size_t(i)]->setEnabled(on[size_t(i)]);
    for (int k = 0; k < Panel::FigureKinds; ++k)
        m_actions[size_t(C::Circle) + size_t(k)]->setChecked(m_figures.armed(FigureKind(k)));
    action(C::Grid)->setChecked(m_panel.GridOnOff && !executing());
    m_lockControl->updateMenu();
    m_designer->updateEditCommands();
    m_meetingControl->setExecuting(executing(), !locked());
}

void FrmMdi::updateTitle()
{
    QString title = panelTitle(m_ctx.files.currentFileName, executing());
    if (locked())
        title += u' ' + str(Res::LockedMark);
    setWindowTitle(title);
    // Full screen there is no title bar: the status line says it too.
    if (m_ctx.lock) {
        if (!m_lockLine && locked()) {
            m_lockLine = new QLabel(str(Res::LockedLine), this);
            m_lockLine->setObjectName(QStringLiteral("LockLine"));
            m_lockLine->setAccessibleName(str(Res::LockedLine));
            statusBar()->setSizeGripEnabled(false);
            statusBar()->addPermanentWidget(m_lockLine);
        }
        if (m_lockLine) {
            m_lockLine->setVisible(locked());
            statusBar()->setVisible(locked() || (m_linkLine && !m_linkLine->text().isEmpty()) || m_noticeLine);
        }
    }
}

void FrmMdi::showNotice(const QString &text)
{
    if (!m_noticeLine) {
        m_noticeLine = new QLabel(this);
        m_noticeLine->setObjectName(QStringLiteral("NoticeLine"));
        m_noticeLine->setWordWrap(true); // said whole, on as many lines as it takes
    } else {
        statusBar()->removeWidget(m_noticeLine);
    }
    const QString line = QString(text).replace(u'\n', u' ');
    m_noticeLine->setText(line);
    m_noticeLine->setAccessibleName(line);
    m_noticeLine->setToolTip(line);
    // The status line takes the lines a long note needs at half the window's
    // width: a word-wrapped label does not say so itself.
    const QFontMetrics metrics(m_noticeLine->font());
    const int lines = qBound(1, metrics.horizontalAdvance(line) / std::max(200, width() / 2) + 1, 4);
    m_noticeLine->setMinimumHeight(lines * metrics.lineSpacing() + 4);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_noticeLine, 2);
    m_noticeLine->show();
    statusBar()->setVisible(true);
}
