#pragma once

// The program's share of remote operation: the page's server and the room
// controllers' line control with their view of the sync states, started
// from the per-user settings or for one run from the command line
// (--remote ADDRESS:PORT --remote-tokens FILE, --control ADDRESS:PORT), and
// the リモート操作 dialog. The program tells it when to look again (after every
// status poll and write run); the panel window gives it its presses.

#include "remote/remoteaccess.h"
#include "remote/remotehost.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class ControlServer;
class Dialogs;
class FrmRemote;
class QWidget;
class RemoteServer;
class RemoteMetrics;
class RemoteSyncView;
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
    ControlServer *control() const { return m_control.get(); }
    FrmRemote *dialog() const;

    // The modal window the program waits on now, as the remote status names
    // it ("message", "dialog"), or empty. The job and download windows are
    // the loop's own work, which ends by itself, and hold nothing.
    static QString blockingWindow();
    RemoteSyncView &sync() { return *m_sync; }
    // What GET /metrics answers now.
    QByteArray metrics() const;

    // The command line's request, when it names one. `error` is set when the
    // arguments are there but wrong.
    struct CommandLine
    {
        bool requested = false;
        QString address;
        quint16 port = 0;
        QString tokenFile;
        // --control ADDRESS:PORT: the line control, with the file's tokens
        // when one is named, else the stored ones.
        bool control = false;
        QString controlAddress;
        quint16 controlPort = 0;
    };
    static CommandLine parseArguments(const QStringList &arguments, QString &error);

private:
    QString apply(const RemoteSettings &settings);
    QString applyControl(const RemoteSettings &settings);
    void startControl(const CommandLine &line);

    RemoteHost m_host;
    Dialogs &m_dialogs;
    // What the command line started, with the token file it named: the
    // dialog shows it and leaves it alone.
    std::optional<RemoteSettings> m_commandLine;
    QString m_tokenFile;
    std::unique_ptr<RemoteSyncView> m_sync;
    std::unique_ptr<RemoteMetrics> m_metrics;
    std::unique_ptr<RemoteServer> m_server;
    std::unique_ptr<ControlServer> m_control;
    // The command line started the line control: the dialog leaves it alone.
    bool m_controlFromCommandLine = false;
    QString m_controlAddress;
    QPointer<FrmRemote> m_dialog;
};
