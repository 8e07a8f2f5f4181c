#pragma once

// One HTTP connection of the remote server, kept beside Qt's parser: the
// framing of what arrives, so that a head or a body too large is refused as
// it comes, a budget of bytes sent without an answer, and the order of the
// answers. HTTP/1.1 answers follow their requests: an answer that is ready
// waits for the one before it (a switch waits for its mixer, the status
// asked after it waits too).

#include "remote/remoterequest.h"

#include <QList>
#include <QObject>
#include <QPair>

#include <map>

class QTcpServer;
class QTcpSocket;

// The complete HTTP/1.1 answer (status line, headers, body) the server writes.
QByteArray httpResponse(int status, const QByteArray &contentType, const QByteArray &body,
                        const QList<QPair<QByteArray, QByteArray>> &headers = {}, bool head = false);
// {"error": code, "message": message} (no message when empty).
QByteArray errorJson(const QString &code, const QString &message = {});

class HttpConnection : public QObject
{
    Q_OBJECT

public:
    // Bytes a connection may send without an answer in between (a head is
    // bounded on its own, so this bounds requests piled up unanswered).
    static constexpr qint64 UnansweredBudget = 64 * 1024;

    // Watches `socket` from its first byte; the connection is the socket's child.
    static void watch(QTcpSocket *socket);
    static HttpConnection *of(QTcpSocket *socket);
    // After Qt's server has taken the listener's new sockets: what it reads
    // of them is known from then on.
    static void followServer(QTcpServer *listener);

    // The place of the next answer in the order.
    quint64 reserve() { return m_nextPlace++; }
    // The answer for `place`, written once every answer before it is. With
    // `close` the connection ends after it; later answers go nowhere.
    void answer(quint64 place, const QByteArray &bytes, bool close = false);
    // The server stops: the socket leaves the listener, so that the answers
    // still owed go out before it closes.
    void detach();
    // The connection is a WebSocket now: no more HTTP to watch.
    void upgraded();

private:
    explicit HttpConnection(QTcpSocket *socket);
    void arrived();   // on readyRead, before Qt's parser reads
    void afterRead(); // on readyRead, after it
    void refuse(RequestFraming::Verdict verdict);
    void flush();

    QTcpSocket *m_socket;
    RequestFraming m_framing;
    bool m_followed = false;  // afterRead() is connected
    bool m_dropped = false;   // refused: what still arrives is thrown away
    bool m_closing = false;   // an answer closed the connection
    qint64 m_seen = 0;        // bytes available that were already framed
    qint64 m_unanswered = 0;
    quint64 m_nextPlace = 0;
    quint64 m_nextToWrite = 0;
    std::map<quint64, std::pair<QByteArray, bool>> m_ready;
};
