#include "frmmain.h"

#include "base/dialogs.h"
#include "base/strings.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace {
// 1560 twips: the main window's height in the debug layout.
constexpr int DebugHeightPx = 1560 / 15;

QIcon toolIcon(const QString &key)
{
    QStyle *s = QApplication::style();
    static const QHash<QString, QStyle::StandardPixmap> icons = {
        {"close", QStyle::SP_DialogCloseButton},   {"view", QStyle::SP_FileDialogDetailedView},
        {"window", QStyle::SP_TitleBarNormalButton}, {"icon", QStyle::SP_BrowserReload},
        {"load", QStyle::SP_DialogOpenButton},     {"save", QStyle::SP_DialogSaveButton},
        {"print", QStyle::SP_FileIcon},            {"ver", QStyle::SP_MessageBoxInformation},
    };
    return s->standardIcon(icons.value(key, QStyle::SP_CustomBase));
}
} // namespace

FrmMain::FrmMain(FrmMainContext context, bool debugMode, QWidget *parent)
    : QMainWindow(parent), m_ctx(std::move(context)), m_debug(debugMode)
{
    setObjectName(QStringLiteral("FrmMain"));
    setDocumentCaption(QString());
    setWindowFlag(Qt::WindowStaysOnTopHint);

    buildFileMenu();
    QMenu *download = buildDownloadMenu();
    QMenu *debug = buildDebugMenu();
    buildViewMenus();
    buildToolbar();
    const int statusHeight = buildLinkStatus();

    // Just wide enough for the whole menu bar, and no taller than menu and
    // toolbar (and the link's status line): the editor windows float beside it.
    QMenuBar *bar = menuBar();
    const int width = std::max(bar->sizeHint().width() + 16, 420);
    if (m_debug) {
        resize(width, DebugHeightPx + statusHeight);
    } else {
        resize(width, bar->sizeHint().height() + m_toolbar->sizeHint().height() + statusHeight);
        download->menuAction()->setVisible(false);
        debug->menuAction()->setVisible(false);
    }
    Menu_Enable(false);
    // The print button shares the action, so it is disabled with it.
    action(QStringLiteral("MenPrint"))->setEnabled(false);
    action(QStringLiteral("MenDebugWrite"))->setEnabled(m_ctx.writeAccess());
}

QMenu *FrmMain::addTopMenu(const QString &name, int textId)
{
    QMenu *m = menuBar()->addMenu(str(textId));
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

void FrmMain::buildFileMenu()
{
    QMenu *file = addTopMenu(QStringLiteral("MenFile"), 1201);
    QAction *load = addMenuAction(file, QStringLiteral("MenLoad"), 1211);
    QAction *save = addMenuAction(file, QStringLiteral("MenSave"), 1212);
    QAction *saveAs = addMenuAction(file, QStringLiteral("MenNewSave"), 1213);
    file->addSeparator()->setObjectName(QStringLiteral("MenSparate1"));
    QAction *print = addMenuAction(file, QStringLiteral("MenPrint"), 1216);
    if (m_ctx.link.linkKind == LinkKind::Ethernet) {
        file->addSeparator();
        QAction *reconnect = addMenuAction(file, QStringLiteral("MenReconnect"), 10756);
        reconnect->setCheckable(true);
        connect(reconnect, &QAction::toggled, this, &FrmMain::reconnectToggled);
    }
    file->addSeparator()->setObjectName(QStringLiteral("MenSparate2"));
    QAction *remote = addMenuAction(file, QStringLiteral("MenRemote"), 12442);
    QAction *mode = addMenuAction(file, QStringLiteral("MenModeChange"), 1214);
    QAction *quit = addMenuAction(file, QStringLiteral("MenFileEnd"), 1215);
    connect(load, &QAction::triggered, this, &FrmMain::openRequested);
    connect(save, &QAction::triggered, this, &FrmMain::saveRequested);
    connect(saveAs, &QAction::triggered, this, &FrmMain::saveAsRequested);
    connect(print, &QAction::triggered, this, &FrmMain::printRequested);
    connect(mode, &QAction::triggered, this, &FrmMain::modeChangeRequested);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(remote, &QAction::triggered, this, &FrmMain::remoteRequested);
}

QMenu *FrmMain::buildDownloadMenu()
{
    QMenu *download = addTopMenu(QStringLiteral("MenDownLoad"), 1202);
    // The older model's three images sit in a submenu of their own.
    QMenu *older = download->addMenu(str(1224));
    older->setObjectName(QStringLiteral("MenDownZKVR340"));
    older->menuAction()->setObjectName(QStringLiteral("MenDownZKVR340"));
    QAction *downMain = addMenuAction(older, QStringLiteral("MenDownMain"), 1221);
    QAction *downFpga = addMenuAction(older, QStringLiteral("MenDownFpga"), 1222);
    QAction *downWrite = addMenuAction(older, QStringLiteral("MenDownWrite"), 1223);
    QAction *downNew = addMenuAction(download, QStringLiteral("MenDownZKVR340a"), 1225);
    connect(downMain, &QAction::triggered, this, [this] { requestDownload(DownloadKind::MainProgram); });
    connect(downFpga, &QAction::triggered, this, [this] { requestDownload(DownloadKind::Fpga); });
    connect(downWrite, &QAction::triggered, this, [this] { requestDownload(DownloadKind::WriterProgram); });
    connect(downNew, &QAction::triggered, this, [this] { requestDownload(DownloadKind::ModelFile); });
    return download;
}

QMenu *FrmMain::buildDebugMenu()
{
    QMenu *debug = addTopMenu(QStringLiteral("MenDebug"), 1203);
    QAction *directRead = addMenuAction(debug, QStringLiteral("MenDebugRead"), 1231);
    QAction *directWrite = addMenuAction(debug, QStringLiteral("MenDebugWrite"), 1232);
    // The control panel's channel and output dialogs for a chosen mixer and slot.
    QAction *settingsDialog = addMenuAction(debug, QStringLiteral("MenDebugDialog"), 10400);
    connect(directRead, &QAction::triggered, this, [this] { requestJob(JobKind::DirectRead); });
    connect(directWrite, &QAction::triggered, this, [this] { requestJob(JobKind::DirectWrite); });
    connect(settingsDialog, &QAction::triggered, this, &FrmMain::settingsDialogRequested);
    return debug;
}

void FrmMain::buildViewMenus()
{
    // 表示: the mixer choice, and the activity window.
    QMenu *view = addTopMenu(QStringLiteral("MenView"), 1204);
    QAction *visual = addMenuAction(view, QStringLiteral("MenVisual"), 12237);
    QAction *activity = addMenuAction(view, QStringLiteral("MenActivity"), 12221);
    QAction *journal = addMenuAction(view, QStringLiteral("MenLogJournal"), 14610);
    journal->setCheckable(true);
    connect(journal, &QAction::toggled, this, &FrmMain::journalToggled);
    QMenu *window = addTopMenu(QStringLiteral("MenWindow"), 1205);
    QAction *replace = addMenuAction(window, QStringLiteral("MenReplace"), 1251);
    QMenu *help = addTopMenu(QStringLiteral("MenHelp"), 1206);
    QAction *ver = addMenuAction(help, QStringLiteral("MenVerInfo"), 1261);
    QAction *ip = menuBar()->addAction(str(1207));
    ip->setObjectName(QStringLiteral("MenIP"));
    connect(visual, &QAction::triggered, this, &FrmMain::showMixerRequested);
    connect(replace, &QAction::triggered, this, &FrmMain::arrangeRequested);
    connect(ver, &QAction::triggered, this, &FrmMain::versionRequested);
    connect(activity, &QAction::triggered, this, &FrmMain::activityRequested);
    connect(ip, &QAction::triggered, this, [this] { requestJob(JobKind::IpSettings); });
}

void FrmMain::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(20, 20));
    QAction *closeAct = new QAction(this);
    connect(closeAct, &QAction::triggered, this, &QWidget::close);
    addToolButton(QStringLiteral("close"), 1271, closeAct);
    addToolButton(QStringLiteral("view"), 1272, action(QStringLiteral("MenVisual")));
    addToolButton(QStringLiteral("window"), 1273, action(QStringLiteral("MenReplace")));
    m_toolbar->addSeparator();
    addToolButton(QStringLiteral("icon"), 1274, action(QStringLiteral("MenModeChange")));
    m_toolbar->addSeparator();
    addToolButton(QStringLiteral("load"), 1275, action(QStringLiteral("MenLoad")));
    addToolButton(QStringLiteral("save"), 1276, action(QStringLiteral("MenSave")));
    addToolButton(QStringLiteral("print"), 1278, action(QStringLiteral("MenPrint")));
    m_toolbar->addSeparator();
    addToolButton(QStringLiteral("ver"), 1277, action(QStringLiteral("MenVerInfo")));
}

int FrmMain::buildLinkStatus()
{
    if (m_ctx.link.linkKind != LinkKind::Ethernet)
        return 0;
    m_linkStatus = new QLabel(this);
    m_linkStatus->setObjectName(QStringLiteral("LinkStatus"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(m_linkStatus, 1);
    return statusBar()->sizeHint().height();
}

QAction *FrmMain::addMenuAction(QMenu *menu, const QString &name, int textId)
{
    QAction *a = menu->addAction(str(textId));
    a->setObjectName(name);
    return a;
}

void FrmMain::addToolButton(const QString &key, int tipId, QAction *like)
{
    // Each button is its own action so the toolbar can be switched as a whole
    // while menus keep their own state; it forwards to the menu command.
    QAction *b = m_toolbar->addAction(toolIcon(key), QString());
    b->setObjectName(QStringLiteral("tool_") + key);
    b->setData(key);
    b->setToolTip(str(tipId));
    // The buttons show only pictures: what they do is what a screen reader says.
    if (QWidget *button = m_toolbar->widgetForAction(b))
        button->setAccessibleName(str(tipId));
    connect(b, &QAction::triggered, like, &QAction::trigger);
    if (key == QLatin1String("print")) {
        b->setEnabled(false);
        connect(like, &QAction::enabledChanged, b, &QAction::setEnabled);
    }
}

QAction *FrmMain::action(const QString &name) const
{
    return findChild<QAction *>(name);
}

QMenu *FrmMain::menu(const QString &name) const
{
    return findChild<QMenu *>(name);
}

void FrmMain::setDocumentCaption(const QString &fileTitle)
{
    setWindowTitle((fileTitle.isEmpty() ? str(1953) : fileTitle) + QStringLiteral(" - ")
                   + str(StrId::AppTitle));
}

void FrmMain::showLinkStatus(const QString &line)
{
    if (m_linkStatus)
        m_linkStatus->setText(line);
}

QString FrmMain::linkStatus() const
{
    return m_linkStatus ? m_linkStatus->text() : QString();
}

void FrmMain::setReconnectChecked(bool on)
{
    if (QAction *a = action(QStringLiteral("MenReconnect"))) {
        const QSignalBlocker quiet(a);
        a->setChecked(on);
    }
}

void FrmMain::setJournalChecked(bool on)
{
    if (QAction *a = action(QStringLiteral("MenLogJournal"))) {
        const QSignalBlocker quiet(a);
        a->setChecked(on);
    }
}

void FrmMain::Menu_Enable(bool flag)
{
    QMenu *download = menu(QStringLiteral("MenDownLoad"));
    QMenu *debug = menu(QStringLiteral("MenDebug"));
    QAction *ip = action(QStringLiteral("MenIP"));
    if (m_ctx.link.offline()) {
        download->menuAction()->setEnabled(false);
        debug->menuAction()->setEnabled(false);
        ip->setEnabled(false);
        return;
    }
    menu(QStringLiteral("MenFile"))->menuAction()->setEnabled(flag);
    download->menuAction()->setEnabled(flag && m_ctx.writeAccess());
    debug->menuAction()->setEnabled(flag);
    ip->setEnabled(flag && m_ctx.masterModel() > 0);
    action(QStringLiteral("MenVisual"))->setEnabled(flag);
    menu(QStringLiteral("MenWindow"))->menuAction()->setEnabled(flag);
    menu(QStringLiteral("MenHelp"))->menuAction()->setEnabled(flag);
    m_toolbar->setEnabled(flag);
}

void FrmMain::requestJob(JobKind kind)
{
    m_ctx.jobs.request(JobWork::of(kind));
}

void FrmMain::requestDownload(DownloadKind kind)
{
    // One download at a time: a second command while one waits is not taken.
    if (m_ctx.jobs.waiting(JobKind::Download))
        return;
    if (closeEditors)
        closeEditors();
    m_ctx.jobs.request(JobWork::firmware(kind));
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    const bool go = confirmClose
                        ? confirmClose()
                        : m_ctx.dialogs.message(str(1311), MsgButtons::YesNo, MsgIcon::Question,
                                                str(StrId::AppTitle))
                              == MsgAnswer::Yes;
    if (!go) {
        event->ignore();
        return;
    }
    event->accept();
    if (disconnect)
        disconnect();
}
