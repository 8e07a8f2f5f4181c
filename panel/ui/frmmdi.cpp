#include "panel/ui/frmmdi.h"

#include "base/dialogs.h"
#include "base/strings.h"
#include "link/linkstate.h"
#include "link/linkwatch.h"
#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"
#include "settings/panelsections.h"
#include "panel/ui/buttonface.h"
#include "panel/ui/dialoglook.h"
#include "panel/ui/frmediticon.h"
#include "panel/ui/frmeditsetting.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmfigureproperty.h"
#include "panel/ui/frmgridproperty.h"
#include "panel/ui/frmicontable.h"
#include "panel/ui/frmimagesetting.h"
#include "panel/ui/panelicons.h"
#include "panel/ui/panelsurface.h"
#include "settings/loadsave.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace {

namespace Res {
constexpr int FileMenu = 1201;        // "ﾌｧｲﾙ(&F)"
constexpr int EndQuestion = 1311;     // "終了します。よろしいですか？"
constexpr int SaveQuestion = 2732;    // "現在の設定を保存しますか？"
constexpr int ButtonMenu = 10300;     // "ﾎﾞﾀﾝ(&B)"
constexpr int BackgroundMenu = 10306; // "背景設定(&W)"
constexpr int LinkCountFell = 10343;  // "リンク台数が減少しました"
constexpr int PassphraseMenu = 12100; // "操作ロックのパスフレーズ設定(&K)..."
constexpr int LockMenu = 12101;       // "操作をロック(&L)"
constexpr int LockTitle = 12102;      // "操作ロック"
constexpr int LockedAsk = 12103;      // "操作はロックされています。パスフレーズを..."
constexpr int WrongPassphrase = 12104;
constexpr int CurrentAsk = 12105;
constexpr int NewAsk = 12106;
constexpr int RepeatAsk = 12107;
constexpr int NotRepeated = 12108;
constexpr int PassphraseSet = 12109;
constexpr int PassphraseRemoved = 12110;
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
    : QMainWindow(parent), m_ctx(std::move(context)), m_panel(m_ctx.panel), m_design(m_ctx.panel),
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

    buildCommands();
    buildEditCommands();
    buildSurface();
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
        connect(m_ctx.linkLine, &LinkLine::changed, this, [this] { greyWhileOutOfReach(); });
    }
    if (m_ctx.sync) {
        // A mixer that came back may hold other switches than the panel's.
        connect(&m_ctx.sync->events(), &SyncEvents::mixersReread, this, [this] {
            if (!m_left)
                m_remote.rewriteDiffering(m_ctx.mixers.MixerCount);
        });
    }

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(1000);
    connect(&m_timer1, &QTimer::timeout, this, &FrmMdi::watchLinkCount);
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(1);
    connect(&m_timer2, &QTimer::timeout, this, &FrmMdi::moveTick);
    m_recoveryTimer.setObjectName(QStringLiteral("recoveryTimer"));
    m_recoveryTimer.setInterval(60 * 1000);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &FrmMdi::writeRecovery);

    connect(&m_ctx.settings, &SettingsCommands::captionChanged, this, [this] { updateTitle(); });
    // What was saved is where the history's clean state lies; the settings
    // ask about unsaved changes with the history's knowledge as well.
    connect(&m_ctx.settings, &SettingsCommands::saved, this, [this](const QString &, bool ok) {
        if (!ok)
            return; // a save that failed leaves the design unsaved
        m_history.markSaved();
        m_recovery.discard();
    });
    // A design the user chose not to save needs no recovery file, until it
    // changes again; one replaced by a loaded file neither.
    connect(&m_ctx.settings, &SettingsCommands::changesAbandoned, this, [this] {
        m_recoveryRefused = true;
        m_recovery.discard();
    });
    connect(&m_ctx.settings, &SettingsCommands::loaded, this, [this](const QString &, bool ok) {
        if (ok)
            m_recovery.discard();
    });
    connect(&m_history.stack(), &QUndoStack::indexChanged, this, [this] { m_recoveryRefused = false; });
    m_ctx.settings.panelEdited = [this] { return !m_history.atSavedState(); };
    m_history.restored = [this](const DesignChange &change) { afterRestore(change); };
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

    const QSize screenSize = screen ? screen->availableGeometry().size() : QSize(1280, 800);
    resize(screenSize * 4 / 5);
    openPanel();
}

FrmMdi::~FrmMdi()
{
    // Closed without a close event (the program tears down): the channels
    // must still be given back.
    leavePanel();
    // The history empties itself as it goes and says so: this window's
    // members it would update are gone by then.
    m_history.stack().disconnect(this);
    // The button windows go while this window is whole: the focus leaving
    // one of them is still reported here.
    for (auto &w : m_designButtons)
        delete w.data();
    for (auto &w : m_executionButtons)
        delete w.data();
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
    };
    menu("mnuFile", Res::FileMenu,
         {int(C::Load), int(C::Save), int(C::NewSave), Separator, int(C::Close), Separator, int(C::Quit)});
    if (m_ctx.lock) {
        // The chairperson's lock sits above 終了, with the other ways out.
        QMenu *file = bar->findChild<QMenu *>(QStringLiteral("mnuFile"));
        QAction *quit = m_actions[size_t(C::Quit)];
        m_passphraseAction = new QAction(str(Res::PassphraseMenu), this);
        m_passphraseAction->setObjectName(QStringLiteral("mnuPassphrase"));
        connect(m_passphraseAction, &QAction::triggered, this, [this] { changePassphrase(); });
        m_lockAction = new QAction(str(Res::LockMenu), this);
        m_lockAction->setObjectName(QStringLiteral("mnuLock"));
        connect(m_lockAction, &QAction::triggered, this, [this] { lockOperation(); });
        file->insertAction(quit, m_passphraseAction);
        file->insertMenu(quit, buildIdleMenu());
        file->insertAction(quit, m_lockAction);
        file->insertSeparator(quit);
        watchInput();
    }
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

QAction *FrmMdi::action(PanelCommand command) const
{
    return m_actions[size_t(command)];
}

bool FrmMdi::executing() const
{
    return m_panel.runtime.executing;
}

PanelContext FrmMdi::context() const
{
    PanelContext ctx;
    ctx.linkKind = m_ctx.link.linkKind;
    ctx.mixerCount = m_ctx.mixers.MixerCount;
    ctx.screenWidth = m_scale.toTwips(m_screenPixels.width());
    ctx.screenHeight = m_scale.toTwips(m_screenPixels.height());
    return ctx;
}

void FrmMdi::run(PanelCommand command)
{
    // Locked, every command of the window is a way out of the execution
    // state or into the design: each asks for the passphrase first. The
    // passphrase opens the lock for that command: one that is cancelled
    // leaves the panel locked again.
    const bool wasLocked = locked();
    if (!passLock())
        return;
    const bool done = runCommand(command);
    if (wasLocked && !done)
        relock();
    else if (wasLocked && command == C::Image && m_imageDialog)
        connect(m_imageDialog, &QDialog::rejected, this, [this] { relock(); });
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
    case C::Image: openImageSetting(); break;
    case C::Grid: toggleGrid(); break;
    case C::GridPro: openGridProperty(); break;
    case C::Circle: toggleFigureMode(FigureKind::Circle); break;
    case C::Rect: toggleFigureMode(FigureKind::Rect); break;
    case C::Line: toggleFigureMode(FigureKind::Line); break;
    case C::Arc: toggleFigureMode(FigureKind::Arc); break;
    case C::Clear: clearFigures(); break;
    }
    return true;
}

// ---- the window's life -----------------------------------------------------

void FrmMdi::openPanel()
{
    m_design.resetTemplate();
    m_panel.runtime.executing = false;
    m_panel.runtime.settingsDialogOpen = false;
    m_panel.runtime.tableOpen = false;
    ApplyPanel(m_panel, m_ctx.mixers.FileMixerCount, m_ctx.files.SetDataTable, context(), true);
    adoptMixer(mixersWithButtons(m_panel) - 1);
    m_panel.setUp = true;
    m_ctx.settings.setPanelVisible(true);
    m_ctx.settings.snapshotPanel();
    m_remote.takeOver(m_ctx.mixers.MixerCount);
    m_imageReload = m_panel.image.ImageVisible;
    showAfresh();
    m_history.reset();
    // A design taken from a recovery file counts as unsaved until it is
    // saved, or given up for a file loaded or a clear.
    if (m_ctx.files.recovered)
        m_history.markUnsaved();
    m_timer1.start();
    m_recoveryTimer.start();
}

void FrmMdi::leavePanel()
{
    if (m_left)
        return;
    m_left = true;
    m_timer1.stop();
    m_timer2.stop();
    m_recoveryTimer.stop();
    resetFigureEditing();
    offlineCountsFollowButtons();
    // The mixer sections with the channels' values from before the panel, and
    // the panel itself with the link count it belongs to: opened again, the
    // panel finds every button it had.
    m_ctx.settings.captureSettings(true);
    // The settings hold the design now. Unsaved, and not given up, it stays
    // in the recovery file until a save or the user's No to saving it: the
    // program may still end without either.
    if (m_recoveryRefused || m_history.atSavedState())
        m_recovery.discard();
    else
        m_recovery.write(m_ctx.files.SetDataTable, m_ctx.files.keyTable, m_ctx.mixers.FileMixerCount,
                         m_ctx.files.currentFileName);
    closeSubWindows();
    if (m_table)
        m_table->closeWithoutQuestion();
    m_remote.giveBack(m_ctx.mixers.MixerCount);
    for (const ButtonRef &b : enabledButtons(m_panel))
        m_panel.slot(b.mixer, b.slot).selected = false;
    m_panel.runtime.executing = false;
    m_ctx.settings.setPanelVisible(false);
    m_ctx.settings.panelEdited = nullptr;
}

int FrmMdi::panelMixers() const
{
    const int count = m_ctx.mixers.FileMixerCount;
    return m_ctx.link.offline() ? std::max(count, mixersWithButtons(m_panel)) : count;
}

void FrmMdi::offlineCountsFollowButtons()
{
    if (!m_ctx.link.offline())
        return;
    // The count grows to take in every mixer with a button, and never falls:
    // mixers a loaded file holds keep their sections even without buttons.
    m_ctx.mixers.takeInOfflineMixers(mixersWithButtons(m_panel));
}

void FrmMdi::adoptMixer(int mixer)
{
    // Offline the link count stands for the mixers the panel is laid out
    // for: a button on a further mixer takes that mixer into the file, where
    // a save would otherwise leave its button section out.
    if (!m_ctx.link.offline() || mixer < m_ctx.mixers.MixerCount || mixer < 0)
        return;
    m_ctx.mixers.takeInOfflineMixers(mixer + 1);
}

void FrmMdi::closeSubWindows()
{
    if (m_propertyDialog)
        m_propertyDialog->close();
    if (m_gridDialog)
        m_gridDialog->close();
    if (m_figureDialog)
        m_figureDialog->close();
    if (m_figureMenu)
        m_figureMenu->close();
    if (m_buttonMenu)
        m_buttonMenu->close();
    if (m_imageDialog)
        m_imageDialog->close();
    if (m_panel.runtime.settingsDialogOpen && m_ctx.channelDialog.close)
        m_ctx.channelDialog.close();
}

bool FrmMdi::writeRecovery()
{
    // A test run does not end the design's need of a recovery file.
    if (m_left || m_recoveryRefused || m_history.atSavedState())
        return false;
    m_ctx.settings.captureSettings(true);
    return m_recovery.write(m_ctx.files.SetDataTable, m_ctx.files.keyTable, m_ctx.mixers.FileMixerCount,
                            m_ctx.files.currentFileName);
}

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
        if (!passLock() || !confirmQuit()) {
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
    if (watched == m_surface && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        std::optional<ArrowKey> arrow;
        switch (key->key()) {
        case Qt::Key_Left: arrow = ArrowKey::Left; break;
        case Qt::Key_Right: arrow = ArrowKey::Right; break;
        case Qt::Key_Up: arrow = ArrowKey::Up; break;
        case Qt::Key_Down: arrow = ArrowKey::Down; break;
        default: break;
        }
        if (arrow && m_tools.anySelected(panelMixers())) {
            onArrow(std::nullopt, *arrow, key->modifiers());
            return true;
        }
    }
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize) {
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

// ---- commands ---------------------------------------------------------------

void FrmMdi::loadFile()
{
    resetFigureEditing();
    if (!m_ctx.settings.openMenu(ChangeMode::AskFromPanel))
        return;
    // The file's channel values are what the channels go back to when the
    // panel closes; while it is open they stay switched off.
    if (m_ctx.mixers.WriteAccess)
        m_remote.takeOver(m_ctx.mixers.MixerCount);
    // The file may name another background image.
    m_imageReload = true;
    showAfresh();
    refreshTable();
    m_tools.forgetFigures();
    m_history.reset();
}

void FrmMdi::saveFile(bool askName)
{
    resetFigureEditing();
    if (askName)
        m_ctx.settings.saveAsMenu(ChangeMode::AskFromPanel);
    else
        m_ctx.settings.saveMenu(ChangeMode::AskFromPanel);
    updateTitle();
}

void FrmMdi::leaveForMixerMode()
{
    resetFigureEditing();
    m_closeReason = CloseReason::ModeChange;
    close();
}

bool FrmMdi::confirmQuit()
{
    resetFigureEditing();
    if (m_panel.runtime.tableOpen)
        return false;
    offlineCountsFollowButtons();
    m_ctx.settings.SettingsChanged(ChangeMode::AskFromPanel);
    if (m_ctx.dialogs.message(str(Res::EndQuestion), MsgButtons::OkCancel, MsgIcon::Warning,
                              str(StrId::AppTitle))
        != MsgAnswer::Ok)
        return false;
    m_closeReason = CloseReason::Quit;
    emit quitRequested();
    return true;
}

void FrmMdi::openPropertyDialog(ButtonRef editing, bool isNew)
{
    if (m_propertyDialog) {
        m_propertyDialog->raise();
        return;
    }
    resetFigureEditing();
    auto *dlg = new FrmEditSetting(isNew ? FrmEditSetting::Mode::New : FrmEditSetting::Mode::Edit,
                                   editing, m_panel, context(), m_design.newButtonTemplate(),
                                   m_ctx.dialogs, widgetMeasure(m_scale), this);
    connect(dlg, &FrmEditSetting::buttonCreated, this, [this](ButtonRef b) {
        adoptMixer(b.mixer);
        showButton(b);
        updateCommands();
        updateExtent();
        refreshTable();
    });
    connect(dlg, &FrmEditSetting::buttonsChanged, this, [this](const std::vector<ButtonRef> &buttons) {
        for (const ButtonRef &b : buttons)
            placeButton(b);
        repaintButtons(buttons);
        updateExtent();
        refreshTable();
    });
    connect(dlg, &FrmEditSetting::buttonDeleted, this, [this](ButtonRef b) {
        closeButton(b);
        updateCommands();
        refreshTable();
    });
    connect(dlg, &FrmEditSetting::committed, this, [this](DesignStep step) { designChanged(step); });
    connect(dlg, &QDialog::finished, this, [this] { m_propertyDialog = nullptr; });
    m_propertyDialog = dlg;
    dlg->open();
}

void FrmMdi::enterExecution()
{
    resetFigureEditing();
    m_panel.runtime.executing = true;
    if (m_gridDialog)
        m_gridDialog->close();
    // The grid is not drawn while the panel is operated; GridOnOff itself
    // stays as the user set it.
    m_remote.applyButtonStates(m_panel, panelMixers());
    showAfresh();
    // The history and the unsaved state stay: after 停止 the design steps
    // can still be undone, and the switches of the test run are none of them.
    m_tools.forgetFigures();
}

void FrmMdi::leaveExecution()
{
    if (m_panel.runtime.settingsDialogOpen && m_ctx.channelDialog.close)
        m_ctx.channelDialog.close();
    m_panel.runtime.executing = false;
    m_design.resetTemplate();
    showAfresh();
    // The button that had the focus is gone: the keyboard goes on from the
    // design surface, where the design keys work.
    m_surface->setFocus(Qt::OtherFocusReason);
}

void FrmMdi::clearSettings()
{
    resetFigureEditing();
    offlineCountsFollowButtons();
    if (!m_ctx.settings.SettingsChanged(ChangeMode::AskCancel))
        return;
    ResetPanel(m_panel, m_ctx.mixers.FileMixerCount, context());
    // Whatever the panel held was saved or given up just now.
    m_ctx.files.recovered = false;
    m_recovery.discard();
    rebuildButtons();
    m_imageReload = true;
    RedrawPanel();
    m_ctx.files.currentFileName.clear();
    updateCommands();
    updateTitle();
    m_ctx.settings.snapshotPanel();
    refreshTable();
    m_tools.forgetFigures();
    m_history.reset();
}

bool FrmMdi::chooseWindowColor()
{
    if (!chooseColour(m_ctx.dialogs, m_panel.GUIWindowColor))
        return false;
    RedrawPanel();
    designChanged(DesignStep::WindowColor);
    return true;
}

void FrmMdi::showAfresh()
{
    greyWhileOutOfReach();
    rebuildButtons();
    RedrawPanel();
    updateCommands();
    updateTitle();
    scrollToOrigin();
}

// ---- the link-count watch ------------------------------------------------------

bool FrmMdi::outOfReach() const
{
    return !m_ctx.link.offline() && (m_ctx.link.down() || m_ctx.mixers.MixerCount == 0);
}

void FrmMdi::greyWhileOutOfReach()
{
    // An operated button whose mixer cannot be reached must not look as if
    // a press would switch it.
    m_surface->setEnabled(!(executing() && outOfReach()));
}

void FrmMdi::watchLinkCount()
{
    // The question below lets events run; the next tick must not ask again.
    if (m_watching || m_left)
        return;
    greyWhileOutOfReach();
    // A lost connection, or no mixer answering at all, is no change of the
    // room: nothing is asked and no button goes until the mixers answer.
    if (outOfReach())
        return;
    const QScopedValueRollback<bool> busy(m_watching, true);
    const PanelContext ctx = context();
    const int linked = ctx.mixerCount;
    const int held = m_ctx.mixers.FileMixerCount;
    const LinkCountChange change = linkCountChange(ctx, held);
    if (change == LinkCountChange::Same)
        return;
    if (change == LinkCountChange::Fell) {
        RedrawPanel();
        const QString text = str(Res::LinkCountFell) + QStringLiteral("\r\n") + str(Res::SaveQuestion);
        // Locked, the file commands are the installer's: nobody at the
        // chairperson's panel is asked to save (the file on disk stays).
        if (!locked()
            && m_ctx.dialogs.message(text, MsgButtons::OkCancel, MsgIcon::Warning, str(StrId::AppTitle))
                   == MsgAnswer::Ok) {
            // The file keeps every mixer the panel held, not just those
            // still linked: the others' buttons and last known settings are
            // what the user is saving.
            resetFigureEditing();
            m_ctx.settings.saveHeldMixers(ChangeMode::AskFromPanel, held);
            updateTitle();
        }
        closeSubWindows();
        const auto gone = dropMixers(m_panel, linked, held);
        resetFigureEditing();
        for (const auto &[mixer, slot] : gone)
            closeButton({mixer, slot});
        RedrawPanel();
        // The steps so far name buttons of mixers that are gone.
        m_tools.forgetFigures();
        m_history.reset();
    }
    m_ctx.mixers.keepFileSections(linked);
    if (linked == 0 && m_table)
        m_table->closeWithoutQuestion();
    refreshTable();
    updateCommands();
    updateExtent();
}

// ---- button windows --------------------------------------------------------------

QRect FrmMdi::pixelRect(ButtonRef button) const
{
    const ButtonSlot &s = m_panel.slot(button.mixer, button.slot);
    return QRect(m_scale.toPixels(s.IconLeft), m_scale.toPixels(s.IconTop),
                 std::max(1, m_scale.toPixels(s.IconWidth)), std::max(1, m_scale.toPixels(s.IconHeight)));
}

void FrmMdi::rebuildButtons()
{
    for (auto &w : m_designButtons)
        delete w.data();
    for (auto &w : m_executionButtons)
        delete w.data();
    for (const ButtonRef &b : enabledButtons(m_panel, panelMixers()))
        showButton(b);
    updateExtent();
}

void FrmMdi::showButton(ButtonRef button)
{
    const size_t i = size_t(index(button));
    if (executing()) {
        auto *w = new FrmExeIcon(button, m_panel, m_surface, m_ctx.sync, m_ctx.timeOfDay);
        connect(w, &FrmExeIcon::leftPressed, this, [this](ButtonRef b) { pressExecutionButton(b); });
        connect(w, &FrmExeIcon::rightPressed, this, &FrmMdi::onExecutionRightPressed);
        m_executionButtons[i] = w;
        w->setGeometry(pixelRect(button));
        w->show();
        return;
    }
    auto *w = new FrmEditIcon(button, m_panel, m_surface);
    connect(w, &FrmEditIcon::pressed, this, &FrmMdi::onDesignPressed);
    connect(w, &FrmEditIcon::dragged, this, [this](ButtonRef, const QPoint &o) { onDesignDragged(o); });
    connect(w, &FrmEditIcon::released, this,
            [this](ButtonRef, const QPoint &o, Qt::KeyboardModifiers m) { onDesignReleased(o, m); });
    connect(w, &FrmEditIcon::resizedByUser, this, [this](ButtonRef b, const QRect &r) {
        m_design.takeGeometry(b, r, m_scale, true);
        updateExtent();
    });
    connect(w, &FrmEditIcon::resizeFinished, this, &FrmMdi::onResizeFinished);
    connect(w, &FrmEditIcon::doubleClicked, this, [this](ButtonRef b) {
        if (m_panel.runtime.redraws.left == 0)
            m_timer2.stop();
        m_design.release({});
        openPropertyDialog(b, false);
    });
    connect(w, &FrmEditIcon::arrowPressed, this,
            [this](ButtonRef b, ArrowKey k, Qt::KeyboardModifiers m) { onArrow(b, k, m); });
    connect(w, &FrmEditIcon::selectRequested, this, &FrmMdi::selectByKey);
    connect(w, &FrmEditIcon::menuRequested, this, &FrmMdi::openButtonMenu);
    // Delete and the property command act on a focused button too.
    connect(w, &FrmEditIcon::focusChanged, this, [this] { updateEditCommands(); });
    m_designButtons[i] = w;
    w->place(pixelRect(button));
    w->show();
}

bool FrmMdi::pressExecutionButton(ButtonRef button)
{
    FrmExeIcon *w = executionButton(button);
    if (!executing() || !w || !w->isEnabled() || !m_remote.toggle(m_panel, button))
        return false;
    w->showState();
    return true;
}

void FrmMdi::closeButton(ButtonRef button)
{
    delete m_designButtons[size_t(index(button))].data();
    delete m_executionButtons[size_t(index(button))].data();
}

void FrmMdi::placeButton(ButtonRef button)
{
    const QRect r = pixelRect(button);
    if (FrmEditIcon *w = designButton(button))
        w->place(r);
    if (FrmExeIcon *w = executionButton(button))
        w->setGeometry(r);
}

void FrmMdi::repaintButtons(const std::vector<ButtonRef> &buttons)
{
    for (const ButtonRef &b : buttons) {
        if (FrmEditIcon *w = designButton(b))
            w->update();
        if (FrmExeIcon *w = executionButton(b))
            w->update();
    }
}

FrmEditIcon *FrmMdi::designButton(ButtonRef button) const
{
    return m_designButtons[size_t(index(button))];
}

FrmExeIcon *FrmMdi::executionButton(ButtonRef button) const
{
    return m_executionButtons[size_t(index(button))];
}

// ---- presses ---------------------------------------------------------------------

void FrmMdi::onDesignPressed(ButtonRef button, bool ctrl)
{
    if (executing())
        return;
    // A press on a button lets go of the figures the band had taken, unless
    // it adds to the selection.
    if (!ctrl && !m_panel.slot(button.mixer, button.slot).selected) {
        m_tools.forgetFigures();
        if (m_figures.dropSelection())
            RedrawPanel();
    }
    std::vector<ButtonRef> changed = m_design.press(button, ctrl);
    changed.push_back(button);
    m_anchor = button;
    m_anchorAt = QPoint(m_panel.slot(button.mixer, button.slot).IconLeft, m_panel.slot(button.mixer, button.slot).IconTop);
    selectionChanged(changed);
    if (m_design.moving())
        m_timer2.start();
}

void FrmMdi::onDesignDragged(const QPoint &offset)
{
    m_design.drag(m_scale.toTwips(offset));
}

void FrmMdi::moveTick()
{
    for (const ButtonRef &b : m_design.tick())
        placeButton(b);
    if (m_design.moving())
        figuresFollowAnchor();
    const RedrawTick redraw = redrawTick(m_panel.runtime.redraws);
    if (redraw.redraw)
        RedrawPanel();
    if (redraw.scrollToOrigin) {
        QCoreApplication::processEvents();
        scrollToOrigin();
    }
    if (!m_design.moving() && m_panel.runtime.redraws.left == 0)
        m_timer2.stop();
}

void FrmMdi::onDesignReleased(const QPoint &offset, Qt::KeyboardModifiers modifiers)
{
    if (m_panel.runtime.redraws.left == 0)
        m_timer2.stop();
    if (!m_design.moving())
        return;
    std::vector<ButtonRef> moved = m_design.release(m_scale.toTwips(offset));
    // With the grid shown the pressed button lands on a grid point and the
    // others keep their places around it; a click without a drag moves
    // nothing.
    if (snapping(modifiers) && m_design.movedSincePress() && m_anchor
        && m_panel.slot(m_anchor->mixer, m_anchor->slot).selected) {
        const ButtonSlot &pressed = m_panel.slot(m_anchor->mixer, m_anchor->slot);
        const QPoint d = snapMoveDelta(pressed.IconLeft, pressed.IconTop, m_panel.GridInterval);
        if (!d.isNull()) {
            moved = m_design.selection();
            for (const ButtonRef &b : moved) {
                ButtonSlot &s = m_panel.slot(b.mixer, b.slot);
                s.IconLeft = std::max(s.IconLeft + d.x(), std::min(0, s.IconLeft));
                s.IconTop = std::max(s.IconTop + d.y(), std::min(0, s.IconTop));
            }
        }
    }
    for (const ButtonRef &b : moved)
        placeButton(b);
    repaintButtons(moved);
    figuresFollowAnchor();
    updateExtent();
    designChanged(DesignStep::Move);
}

void FrmMdi::onExecutionRightPressed(ButtonRef button, const QPoint &at)
{
    // Locked, the room's settings stay as they were set up: the channel and
    // output dialogs do not open.
    PanelRuntime &rt = m_panel.runtime;
    if (rt.settingsDialogOpen || !m_ctx.channelDialog.open || locked())
        return;
    const ButtonSlot &s = m_panel.slot(button.mixer, button.slot);
    ChannelDialogRequest request;
    request.mixer = button.mixer;
    request.slot = button.slot;
    request.left = s.IconLeft + m_scale.toTwips(at.x());
    request.top = s.IconTop + m_scale.toTwips(at.y());
    rt.settingsDialogOpen = true;
    // The panel state outlives this window: the mark is cleared whenever the
    // dialog closes.
    m_ctx.channelDialog.open(request, [&rt] { rt.settingsDialogOpen = false; });
}

// ---- commands and title -------------------------------------------------------------

void FrmMdi::updateCommands()
{
    PanelCommandEnabling on = panelCommandEnabling(m_panel, context());
    // The grid property dialog is not opened twice.
    if (m_gridDialog)
        on[size_t(C::GridPro)] = false;
    for (int i = 0; i < PanelCommandCount; ++i)
        m_actions[size_t(i)]->setEnabled(on[size_t(i)]);
    for (int k = 0; k < Panel::FigureKinds; ++k)
        m_actions[size_t(C::Circle) + size_t(k)]->setChecked(m_figures.armed(FigureKind(k)));
    action(C::Grid)->setChecked(m_panel.GridOnOff && !executing());
    if (m_lockAction) {
        m_lockAction->setEnabled(!locked() && m_ctx.lock->hasPassphrase());
        m_passphraseAction->setEnabled(!locked());
        m_idleMenu->setEnabled(!locked());
    }
    updateEditCommands();
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

// ---- the operator lock -----------------------------------------------------------

bool FrmMdi::startOperation()
{
    if (!executing())
        enterExecution();
    const bool lockedNow = m_ctx.lock && m_ctx.lock->lock();
    // A channel dialog opened while the lock was open goes with it.
    if (lockedNow && m_panel.runtime.settingsDialogOpen && m_ctx.channelDialog.close)
        m_ctx.channelDialog.close();
    updateCommands();
    updateTitle();
    return lockedNow;
}

bool FrmMdi::passLock()
{
    if (!locked())
        return true;
    const std::optional<QString> given = m_ctx.dialogs.passphrase(str(Res::LockedAsk), str(Res::LockTitle));
    if (!given)
        return false;
    if (!m_ctx.lock->unlock(*given)) {
        m_ctx.dialogs.message(str(Res::WrongPassphrase), MsgButtons::Ok, MsgIcon::Warning, str(Res::LockTitle));
        return false;
    }
    updateCommands();
    updateTitle();
    return true;
}

void FrmMdi::changePassphrase()
{
    if (!passLock())
        return;
    OperatorLock &lock = *m_ctx.lock;
    const QString title = str(Res::LockTitle);
    QString current;
    if (lock.hasPassphrase()) {
        const std::optional<QString> given = m_ctx.dialogs.passphrase(str(Res::CurrentAsk), title);
        if (!given)
            return;
        current = *given;
    }
    const std::optional<QString> next = m_ctx.dialogs.passphrase(str(Res::NewAsk), title);
    if (!next)
        return;
    if (!next->isEmpty()) {
        const std::optional<QString> again = m_ctx.dialogs.passphrase(str(Res::RepeatAsk), title);
        if (!again)
            return;
        if (*again != *next) {
            m_ctx.dialogs.message(str(Res::NotRepeated), MsgButtons::Ok, MsgIcon::Warning, title);
            return;
        }
    }
    switch (lock.change(current, *next)) {
    case OperatorLock::Change::WrongCurrent:
        m_ctx.dialogs.message(str(Res::WrongPassphrase), MsgButtons::Ok, MsgIcon::Warning, title);
        return;
    case OperatorLock::Change::Set:
        m_ctx.dialogs.message(str(Res::PassphraseSet), MsgButtons::Ok, MsgIcon::Information, title);
        break;
    case OperatorLock::Change::Removed:
        m_ctx.dialogs.message(str(Res::PassphraseRemoved), MsgButtons::Ok, MsgIcon::Information, title);
        break;
    case OperatorLock::Change::Unchanged:
        return;
    }
    updateCommands();
    updateTitle();
}

void FrmMdi::lockOperation()
{
    if (!m_ctx.lock || !m_ctx.lock->hasPassphrase())
        return;
    startOperation();
}

FrmEditSetting *FrmMdi::propertyDialog() const
{
    return m_propertyDialog;
}
