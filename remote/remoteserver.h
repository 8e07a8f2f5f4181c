#pragma once

// The remote-operation server: the control panel for browsers and a small
// JSON interface for room-control systems, on one HTTP(S) port, running in
// the program's one event loop. It reads the mixer records and the panel and
// changes nothing itself: a switch is a press on the panel's button in the
// execution state, handed to the panel window through RemoteHost::press, so
// a remote tap takes exactly the road of a click. A switch is answered once
// the value's state says how it went (verified, or failed after the passes).
//
// Every request is counted against its client's budget (20 a second: the
// token's, or the address's of one without a valid token), then routed
// (404, 405), then its token checked (401), then, when it would change
// something or open the events, where it comes from (403), before anything
// of the system's state is read. Heads and bodies are bounded as they arrive
// (remoteconnection.h); the event clients in number and silence
// (remoteevents.h).

#include "remote/remoteaccess.h"
#include "remote/remotehost.h"
#include "remote/remoteconnection.h"
#include "remote/remotejson.h"
#include "remote/remoterequest.h"
#include "remote/remoteswitches.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;
class QWebSocket;
class MeetingConsole;
class RemoteEvents;
class RemoteHttpFront;


class RemoteServer : public QObject
{
    Q_OBJECT

public:
    RemoteServer(RemoteHost host, RemoteSyncView &sync, QObject *parent = nullptr);
    ~RemoteServer() override;

    // Listens on `address`:`port` (0: the system chooses). With both files
    // given, HTTPS. False with a reason in `error` (a message for the user).
    bool start(const QString &address, quint16 port, const RemoteTokens &tokens, QString &error,
               const QString &certificateFile = {}, const QString &keyFile = {});
    void stop();
    bool running() const;
    quint16 port() const { return m_port; }
    bool https() const { return m_https; }
    void setTokens(const RemoteTokens &tokens);

    // Looks at the system again: sends the changes to the event clients and
    // answers the switches whose outcome is now known. The program calls it
    // after each status poll and write run; the server itself after a switch.
    void refresh();

    int eventClients() const;
    // Of them, browsers' pages, and room-control systems (a bearer token).
    int pageClients() const;
    int interfaceClients() const { return eventClients() - pageClients(); }
    int waitingSwitches() const { return m_switches.waiting(); }
    // The event clients' watch: pings them, drops the silent (every 15 s).
    RemoteEvents &events() { return *m_events; }

    // For the front: one complete request.
    struct Request
    {
        HttpMethod method = HttpMethod::Other;
        QByteArray path;
        QByteArray query;
        QByteArray authorization;
        QByteArray cookie;
        QByteArray upgrade;
        QByteArray host;
        QByteArray origin;
        QByteArray fetchSite;   // Sec-Fetch-Site
        QByteArray contentType;
        qint64 contentLength = 0;
        QByteArray body;
        QHostAddress peer;
        quint64 place = 0;      // where its answer stands among the connection's
    };
    // Handles a request: answers it (or keeps it waiting for its outcome),
    // or leaves the socket untouched for the front to upgrade to a WebSocket.
    enum class Handled { Answered, Upgrade };
    Handled handle(const Request &request, QTcpSocket *socket);
    void acceptWebSocket(QWebSocket *socket);

signals:
    void clientsChanged();

private:
    void handleChannel(const Route &route, const Request &request, RemoteAccess access, QTcpSocket *socket);
    // The meeting's routes (remotemeetingroutes.cpp).
    void handleMeeting(const Route &route, const Request &request, RemoteAccess access, QTcpSocket *socket);
    void meetingSwitch(const Route &route, const Request &request, MeetingConsole &console, QTcpSocket *socket);
    void servePage(const Request &request, QTcpSocket *socket);
    // An answer in its place among the connection's answers.
    void reply(QTcpSocket *socket, quint64 place, const QByteArray &bytes, bool close = false);
    // Whether a browser page of another origin sent it (403).
    bool foreign(const Request &request) const;
    QJsonObject statusFor(RemoteAccess access) const;
    RemoteSnapshot snapshot() const;

    RemoteHost m_host;
    RemoteSyncView &m_sync;
    RemoteTokens m_tokens;
    RateLimiter m_limiter;        // per token
    RateLimiter m_refusedLimiter; // per address, requests without a valid token
    std::unique_ptr<RemoteEvents> m_events;
    std::unique_ptr<RemoteHttpFront> m_front;
    QTcpServer *m_listener = nullptr; // while start() sets it up
    quint16 m_port = 0;
    bool m_https = false;
    RemoteSwitches m_switches;
    RemoteSnapshot m_last;
    // Runs while event clients are there: a modal window opening or closing
    // changes nothing the loop would report.
    QTimer m_watchTimer;
};
