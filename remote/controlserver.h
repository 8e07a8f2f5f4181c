#pragma once

// The line protocol for room controllers: plain ASCII lines over TCP, one
// answer line per command once its outcome is known, and unasked EVT lines
// for changes. It lives in the program's one event loop beside the page's
// interface and shares its road: a switch is asked of RemoteSwitches, which
// presses the panel's button and answers once the mixer holds it.
//
// Bounded everywhere: Control::MaxClients clients (a newcomer takes the place
// of the oldest that has not logged in), each with
// Control::CommandsPerSecond commands a second and Control::MaxQueuedLines
// waiting behind a switch; a line too long, a flood, a byte that is not
// ASCII or a line of HTTP closes that client. A client must log in within
// LoginLimit and say something within IdleLimit; one that does not read
// what it is sent is dropped once MaxBacklog bytes pile up.

#include "remote/remoteaccess.h"
#include "remote/remotehost.h"
#include "remote/remotejson.h"
#include "remote/remoteswitches.h"

#include <QObject>
#include <QTimer>

#include <memory>

class ControlClient;
class MeetingConsole;
class QTcpServer;
class RemoteSyncView;
struct ControlCommand;

class ControlServer : public QObject
{
    Q_OBJECT

public:
    static constexpr double LoginLimit = 10.0;
    static constexpr double IdleLimit = 300.0;
    static constexpr qint64 MaxBacklog = 64 * 1024;

    ControlServer(RemoteHost host, RemoteSyncView &sync, QObject *parent = nullptr);
    ~ControlServer() override;

    // Listens on `address`:`port` (0: the system chooses). False with a
    // reason in `error` (a message for the user).
    bool start(const QString &address, quint16 port, const RemoteTokens &tokens, QString &error);
    void stop();
    bool running() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    // Logged-in clients keep the access they were given until they log in again.
    void setTokens(const RemoteTokens &tokens) { m_tokens = tokens; }
    int clients() const;

    // Looks at the system again: sends the EVT lines of what changed and
    // answers the switches whose outcome is known now.
    void refresh();
    // Closes the clients that did not log in in time or fell silent.
    void sweep();

signals:
    void clientsChanged();

private:
    void accept();
    // All places taken: the one that has waited longest without logging in
    // gives its place up (a controller logs in at once; whoever only holds
    // places cannot lock it out). False when every client has logged in.
    bool makeRoom();
    // Bytes from a client: its lines queued, a breach of the limits closing it.
    void arrived(ControlClient &client);
    // Runs the client's waiting lines in order until one waits for its mixer.
    void pump(ControlClient &client);
    void take(ControlClient &client, const QByteArray &line);
    void mic(ControlClient &client, const ControlCommand &command, bool on);
    void query(ControlClient &client, const ControlCommand &command);
    // The meeting console's commands, by its own calls: ALLOFF and NEXT are
    // answered once the mixers hold every switch they made.
    void meeting(ControlClient &client, const ControlCommand &command);
    void meetingSwitch(ControlClient &client, MeetingConsole &console, bool allOff);
    RemoteSnapshot snapshot() const;

    RemoteHost m_host;
    RemoteSyncView &m_sync;
    RemoteSwitches m_switches;
    RemoteTokens m_tokens;
    std::unique_ptr<QTcpServer> m_listener;
    quint16 m_port = 0;
    RemoteSnapshot m_last;
    QTimer m_sweepTimer; // while clients are there
};
