#include "remote/remoteserver.h"

#include "base/clock.h"
#include "base/strings.h"
#include "link/linkstate.h"

#include <QAbstractHttpServer>
#include <QFile>
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

QByteArray reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 303: return "See Other";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 409: return "Conflict";
    case 413: return "Content Too Large";
    case 426: return "Upgrade Required";
    case 429: return "Too Many Requests";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return "Error";
    }
}

QByteArray json(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray errorBody(const QString &code, const QString &message = {})
{
    QJsonObject o{{QStringLiteral("error"), code}};
    if (!message.isEmpty())
        o.insert(QStringLiteral("message"), message);
    return json(o);
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

QByteArray resource(const QString &name)
{
    QFile f(QStringLiteral(":/zk/remote/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The page's texts, from the program's string table in its language.
QByteArray pageTexts()
{
    QJsonObject t;
    const std::pair<const char *, int> ids[] = {
        {"title", 12420},    {"readOnly", 12421}, {"linkUp", 12422},  {"linkDown", 12423},
        {"waiting", 12424},  {"verified", 12425}, {"failed", 12426},  {"reconnecting", 12427},
        {"on", 12428},       {"off", 12429},      {"noPanel", 12430}, {"refused", 12431},
        {"mixers", 12432},
    };
    for (const auto &[key, id] : ids)
        t.insert(QLatin1String(key), str(id));
    t.insert(QStringLiteral("lang"), language() == Language::English ? QStringLiteral("en") : QStringLiteral("ja"));
    return json(t);
}

} // namespace

QByteArray httpResponse(int status, const QByteArray &contentType, const QByteArray &body,
                        const QList<QPair<QByteArray, QByteArray>> &headers, bool head)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    if (!contentType.isEmpty())
        out += "Content-Type: " + contentType + "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n";
    for (const auto &[key, value] : headers)
        out += key + ": " + value + "\r\n";
    out += "\r\n";
    if (!head)
        out += body;
    return out;
}

// Qt's HTTP server keeps a request's body in memory until it is complete,
// whatever length it announces, and only then lets the server refuse it. So
// every connection is watched from its first byte: more than ConnectionBudget
// bytes without an answer in between gets 413 and the connection is dropped,
// before any of it is parsed further. A WebSocket leaves the watch when it is
// upgraded (its frames are bounded by the WebSocket itself).
constexpr qint64 ConnectionBudget = 64 * 1024;

void watchConnection(QTcpSocket *socket)
{
    auto *unanswered = new qint64(0);
    QObject::connect(socket, &QObject::destroyed, [unanswered] { delete unanswered; });
    constexpr qint64 Dropped = -1;
    QObject::connect(socket, &QIODevice::bytesWritten, socket, [unanswered] {
        if (*unanswered != Dropped)
            *unanswered = 0;
    });
    QObject::connect(socket, &QIODevice::readyRead, socket, [socket, unanswered] {
        if (*unanswered == Dropped) {
            socket->readAll(); // what still arrives is thrown away
            return;
        }
        *unanswered += socket->bytesAvailable();
        if (*unanswered <= ConnectionBudget)
            return;
        qCInfo(lcRemote) << "dropped" << socket->peerAddress() << "after" << *unanswered << "unanswered bytes";
        *unanswered = Dropped;
        socket->readAll();
        socket->write(httpResponse(413, JsonType, errorBody(QStringLiteral("body-too-large")), {{"Connection", "close"}}));
        socket->disconnectFromHost();
    });
}

void stopWatching(QTcpSocket *socket)
{
    QObject::disconnect(socket, &QIODevice::readyRead, socket, nullptr);
    QObject::disconnect(socket, &QIODevice::bytesWritten, socket, nullptr);
}

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
        watchConnection(socket);
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
        bool ok = false;
        r.contentLength = request.value("content-length").toLongLong(&ok);
        if (!ok)
            r.contentLength = 0;
        r.body = request.body();
        r.peer = request.remoteAddress();
        const bool webSocket = r.upgrade.compare("websocket", Qt::CaseInsensitive) == 0;
        if (m_server.handle(r, socket) == RemoteServer::Handled::Upgrade) {
            stopWatching(socket);
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
        socket->write(httpResponse(404, JsonType, errorBody(QStringLiteral("not-found"))));
    }

private:
    RemoteServer &m_server;
    QTcpSocket *m_refused = nullptr;
};

RemoteServer::RemoteServer(RemoteHost host, RemoteSyncView &sync, QObject *parent)
    : QObject(parent), m_host(std::move(host)), m_sync(sync)
{
    m_deadlineTimer.setInterval(1000);
    connect(&m_deadlineTimer, &QTimer::timeout, this, &RemoteServer::refresh);
    connect(&m_sync, &RemoteSyncView::changed, this, &RemoteServer::refresh);
}

RemoteServer::~RemoteServer()
{
    stop();
}

bool RemoteServer::start(const QString &address, quint16 port, const RemoteTokens &tokens, QString &error,
                         const QString &certificateFile, const QString &keyFile)
{
    stop();
    if (!tokens.valid()) {
        error = str(12412).arg(QString());
        return false;
    }
    const QHostAddress host(address);
    if (host.isNull()) {
        error = str(12413).arg(address);
        return false;
    }
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
                [](QSslSocket *socket) { watchConnection(socket); });
        m_listener = server;
    } else {
        m_listener = new WatchedTcpServer;
    }
    if (m_listener->listen(host, port)) {
        m_port = m_listener->serverPort();
        m_front->bind(m_listener); // the front owns it from here
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
    for (Switch &s : m_switches)
        if (s.socket)
            s.socket->write(httpResponse(503, JsonType, errorBody(QStringLiteral("server-stopped"))));
    m_switches.clear();
    m_deadlineTimer.stop();
    closeClients(QWebSocketProtocol::CloseCodeGoingAway, {});
    m_front.reset();
    m_port = 0;
    emit clientsChanged();
}

bool RemoteServer::running() const
{
    return m_front != nullptr;
}

void RemoteServer::setTokens(const RemoteTokens &tokens)
{
    m_tokens = tokens;
    // Whoever held an old token is out.
    closeClients(QWebSocketProtocol::CloseCodePolicyViolated, QStringLiteral("token renewed"));
    emit clientsChanged();
}

void RemoteServer::closeClients(int code, const QString &reason)
{
    // Taken out first: closing emits disconnected(), which looks for them.
    std::vector<std::unique_ptr<QWebSocket>> clients = std::move(m_clients);
    m_clients.clear();
    for (auto &c : clients) {
        c->disconnect(this);
        if (c->state() == QAbstractSocket::ConnectedState)
            c->close(QWebSocketProtocol::CloseCode(code), reason);
        c.release()->deleteLater();
    }
}

RemoteSnapshot RemoteServer::snapshot() const
{
    return RemoteSnapshot::take(m_host.mixers, m_host.link, m_sync, m_host.panelOpen && m_host.panelOpen(),
                                m_host.executing && m_host.executing());
}

RemoteServer::Handled RemoteServer::handle(const Request &request, QTcpSocket *socket)
{
    const bool head = request.method == HttpMethod::Head;
    auto answer = [&](int status, const QByteArray &body, const QList<QPair<QByteArray, QByteArray>> &headers = {}) {
        socket->write(httpResponse(status, JsonType, body, headers, head));
        return Handled::Answered;
    };
    const double now = m_host.clock.now();
    m_limiter.prune(now);
    if (!m_limiter.admit(request.peer, now)) {
        const int wait = std::max(1, int(std::ceil(m_limiter.retryAfter(request.peer, now))));
        return answer(429, errorBody(QStringLiteral("too-many-requests")),
                      {{"Retry-After", QByteArray::number(wait)}});
    }
    if (request.body.size() > Remote::MaxBodyBytes || request.contentLength > Remote::MaxBodyBytes)
        return answer(413, errorBody(QStringLiteral("body-too-large")), {{"Connection", "close"}});
    const Route route = routeOf(request.method, request.path);
    if (route.kind == RouteKind::NotFound)
        return answer(404, errorBody(QStringLiteral("not-found")));
    if (!route.methodAllowed)
        return answer(405, errorBody(QStringLiteral("method-not-allowed")), {{"Allow", route.allowed}});
    if (route.kind == RouteKind::Page) {
        servePage(request, socket);
        return Handled::Answered;
    }
    QByteArray token = bearerToken(request.authorization);
    if (token.isEmpty())
        token = cookieValue(request.cookie, Remote::CookieName);
    const RemoteAccess access = m_tokens.accessOf(token);
    if (access == RemoteAccess::None)
        return answer(401, errorBody(QStringLiteral("unauthorized")), {{"WWW-Authenticate", "Bearer"}});
    switch (route.kind) {
    case RouteKind::Script:
        socket->write(httpResponse(200, "text/javascript; charset=utf-8", resource(QStringLiteral("panel.js")), {},
                                   head));
        return Handled::Answered;
    case RouteKind::Status:
        return answer(200, json(statusJson(snapshot())));
    case RouteKind::Panel: {
        const int mixers = m_host.link.offline() ? Panel::MaxMixers : m_host.mixers.FileMixerCount;
        return answer(200, json(panelJson(m_host.panel, mixers, m_host.executing && m_host.executing())));
    }
    case RouteKind::Events:
        if (request.upgrade.toLower() != "websocket")
            return answer(426, errorBody(QStringLiteral("websocket-required")), {{"Upgrade", "websocket"}});
        if (int(m_clients.size()) >= Remote::MaxEventClients)
            return answer(503, errorBody(QStringLiteral("too-many-clients")), {{"Retry-After", "10"}});
        return Handled::Upgrade;
    case RouteKind::Channel:
        handleChannel(route, request, access, socket);
        return Handled::Answered;
    case RouteKind::Page:
    case RouteKind::NotFound:
        break;
    }
    return answer(404, errorBody(QStringLiteral("not-found")));
}

void RemoteServer::servePage(const Request &request, QTcpSocket *socket)
{
    const bool head = request.method == HttpMethod::Head;
    const QByteArray html = "text/html; charset=utf-8";
    const QUrlQuery query(QString::fromLatin1(request.query));
    if (query.hasQueryItem(QStringLiteral("token"))) {
        const QByteArray token = query.queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded).toLatin1();
        if (m_tokens.accessOf(token) == RemoteAccess::None) {
            socket->write(httpResponse(401, html, resource(QStringLiteral("refused.html")), {}, head));
            return;
        }
        // The token leaves the address bar and the history at once; the
        // browser keeps it where scripts cannot read it.
        socket->write(httpResponse(303, {}, {},
                                   {{"Location", "/"},
                                    {"Set-Cookie", Remote::CookieName + '=' + token
                                                       + "; Path=/; HttpOnly; SameSite=Strict"
                                                       + (m_https ? "; Secure" : "")},
                                    {"Referrer-Policy", "no-referrer"}},
                                   head));
        return;
    }
    if (m_tokens.accessOf(cookieValue(request.cookie, Remote::CookieName)) == RemoteAccess::None) {
        socket->write(httpResponse(401, html, resource(QStringLiteral("refused.html")), {}, head));
        return;
    }
    QByteArray page = resource(QStringLiteral("index.html"));
    page.replace("@TEXTS@", QString::fromUtf8(pageTexts()).toHtmlEscaped().toUtf8());
    page.replace("@LANG@", language() == Language::English ? "en" : "ja");
    socket->write(httpResponse(200, html, page,
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
        socket->write(httpResponse(status, JsonType, body));
    };
    if (access != RemoteAccess::Operate)
        return answer(403, errorBody(QStringLiteral("watch-only")));
    const int linked = qBound(0, int(m_host.mixers.MixerCount), MaxMixers);
    if (route.mixer < 1 || route.mixer > linked || route.channel < 1 || route.channel > ChannelCount)
        return answer(404, errorBody(QStringLiteral("not-linked")));
    // The mixers refused this program's writes (the Ethernet access check):
    // no switch would arrive.
    if (!m_host.mixers.WriteAccess)
        return answer(403, errorBody(QStringLiteral("no-write-access")));
    const SwitchBody body = parseSwitchBody(request.body);
    if (!body.on)
        return answer(400, errorBody(QStringLiteral("bad-body"), body.error));
    if (!(m_host.executing && m_host.executing()))
        return answer(409, errorBody(QStringLiteral("panel-not-executing")));
    const int panelMixer = route.mixer - 1;
    const int slot = route.channel - 1;
    if (panelMixer >= Panel::MaxMixers || !m_host.panel.slot(panelMixer, slot).IconEnable)
        return answer(409, errorBody(QStringLiteral("no-button")));
    // Nothing reaches the mixers, and what was read of them before may no
    // longer hold: the panel's button is greyed, and so is this switch.
    if (m_host.link.down())
        return answer(503, errorBody(QStringLiteral("link-down")));
    bool pressed = false;
    if (m_host.panel.slot(panelMixer, slot).IconOnOff != *body.on) {
        if (!m_host.press(panelMixer, slot))
            return answer(409, errorBody(QStringLiteral("panel-not-executing")));
        pressed = true;
    }
    Switch s;
    s.socket = socket;
    s.mixer = route.mixer;
    s.channel = route.channel;
    s.on = *body.on;
    s.pressed = pressed;
    s.deadline = m_host.clock.now() + SwitchDeadline;
    if (!settle(s)) {
        m_switches.push_back(s);
        m_deadlineTimer.start();
    }
    refresh();
}

bool RemoteServer::settle(Switch &s)
{
    if (!s.socket)
        return true; // the client went away
    const RemoteValueState state = m_sync.channelState(s.mixer, s.channel);
    const bool wanted = channelOn(m_host.mixers.MixerSetData[size_t(s.mixer)], s.channel);
    auto finish = [&](int status, const QJsonObject &o) {
        s.socket->write(httpResponse(status, JsonType, json(o)));
        return true;
    };
    const QJsonObject place{{QStringLiteral("mixer"), s.mixer}, {QStringLiteral("channel"), s.channel}};
    auto with = [&](QJsonObject o) {
        for (auto it = place.begin(); it != place.end(); ++it)
            o.insert(it.key(), it.value());
        o.insert(QStringLiteral("on"), s.on);
        return o;
    };
    if (wanted != s.on)
        return finish(409, with({{QStringLiteral("verified"), false},
                                 {QStringLiteral("error"), QStringLiteral("superseded")}}));
    // After a press, what the state said before (a verified or failed
    // earlier write) is no answer: the new write is seen waiting first.
    if (state == RemoteValueState::Waiting || (s.pressed && !s.sawWaiting)) {
        s.sawWaiting = s.sawWaiting || state == RemoteValueState::Waiting;
        if (m_host.clock.now() > s.deadline)
            return finish(504, with({{QStringLiteral("verified"), false},
                                     {QStringLiteral("error"), QStringLiteral("timeout")}}));
        return false;
    }
    if (state == RemoteValueState::Failed)
        return finish(504, with({{QStringLiteral("verified"), false}}));
    // A 200 says the mixer was read holding the switch, after the connection
    // last came back: the read-back of this write, or (a switch that pressed
    // nothing) the last read of the mixer's two values.
    if (m_sync.mixersCurrent()
        && ((state == RemoteValueState::Verified && s.sawWaiting) || holdsWanted(s.mixer, s.channel)))
        return finish(200, with({{QStringLiteral("verified"), true}}));
    if (m_host.clock.now() > s.deadline)
        return finish(504, with({{QStringLiteral("verified"), false}, {QStringLiteral("error"), QStringLiteral("timeout")}}));
    return false;
}

bool RemoteServer::holdsWanted(int mixer, int channel) const
{
    const MixerDataRecord &held = m_host.mixers.MixerData[size_t(mixer)];
    const MixerDataRecord &wanted = m_host.mixers.MixerSetData[size_t(mixer)];
    for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff})
        if (held.channel(f, channel) != wanted.channel(f, channel))
            return false;
    return true;
}

void RemoteServer::refresh()
{
    if (!running())
        return;
    const RemoteSnapshot next = snapshot();
    for (const QJsonObject &event : eventsBetween(m_last, next))
        broadcast(event);
    m_last = next;
    m_switches.erase(std::remove_if(m_switches.begin(), m_switches.end(), [this](Switch &s) { return settle(s); }),
                     m_switches.end());
    if (m_switches.empty())
        m_deadlineTimer.stop();
}

void RemoteServer::broadcast(const QJsonObject &event)
{
    const QString text = QString::fromUtf8(json(event));
    for (auto &c : m_clients)
        c->sendTextMessage(text);
}

void RemoteServer::acceptWebSocket(QWebSocket *raw)
{
    // Qt's WebSocket server parents what it hands out; this server owns it.
    raw->setParent(nullptr);
    std::unique_ptr<QWebSocket> socket(raw);
    if (int(m_clients.size()) >= Remote::MaxEventClients) {
        socket->close(QWebSocketProtocol::CloseCodeTooMuchData);
        socket.release()->deleteLater();
        return;
    }
    // The upgrade passed the checks of handle(); the handshake is looked at
    // again so that no way past them can open the events.
    const QNetworkRequest handshake = socket->request();
    QByteArray token = bearerToken(handshake.rawHeader("Authorization"));
    if (token.isEmpty())
        token = cookieValue(handshake.rawHeader("Cookie"), Remote::CookieName);
    if (handshake.url().path() != QLatin1String("/api/v1/events") || m_tokens.accessOf(token) == RemoteAccess::None) {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
        socket.release()->deleteLater();
        return;
    }
    socket->setMaxAllowedIncomingMessageSize(Remote::MaxBodyBytes);
    socket->setMaxAllowedIncomingFrameSize(Remote::MaxBodyBytes);
    QWebSocket *s = socket.get();
    connect(s, &QWebSocket::disconnected, this, [this, s] {
        const auto it = std::find_if(m_clients.begin(), m_clients.end(), [s](const auto &c) { return c.get() == s; });
        if (it != m_clients.end()) {
            it->release()->deleteLater();
            m_clients.erase(it);
            emit clientsChanged();
        }
    });
    // The first message is the whole status; changes follow.
    QJsonObject hello = statusJson(m_last);
    hello.insert(QStringLiteral("type"), QStringLiteral("status"));
    s->sendTextMessage(QString::fromUtf8(json(hello)));
    m_clients.push_back(std::move(socket));
    emit clientsChanged();
}
