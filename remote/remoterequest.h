#pragma once

// What a request to the remote-operation server asks for, decoded from the
// bytes a browser or a room-control system sent, without sockets: the route
// (path and method), the token it carries, the body of a channel switch, and
// the per-client request budget. Every decoder takes any bytes and answers
// with a result or a clear refusal; nothing here throws or trusts a length.

#include <QByteArray>
#include <QHostAddress>
#include <QString>

#include <deque>
#include <map>
#include <optional>

namespace Remote {
constexpr int MaxBodyBytes = 4096;
constexpr int MaxEventClients = 32;
constexpr int RequestsPerSecond = 20;
constexpr int MaxPathBytes = 512;
constexpr int TokenBytes = 24;               // random bytes behind one token
const QByteArray CookieName = "zkremote";
} // namespace Remote

enum class RouteKind {
    Page,      // GET /        the panel page
    Script,    // GET /panel.js
    Status,    // GET /api/v1/status
    Panel,     // GET /api/v1/panel
    Channel,   // POST /api/v1/mixers/{mixer}/channels/{channel}
    Events,    // GET /api/v1/events (WebSocket)
    NotFound,
};

enum class HttpMethod { Get, Head, Post, Put, Delete, Patch, Options, Other };

struct Route
{
    RouteKind kind = RouteKind::NotFound;
    bool methodAllowed = false;
    // Channel: the mixer as numbered on the link (1 = master, 2..16) and the
    // channel 1..8. Numbers outside those ranges are kept (as -1 when the
    // text is no number) so that the answer can be 404 rather than 400.
    int mixer = -1;
    int channel = -1;
    QByteArray allowed; // the Allow header for a 405
};

// The route of a request path (without query) and method.
Route routeOf(HttpMethod method, const QByteArray &path);

// The body of a channel switch: exactly {"on": true} or {"on": false}
// (other members are refused, so a typo is not taken as "off").
struct SwitchBody
{
    std::optional<bool> on;
    QString error; // why the body was refused, for the 400 answer
};
SwitchBody parseSwitchBody(const QByteArray &body);

// The token of "Authorization: Bearer TOKEN"; empty when the header is
// missing or of another scheme.
QByteArray bearerToken(const QByteArray &authorization);
// The value of one cookie in a Cookie header; empty when absent.
QByteArray cookieValue(const QByteArray &cookieHeader, const QByteArray &name);
// The token a request or a WebSocket handshake presents: the bearer token of
// its Authorization header, else the session cookie.
QByteArray presentedToken(const QByteArray &authorization, const QByteArray &cookieHeader);
// Whether text can be a token at all (URL-safe base64, bounded length), so
// that nothing else is ever compared with or written back into a header.
bool plausibleToken(const QByteArray &token);

// The requests a client may make: at most RequestsPerSecond in any second.
// Times are seconds on the program's clock.
class RateLimiter
{
public:
    explicit RateLimiter(int perSecond = Remote::RequestsPerSecond) : m_perSecond(perSecond) {}
    // Counts one request of `client` at `now`; false when it is over budget
    // (it is not counted then, so a client that keeps hammering is let in
    // again one second after its last admitted request).
    bool admit(const QHostAddress &client, double now);
    // Seconds until `client` may make its next request.
    double retryAfter(const QHostAddress &client, double now) const;
    // Forgets clients that have been quiet for a second.
    void prune(double now);
    int clients() const { return int(m_seen.size()); }

private:
    int m_perSecond;
    std::map<QString, std::deque<double>> m_seen;
};
