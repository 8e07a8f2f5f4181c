#include "remote/remoteconnection.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

Q_DECLARE_LOGGING_CATEGORY(lcRemote)

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
    case 411: return "Length Required";
    case 413: return "Content Too Large";
    case 415: return "Unsupported Media Type";
    case 426: return "Upgrade Required";
    case 429: return "Too Many Requests";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return "Error";
    }
}

// A socket that leaves the server still closes in the end, also when its
// peer never takes what is owed.
constexpr int DetachedLifeMs = 5000;

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

QByteArray errorJson(const QString &code, const QString &message)
{
    QJsonObject o{{QStringLiteral("error"), code}};
    if (!message.isEmpty())
        o.insert(QStringLiteral("message"), message);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

HttpConnection::HttpConnection(QTcpSocket *socket) : QObject(socket), m_socket(socket)
{
    connect(socket, &QIODevice::readyRead, this, &HttpConnection::arrived);
    connect(socket, &QIODevice::bytesWritten, this, [this] { m_unanswered = 0; });
}

void HttpConnection::watch(QTcpSocket *socket)
{
    new HttpConnection(socket);
}

HttpConnection *HttpConnection::of(QTcpSocket *socket)
{
    return socket ? socket->findChild<HttpConnection *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void HttpConnection::followServer(QTcpServer *listener)
{
    // Connected after Qt's server bound the listener, so it runs after Qt
    // has hooked the new sockets: each connection's afterRead() then runs
    // after Qt's parser on every arrival.
    QObject::connect(listener, &QTcpServer::pendingConnectionAvailable, listener, [listener] {
        for (HttpConnection *c : listener->findChildren<HttpConnection *>()) {
            if (std::exchange(c->m_followed, true))
                continue;
            c->m_seen = c->m_socket->bytesAvailable(); // framed already, not read by Qt yet
            connect(c->m_socket, &QIODevice::readyRead, c, &HttpConnection::afterRead);
        }
    });
}

void HttpConnection::arrived()
{
    if (m_dropped) {
        m_socket->readAll();
        return;
    }
    // Qt's parser has not read this arrival yet: the bytes beyond those
    // framed before are new.
    const qint64 available = m_socket->bytesAvailable();
    if (available > m_seen) {
        const QByteArray fresh = m_socket->peek(available).mid(m_seen);
        m_unanswered += fresh.size();
        m_framing.feed(fresh);
    }
    m_seen = available;
    if (m_framing.verdict() != RequestFraming::Verdict::Fine)
        refuse(m_framing.verdict());
    else if (m_unanswered > UnansweredBudget)
        refuse(RequestFraming::Verdict::BodyTooLarge);
}

void HttpConnection::afterRead()
{
    // What Qt's parser left (the next of requests sent together, which it
    // takes on its next turn) was framed already.
    m_seen = m_socket->bytesAvailable();
}

void HttpConnection::refuse(RequestFraming::Verdict verdict)
{
    using V = RequestFraming::Verdict;
    int status = 413;
    QString code = QStringLiteral("body-too-large");
    if (verdict == V::HeadTooLarge) {
        status = 431;
        code = QStringLiteral("headers-too-large");
    } else if (verdict == V::LengthRequired) {
        status = 411;
        code = QStringLiteral("length-required");
    } else if (verdict == V::Malformed) {
        status = 400;
        code = QStringLiteral("bad-request");
    }
    qCInfo(lcRemote) << "refused" << m_socket->peerAddress() << status;
    m_dropped = true;
    m_socket->readAll(); // Qt's parser finds nothing of it
    m_seen = 0;
    m_socket->write(httpResponse(status, "application/json", errorJson(code), {{"Connection", "close"}}));
    m_socket->disconnectFromHost();
}

void HttpConnection::answer(quint64 place, const QByteArray &bytes, bool close)
{
    if (m_closing || m_dropped)
        return;
    m_ready[place] = {bytes, close};
    flush();
}

void HttpConnection::flush()
{
    while (!m_ready.empty() && m_ready.begin()->first == m_nextToWrite) {
        const auto [bytes, close] = m_ready.begin()->second;
        m_ready.erase(m_ready.begin());
        ++m_nextToWrite;
        m_socket->write(bytes);
        if (close) {
            m_closing = true;
            m_ready.clear();
            m_socket->disconnectFromHost(); // after what is written has gone
            return;
        }
    }
}

void HttpConnection::detach()
{
    m_socket->setParent(nullptr);
    QTcpSocket *socket = m_socket;
    connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(DetachedLifeMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
}

void HttpConnection::upgraded()
{
    disconnect(m_socket, nullptr, this, nullptr);
    m_dropped = false;
}
