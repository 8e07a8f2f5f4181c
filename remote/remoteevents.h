#pragma once

// The event clients of the remote server: WebSockets that hear of every
// change. Their number is bounded in all, per address and per token, so
// that one office, or the holder of the watch token, cannot take every
// slot. Each is pinged every PingInterval and dropped when it has not
// answered for SilentLimit (a tablet that went to sleep, a socket that never
// reads), and dropped at once when what it was sent piles up unread.

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class Clock;
class QHostAddress;
class QWebSocket;

class RemoteEvents : public QObject
{
    Q_OBJECT

public:
    static constexpr double PingInterval = 15.0;
    static constexpr double SilentLimit = 30.0;
    static constexpr qint64 MaxBacklog = 256 * 1024;

    explicit RemoteEvents(const Clock &clock, QObject *parent = nullptr);
    ~RemoteEvents() override;

    // Whether a client of `peer` holding `token` may join now.
    bool roomFor(const QHostAddress &peer, const QByteArray &token) const;
    // Takes the socket (refused when there is no room) and sends it `hello`.
    // `page`: a browser's page rather than a room-control system.
    void add(std::unique_ptr<QWebSocket> socket, const QByteArray &token, const QString &hello, bool page = true);
    void broadcast(const QString &text);
    // Closes every client (the tokens were renewed, the server stops).
    void closeAll(int code, const QString &reason);
    // Pings every client and drops those silent for longer than SilentLimit:
    // the timer's work every PingInterval while clients are there.
    void sweep();

    int count() const { return int(m_clients.size()); }
    int pages() const;
    // Clients heard from (an answer to a ping, a message) since `time`.
    int heardSince(double time) const;

signals:
    void changed();

private:
    struct Client
    {
        std::unique_ptr<QWebSocket> socket;
        QString address;
        QByteArray token;
        double heard = 0;
        bool page = true;
    };
    void drop(QWebSocket *socket);
    Client *find(QWebSocket *socket);

    const Clock &m_clock;
    std::vector<Client> m_clients;
    QTimer m_timer;
};
