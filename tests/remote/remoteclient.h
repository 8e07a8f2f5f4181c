#pragma once

// A client of the remote interface for tests: requests go out at once and
// their answers are collected by name, so a test can drive the program's own
// loop while the answers arrive (a switch is answered only after the mixer
// was written and read back).

#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>

#include <map>

struct ApiAnswer
{
    int status = 0;
    QByteArray body;
    QList<QNetworkReply::RawHeaderPair> headers;
    bool done = false;
    double ms = 0; // from sending to the whole answer
    QByteArray header(const QByteArray &name) const
    {
        for (const auto &[k, v] : headers)
            if (k.compare(name, Qt::CaseInsensitive) == 0)
                return v;
        return {};
    }
    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
};

class ApiClient
{
public:
    explicit ApiClient(quint16 port = 0) : m_port(port)
    {
        // Cookies are the page's business; the interface carries its token.
        m_net.setCookieJar(nullptr);
        m_net.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    }
    void setPort(quint16 port) { m_port = port; }

    void send(const QString &name, const QByteArray &method, const QString &path, const QByteArray &token = {},
              const QByteArray &body = {}, const QByteArray &cookie = {})
    {
        QNetworkRequest r(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path)));
        if (!token.isEmpty())
            r.setRawHeader("Authorization", "Bearer " + token);
        if (!cookie.isEmpty())
            r.setRawHeader("Cookie", cookie);
        if (!body.isEmpty())
            r.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        answers[name] = {};
        QElapsedTimer sent;
        sent.start();
        QNetworkReply *reply = m_net.sendCustomRequest(r, method, body);
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, name, reply, sent] {
            ApiAnswer &a = answers[name];
            a.ms = double(sent.nsecsElapsed()) / 1e6;
            a.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            a.body = reply->readAll();
            a.headers = reply->rawHeaderPairs();
            a.done = true;
            reply->deleteLater();
        });
    }
    bool done(const QString &name) const
    {
        const auto it = answers.find(name);
        return it != answers.end() && it->second.done;
    }
    bool allDone() const
    {
        for (const auto &[name, a] : answers)
            if (!a.done)
                return false;
        return true;
    }
    // Waits in a local loop: only for tests whose server needs no job loop.
    bool wait(const QString &name, int ms = 5000)
    {
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        deadline.start(ms);
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            if (done(name))
                loop.quit();
        });
        tick.start(5);
        loop.exec();
        return done(name);
    }

    std::map<QString, ApiAnswer> answers;

private:
    QNetworkAccessManager m_net;
    quint16 m_port;
};

// An events client that keeps every message.
struct EventsClient
{
    QWebSocket socket;
    QStringList messages;
    bool closed = false;
    void open(quint16 port, const QByteArray &token)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, &socket,
                         [this](const QString &m) { messages << m; });
        QObject::connect(&socket, &QWebSocket::disconnected, &socket, [this] { closed = true; });
        QNetworkRequest r(QUrl(QStringLiteral("ws://127.0.0.1:%1/api/v1/events").arg(port)));
        if (!token.isEmpty())
            r.setRawHeader("Authorization", "Bearer " + token);
        socket.open(r);
    }
    // The messages as objects, of one type.
    QList<QJsonObject> of(const QString &type) const
    {
        QList<QJsonObject> out;
        for (const QString &m : messages) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            if (o.value("type").toString() == type)
                out << o;
        }
        return out;
    }
};

// A room controller on the line control: lines go out at once, every line
// that comes back is kept, answers apart from the unasked EVT lines.
struct LineClient
{
    QTcpSocket socket;
    QByteArray pending;
    QList<QByteArray> answers;
    QList<QByteArray> events;
    bool closed = false;
    void open(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [this] {
            pending += socket.readAll();
            for (qsizetype end = pending.indexOf("\r\n"); end >= 0; end = pending.indexOf("\r\n")) {
                const QByteArray line = pending.left(end);
                pending.remove(0, end + 2);
                (line.startsWith("EVT ") ? events : answers) << line;
            }
        });
        QObject::connect(&socket, &QTcpSocket::disconnected, &socket, [this] { closed = true; });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void send(const QByteArray &line) { socket.write(line + "\r\n"); }
};
