#pragma once

// FrmMain: the small main window of mixer mode, a menu bar and a toolbar.
// Commands either work locally or post a request to the job loop.

#include "app/jobqueue.h"
#include "link/linkstate.h"

#include <QMainWindow>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class QTimer;
class Dialogs;

struct FrmMainContext
{
    LinkState &link;
    JobQueue &jobs;
    Dialogs &dialogs;
    std::function<bool()> writeAccess = [] { return true; };
    std::function<int()> masterModel = [] { return -1; }; // Model(1)
};

class FrmMain : public QMainWindow
{
    Q_OBJECT

public:
    FrmMain(FrmMainContext context, bool debugMode, QWidget *parent = nullptr);

    // Enables the commands after the first status reply (true) or disables
    // them at load (false).
    void Menu_Enable(bool flag);

    // Called when the window is asked to close; returns whether to go on and
    // end the program. Filled by the application (unsaved-changes check and
    // the closing question); by default asks "終了します。よろしいですか？".
    std::function<bool()> confirmClose;
    // Before a download request: the editor windows of linked mixers close.
    std::function<void()> closeEditors;
    // Ends the program: close the link, store DataFileName, exit.
    std::function<void()> disconnect;

    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const;
    QToolBar *Toolbar1() const { return m_toolbar; }
    bool debugMode() const { return m_debug; }

    // The caption: "<file name> - ZK-VR340a", "(無題)" without a file.
    void setDocumentCaption(const QString &fileTitle);

    // An Ethernet link has a status area under the toolbar that tells how
    // the connection stands, and a check item in the file menu that makes a
    // lost connection come back by itself. Other links have neither.
    void showLinkStatus(const QString &line);
    QString linkStatus() const;
    void setReconnectChecked(bool on);
    void setJournalChecked(bool on);

signals:
    void openRequested();
    void saveRequested();
    void saveAsRequested();
    void printRequested();
    void modeChangeRequested();
    void showMixerRequested();
    void arrangeRequested();
    void versionRequested();
    void activityRequested();        // the view menu's 通信ログ
    void settingsDialogRequested(); // DEBUG: a panel settings dialog without the panel
    void reconnectToggled(bool on);  // the user switched reconnecting on or off
    void remoteRequested();          // リモート操作: the remote operation dialog
    void journalToggled(bool on);    // the activity log to the system's log too

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The menus, each with its commands wired to the signals above; the
    // toolbar's buttons share the menus' actions.
    QMenu *addTopMenu(const QString &name, int textId);
    void buildFileMenu();
    QMenu *buildDownloadMenu();
    QMenu *buildDebugMenu();
    void buildViewMenus();
    void buildToolbar();
    // The link's status line (Ethernet only); its height.
    int buildLinkStatus();
    QAction *addMenuAction(QMenu *menu, const QString &name, int textId);
    void addToolButton(const QString &key, int tipId, QAction *like);
    void requestJob(JobKind kind);
    void requestDownload(DownloadKind kind);

    FrmMainContext m_ctx;
    bool m_debug = false;
    QToolBar *m_toolbar = nullptr;
    QLabel *m_linkStatus = nullptr;
};
