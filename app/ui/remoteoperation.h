#pragma once

// The program's share of remote operation: the server with its view of the
// sync states, started from the per-user settings or for one run from the
// command line (--remote ADDRESS:PORT --remote-tokens FILE), and the
// リモート操作 dialog. The program tells it when to look again (after every
// status poll and write run); the panel window gives it its presses.

#include "remote/remoteaccess.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Dialogs;
class FrmRemote;
class QWidget;
class RemoteServer;
class RemoteSyncView;
struct RemoteHost;
class SyncStatus;

class RemoteOperation
{
public:
    RemoteOperation(RemoteHost host, Dialogs &dialogs);
    ~RemoteOperation();

    // At start-up: the command line's server for this run, or the one the
    // user turned on. A refused token file or address is reported and leaves
    // the server off.
    void start(const QStringList &arguments);
    void stop();

    // After each status poll: the link count or the panel may have changed.
    void observe();
    // A new connection, with its synchronisation (nothing written yet).
    void linkOpened(SyncStatus *sync);

    void showDialog(QWidget *parent);

    RemoteServer *server() const { return m_server.get(); }
    FrmRemote *dialog() const;

    // The modal window the program waits on now, as the remote status names
    // it ("message", "dialog"), or empty. The job and download windows are
    // the loop's own work, which ends by itself, and hold nothing.
    static QString blockingWindow();
    RemoteSyncView &sync() { return *m_sync; }

    // The command line's request, when it names one. `error` is set when the
    // arguments are there but wrong.
    struct CommandLine
    {
        bool requested = false;
        QString address;
        quint16 port = 0;
        QString tokenFile;
    };
    static CommandLine parseArguments(const QStringList &arguments, QString &error);

private:
    QString apply(const RemoteSettings &settings);

    Dialogs &m_dialogs;
    // What the command line started, with the token file it named: the
    // dialog shows it and leaves it alone.
    std::optional<RemoteSettings> m_commandLine;
    QString m_tokenFile;
    std::unique_ptr<RemoteSyncView> m_sync;
    std::unique_ptr<RemoteServer> m_server;
    QPointer<FrmRemote> m_dialog;
};
