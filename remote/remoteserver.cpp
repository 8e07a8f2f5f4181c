#include "remote/remoteserver.h"

#include "base/clock.h"
#include "base/strings.h"
#include "link/linkstate.h"
#include "remote/remoteevents.h"
#include "remote/remotemeeting.h"
#include "remote/remotepage.h"

#include <QAbstractHttpServer>
#include <QFile>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QNetworkRequest>
#include <QLoggingCategory>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QSslConfiguration>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
#include <QWebSocket>

#include <cmath>
#include <utility>

Q_LOGGING_CATEGORY(lcRemote, "zkvr.remote")

namespace {

QByteArray json(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

// The answer to a switch: a refusal names its error; one that was under
// way names the switch too, and whether the mixer was read holding it.
QJsonObject switchAnswer(const SwitchOutcome &o, int mixer, int channel, bool on)
{
    QJsonObject a;
    const QString word = switchErrorWord(o.error);
    if (!word.isEmpty())
        a.insert(QStringLiteral("error"), word);
    if (o.error == SwitchError::Blocked)
        a.insert(QStringLiteral("blocked"), o.blocked);
    if (o.started) {
        a.insert(QStringLiteral("mixer"), mixer);
        a.insert(QStringLiteral("channel"), channel);
        a.insert(QStringLiteral("on"), on);
        a.insert(QStringLiteral("verified"), o.verified());
    }
    return a;
}

const QByteArray JsonType = "application/json";

HttpMethod methodOf(QHttpServerRequest::Method m)
{
    using M = QHttpServerRequest::Method;
    switch (m) {
    case M::Get: return HttpMethod::Get;
    case M::Head: return HttpMethod::Head;
    case M::Post: return HttpMethod::Post;
    case M::Put: return HttpMethod::Put;
    case M::Delete: return HttpMethod::Delete;
    case M::Patch: return HttpMethod::Patch;
    case M::Options: return HttpMethod::Options;
    default: return HttpMethod::Other;
    }
}

} // namespace

// A plain listener whose sockets are watched before Qt's server reads them.
class WatchedTcpServer : public QTcpServer
{
public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        HttpConnection::watch(socket);
        addPendingConnection(socket);
    }
};

// The HTTP front of Qt's server: hands every complete request to the remote
// server, which answers on the socket itself (a switch answers later).
class RemoteHttpFront : public QAbstractHttpServer
{
public:
    explicit RemoteHttpFront(RemoteServer &server) : m_server(server)
    {
        connect(this, &QAbstractHttpServer::newWebSocketConnection, this, [this] {
            while (hasPendingWebSocketConnections()) {
                std::unique_ptr<QWebSocket> s = nextPendingWebSocketConnection();
                m_server.acceptWebSocket(s.release());
            }
        });
    }

protected:
    // Qt's server upgrades a WebSocket request when this returns true and
    // nothing was written; when it returns false it calls missingHandler()
    // and closes the connection. Every other request is answered here.
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override
    {
        RemoteServer::Request r;
        r.method = methodOf(request.method());
        r.path = request.url().path(QUrl::FullyEncoded).toLatin1();
        r.query = request.url().query(QUrl::FullyEncoded).toLatin1();
        r.authorization = request.value("authorization");
        r.cookie = request.value("cookie");
        r.upgrade = request.value("upgrade");
        r.host = request.value("host");
        r.origin = request.value("origin");
        r.fetchSite = request.value("sec-fetch-site");
        r.contentType = request.value("content-type");
        bool ok = false;
        r.contentLength = request.value("content-length").toLongLong(&ok);
        if (!ok)
            r.contentLength = 0;
        r.body = request.body();
        r.peer = request.remoteAddress();
        HttpConnection *connection = HttpConnection::of(socket);
        r.place = connection ? connection->reserve() : 0;
        const bool webSocket = r.upgrade.compare("websocket", Qt::CaseInsensitive) == 0;
        if (m_server.handle(r, socket) == RemoteServer::Handled::Upgrade) {
            if (connection)
                connection->upgraded();
            return true;
        }
        if (webSocket)
            m_refused = socket; // answered already; the connection closes
        return !webSocket;
    }
    void missingHandler(const QHttpServerRequest &, QTcpSocket *socket) override
    {
        if (std::exchange(m_refused, nullptr) == socket)
            return;
        HttpConnection *connection = HttpConnection::of(socket);
        const QByteArray answer = httpResponse(404, JsonType, errorJson(QStringLiteral("not-found")));
        if (connection)
            connection->answer(connection->reserve(), answer);
        else
            socket->write(answer);
    }

private:
    RemoteServer &m_server;
    QTcpSocket *m_refused = nullptr;
};

RemoteServer::RemoteServer(RemoteHost host, RemoteSyncView &sync, QObject *parent)
    : QObject(parent), m_host(std::move(host)), m_sync(sync), m_events(std::make_unique<RemoteEvents>(m_host.clock)),
      m_switches(m_host, sync)
{
    connect(&m_switches, &RemoteSwitches::pressed, this, &RemoteServer::refresh);
    connect(&m_sync, &RemoteSyncView::changed, this, &RemoteServer::refresh);
    m_watchTimer.setInterval(1000);
    connect(&m_watchTimer, &QTimer::timeout, this, &RemoteServer::refresh);
    connect(m_events.get(), &RemoteEvents::changed, this, [this] {
        if (m_events->count() > 0)
            m_watchTimer.start();
        else
            m_watchTimer.stop();
        emit clientsChanged();
    });
}

RemoteServer::~RemoteServer()
{
    stop();
}

bool RemoteServer::start(const QString &address, quint16 port, const RemoteTokens &tokens, QString &error,
                         const QString &certificateFile, const QString &keyFile)
{
    stop();
    error = listenProblem(address, tokens);
    if (!error.isEmpty())
        return false;
    const QHostAddress host(address);
    m_tokens = tokens;
    m_front = std::make_unique<RemoteHttpFront>(*this);
    m_https = !certificateFile.isEmpty() && !keyFile.isEmpty();
    if (m_https) {
        QFile cf(certificateFile);
        QFile kf(keyFile);
        const QList<QSslCertificate> certs =
            cf.open(QIODevice::ReadOnly) ? QSslCertificate::fromDevice(&cf, QSsl::Pem) : QList<QSslCertificate>();
        const QSslKey key = kf.open(QIODevice::ReadOnly) ? QSslKey(&kf, QSsl::Rsa, QSsl::Pem) : QSslKey();
        const QSslKey ecKey = key.isNull() && kf.seek(0) ? QSslKey(&kf, QSsl::Ec, QSsl::Pem) : QSslKey();
        if (certs.isEmpty() || (key.isNull() && ecKey.isNull())) {
            m_front.reset();
            error = str(12414);
            return false;
        }
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setLocalCertificate(certs.first());
        ssl.setPrivateKey(key.isNull() ? ecKey : key);
        auto *server = new QSslServer;
        server->setSslConfiguration(ssl);
        // The encrypted socket is watched from its handshake on.
        connect(server, &QSslServer::startedEncryptionHandshake, server,
                [](QSslSocket *socket) { HttpConnection::watch(socket); });
        m_listener = server;
    } else {
        m_listener = new WatchedTcpServer;
    }
    if (m_listener->listen(host, port)) {
        m_port = m_listener->serverPort();
        m_front->bind(m_listener); // the front owns it from here
        HttpConnection::followServer(m_listener);
    } else {
        delete m_listener;
        m_port = 0;
    }
    m_listener = nullptr;
    if (m_port == 0) {
        m_front.reset();
        error = str(12415).arg(address).arg(port);
        return false;
    }
    m_last = snapshot();
    qCInfo(lcRemote) << "listening on" << address << m_port << (m_https ? "https" : "http");
    return true;
}

void RemoteServer::stop()
{
    // The sockets of waiting switches outlive the listener, so that their
    // answer leaves before they close.
    m_switches.stopAll();
    m_events->closeAll(QWebSocketProtocol::CloseCodeGoingAway, {});
    m_front.reset();
    m_port = 0;
    emit clientsChanged();
}

int RemoteServer::eventClients() const
{
    return m_events->count();
}

int RemoteServer::pageClients() const
{
    return m_events->pages();
}

bool RemoteServer::running() const
{
    return m_front != nullptr;
}

void RemoteServer::setTokens(const RemoteTokens &tokens)
{
    m_tokens = tokens;
    // Whoever held an old token is out, and its slots are free.
    m_events->closeAll(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("token renewed"));
    emit clientsChanged();
}

RemoteSnapshot RemoteServer::snapshot() const
{
    return snapshotOf(m_host, m_sync);
}

QJsonObject RemoteServer::statusFor(RemoteAccess access) const
{
    QJsonObject o = statusJson(snapshot());
    o.insert(QStringLiteral("access"), access == RemoteAccess::Operate ? QStringLiteral("operate")
                                                                       : QStringLiteral("watch"));
    return o;
}

void RemoteServer::reply(QTcpSocket *socket, quint64 place, const QByteArray &bytes, bool close)
{
    if (HttpConnection *connection = HttpConnection::of(socket)) {
        connection->answer(place, bytes, close);
        return;
    }
    socket->write(bytes);
    if (close)
        socket->disconnectFromHost();
}

bool RemoteServer::foreign(const Request &request) const
{
    return !sameOrigin(request.origin, request.fetchSite, request.host, m_https);
}

RemoteServer::Handled RemoteServer::handle(const Request &request, QTcpSocket *socket)
{
    const bool head = request.method == HttpMethod::Head;
    auto answer = [&](int status, const QByteArray &body, const QList<QPair<QByteArray, QByteArray>> &headers = {}) {
        const bool close = headers.contains({"Connection", "close"});
        reply(socket, request.place, httpResponse(status, JsonType, body, headers, head), close);
        return Handled::Answered;
    };
    const QByteArray token = presentedToken(request.authorization, request.cookie, cookieName(m_port));
    const RemoteAccess access = m_tokens.accessOf(token);
    // A token's holders share its budget; requests without a valid one are
    // counted apart, by address, so that they cannot spend it.
    RateLimiter &limiter = access == RemoteAccess::None ? m_refusedLimiter : m_limiter;
    const QString client = access == RemoteAccess::None ? RateLimiter::addressKey(request.peer)
                                                        : QString::fromLatin1(token);
    const double now = m_host.clock.now();
    limiter.prune(now);
    if (!limiter.admit(client, now)) {
        const int wait = std::max(1, int(std::ceil(limiter.retryAfter(client, now))));
        return answer(429, errorJson(QStringLiteral("too-many-requests")), {{"Retry-After", QByteArray::number(wait)}});
    }
    if (request.body.size() > Remote::MaxBodyBytes || request.contentLength > Remote::MaxBodyBytes)
        return answer(413, errorJson(QStringLiteral("body-too-large")), {{"Connection", "close"}});
    const Route route = routeOf(request.method, request.path);
    if (route.kind == RouteKind::NotFound)
        return answer(404, errorJson(QStringLiteral("not-found")));
    if (!route.methodAllowed)
        return answer(405, errorJson(QStringLiteral("method-not-allowed")), {{"Allow", route.allowed}});
    if (route.kind == RouteKind::Page) {
        servePage(request, socket);
        return Handled::Answered;
    }
    if (route.kind == RouteKind::Manifest) {
        reply(socket, request.place, httpResponse(200, "application/manifest+json", RemotePage::manifest(), {}, head));
        return Handled::Answered;
    }
    if (access == RemoteAccess::None)
        return answer(401, errorJson(QStringLiteral("unauthorized")), {{"WWW-Authenticate", "Bearer"}});
    // Whatever changes something or opens the events is the page's own or
    // no browser's: a page of another origin holds the cookie too.
    // (Past the method's check, all but GET and HEAD change something.)
    const bool changes = route.kind == RouteKind::Events
                         || (request.method != HttpMethod::Get && request.method != HttpMethod::Head);
    if (changes && foreign(request))
        return answer(403, errorJson(QStringLiteral("foreign-origin")));
    switch (route.kind) {
    case RouteKind::Script:
        reply(socket, request.place,
              httpResponse(200, "text/javascript; charset=utf-8", RemotePage::file(QString::fromLatin1(route.script)), {}, head));
        return Handled::Answered;
    case RouteKind::Status:
        return answer(200, json(statusFor(access)));
    case RouteKind::Metrics:
        if (!m_host.metrics)
            return answer(404, errorJson(QStringLiteral("not-found")));
        reply(socket, request.place,
              httpResponse(200, "text/plain; version=0.0.4; charset=utf-8", m_host.metrics(), {}, head));
        return Handled::Answered;
    case RouteKind::Panel: {
        const int mixers = m_host.link.offline() ? Panel::MaxMixers : m_host.mixers.FileMixerCount;
        return answer(200, json(panelJson(m_host.panel, mixers, m_host.executing && m_host.executing())));
    }
    case RouteKind::Events:
        if (request.upgrade.toLower() != "websocket")
            return answer(426, errorJson(QStringLiteral("websocket-required")), {{"Upgrade", "websocket"}});
        if (!m_events->roomFor(request.peer, token))
            return answer(503, errorJson(QStringLiteral("too-many-clients")), {{"Retry-After", "10"}});
        return Handled::Upgrade;
    case RouteKind::Channel:
        handleChannel(route, request, access, socket);
        return Handled::Answered;
    default: // the meeting's (the page and what is not found were answered above)
        handleMeeting(route, request, access, socket);
        return Handled::Answered;
    }
}

void RemoteServer::servePage(const Request &request, QTcpSocket *socket)
{
    const bool head = request.method == HttpMethod::Head;
    const QByteArray html = "text/html; charset=utf-8";
    const QUrlQuery query(QString::fromLatin1(request.query));
    if (query.hasQueryItem(QStringLiteral("token"))) {
        const QByteArray token = query.queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded).toLatin1();
        if (m_tokens.accessOf(token) == RemoteAccess::None) {
            reply(socket, request.place, httpResponse(401, html, RemotePage::file(QStringLiteral("refused.html")), {}, head));
            return;
        }
        // The token leaves the address bar and the history at once; the
        // browser keeps it where scripts cannot read it.
        reply(socket, request.place,
              httpResponse(303, {}, {},
                           {{"Location", "/"},
                            {"Set-Cookie", cookieName(m_port) + '=' + token + "; Path=/; HttpOnly; SameSite=Strict"
                                               + (m_https ? "; Secure" : "")},
                            {"Referrer-Policy", "no-referrer"}},
                           head));
        return;
    }
    if (m_tokens.accessOf(cookieValue(request.cookie, cookieName(m_port))) == RemoteAccess::None) {
        reply(socket, request.place, httpResponse(401, html, RemotePage::file(QStringLiteral("refused.html")), {}, head));
        return;
    }
    const QByteArray page = RemotePage::page();
    reply(socket, request.place,
          httpResponse(200, html, page,
                       {{"Content-Security-Policy",
                         "default-src 'self'; script-src 'self'; style-src 'self' 'unsafe-inline'; "
                         "connect-src 'self' ws: wss:; frame-ancestors 'none'"},
                        {"Referrer-Policy", "no-referrer"},
                        {"X-Frame-Options", "DENY"}},
                       head));
}

void RemoteServer::handleChannel(const Route &route, const Request &request, RemoteAccess access, QTcpSocket *socket)
{
    auto answer = [&](int status, const QByteArray &body) {
        reply(socket, request.place, httpResponse(status, JsonType, body));
    };
    if (access != RemoteAccess::Operate)
        return answer(403, errorJson(QStringLiteral("watch-only")));
    // Only JSON: a form or a text/plain post is what a page elsewhere can
    // send without asking the browser first.
    if (!isJsonType(request.contentType))
        return answer(415, errorJson(QStringLiteral("unsupported-media-type"),
                                     QStringLiteral("the body must be sent as application/json")));
    if (const auto refused = m_switches.refusal(route.mixer, route.channel))
        return answer(refused->status(), errorJson(switchErrorWord(refused->error)));
    const SwitchBody body = parseSwitchBody(request.body);
    if (!body.on)
        return answer(400, errorJson(QStringLiteral("bad-body"), body.error));
    const int mixer = route.mixer;
    const int channel = route.channel;
    const bool on = *body.on;
    const quint64 place = request.place;
    const QPointer<QTcpSocket> client(socket);
    m_switches.ask(mixer, channel, on, QPointer<QObject>(socket), [this, client, place, mixer, channel, on](const SwitchOutcome &o) {
        if (!client)
            return;
        const bool stopped = o.error == SwitchError::Stopped;
        reply(client, place, httpResponse(o.status(), JsonType, json(switchAnswer(o, mixer, channel, on))), stopped);
        if (HttpConnection *connection = stopped ? HttpConnection::of(client) : nullptr)
            connection->detach();
    });
    refresh();
}

void RemoteServer::refresh()
{
    if (!running())
        return;
    const RemoteSnapshot next = snapshot();
    const MeetingConsole *console = m_host.meeting ? m_host.meeting() : nullptr;
    const QJsonObject meetingNow = console && next.meeting != m_last.meeting ? meetingJson(*console) : QJsonObject();
    for (const QJsonObject &event : eventsBetween(m_last, next, meetingNow))
        m_events->broadcast(QString::fromUtf8(json(event)));
    m_last = next;
    m_switches.settle(next.blocked);
}

void RemoteServer::acceptWebSocket(QWebSocket *raw)
{
    // Qt's WebSocket server parents what it hands out; this server owns it.
    raw->setParent(nullptr);
    std::unique_ptr<QWebSocket> socket(raw);
    // The upgrade passed the checks of handle(); the handshake is looked at
    // again so that no way past them can open the events.
    const QNetworkRequest handshake = socket->request();
    const QByteArray token
        = presentedToken(handshake.rawHeader("Authorization"), handshake.rawHeader("Cookie"), cookieName(m_port));
    const RemoteAccess access = m_tokens.accessOf(token);
    const bool own = sameOrigin(socket->origin().toUtf8(), handshake.rawHeader("Sec-Fetch-Site"),
                                handshake.rawHeader("Host"), m_https);
    if (handshake.url().path() != QLatin1String("/api/v1/events") || access == RemoteAccess::None || !own) {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
        socket.release()->deleteLater();
        return;
    }
    // The first message is the whole status; changes follow.
    QJsonObject hello = statusJson(m_last);
    hello.insert(QStringLiteral("type"), QStringLiteral("status"));
    hello.insert(QStringLiteral("access"),
                 access == RemoteAccess::Operate ? QStringLiteral("operate") : QStringLiteral("watch"));
    // A browser's page presents the cookie; a room-control system its bearer token.
    const bool page = bearerToken(handshake.rawHeader("Authorization")).isEmpty();
    m_events->add(std::move(socket), token, QString::fromUtf8(json(hello)), page);
}
