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
// Event clients of one address, and of one token: one office cannot hold
// every slot, nor can the holder of the watch token shut out the operators.
constexpr int MaxEventClientsPerAddress = 8;
constexpr int MaxEventClientsPerToken = MaxEventClients / 2;
constexpr int RequestsPerSecond = 20;
constexpr int MaxPathBytes = 512;
// A request's head: its request line and header fields. Qt's parser drops
// every field of a head with 100 or more, so the server refuses such heads
// itself, well before that.
constexpr int MaxHeaderFields = 64;
constexpr int MaxHeadBytes = 16 * 1024;
constexpr int TokenBytes = 24;               // random bytes behind one token
const QByteArray CookieName = "zkremote";
} // namespace Remote

enum class RouteKind {
    Page,      // GET /        the panel page
    Script,    // GET /panel.js, /meeting.js
    Status,    // GET /api/v1/status
    Panel,     // GET /api/v1/panel
    Channel,   // POST /api/v1/mixers/{mixer}/channels/{channel}
    Events,    // GET /api/v1/events (WebSocket)
    Manifest,  // GET /manifest.webmanifest  the page as a web app
    Metrics,   // GET /metrics  for monitoring (Prometheus text)
    Meeting,           // GET /api/v1/meeting
    MeetingAllOff,     // POST /api/v1/meeting/all-off
    MeetingNext,       // POST /api/v1/meeting/next
    MeetingRequests,   // POST /api/v1/meeting/requests {"mixer", "channel"}
    MeetingRequest,    // DELETE /api/v1/meeting/requests/{mixer}/{channel}
    MeetingSettings,   // PUT /api/v1/meeting/settings
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
    QByteArray script;  // Script: the file's name
};

// The route of a request path (without query) and method.
Route routeOf(HttpMethod method, const QByteArray &path);

// The body of a channel switch: exactly {"on": true} or {"on": false}
// (other members are refused, so a typo is not taken as "off"; so is a
// second "on", which a JSON reader would let win). The reasons are English
// whatever language the program runs in: they are for whoever writes the
// client.
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
// its Authorization header, else the value of the session cookie `cookie`.
QByteArray presentedToken(const QByteArray &authorization, const QByteArray &cookieHeader, const QByteArray &cookie);
// The page's cookie: named after the port, since browsers send a host's
// cookies to every port of it, and another server there must not find ours.
QByteArray cookieName(quint16 port);
// Whether a Content-Type names JSON ("application/json", any parameters).
bool isJsonType(const QByteArray &contentType);

// Where a browser's request comes from, against the server's own origin
// (scheme and the Host the request names). A browser names the origin of
// every cross-origin POST and of every WebSocket upgrade; without an
// Origin, Sec-Fetch-Site tells whether the request is the page's own.
// Clients that send neither (room controllers, curl) are no browser page
// and pass.
bool sameOrigin(const QByteArray &origin, const QByteArray &secFetchSite, const QByteArray &host, bool https);

// The framing of the bytes arriving on one HTTP/1.1 connection, request
// after request, without parsing them for use: where each head ends, how
// many header fields it has and how long its body is, so that a head or a
// body too large is refused as it arrives (Qt's parser keeps a request in
// memory until it is complete, and silently drops the fields of a head
// with too many).
class RequestFraming
{
public:
    enum class Verdict {
        Fine,
        HeadTooLarge,   // more than MaxHeaderFields fields or MaxHeadBytes
        BodyTooLarge,   // a Content-Length beyond MaxBodyBytes
        LengthRequired, // a chunked body: only bodies of a stated length
        Malformed,      // a Content-Length that is no length
    };
    // Takes the next bytes; the first refusal sticks.
    Verdict feed(const QByteArray &bytes);
    Verdict verdict() const { return m_verdict; }
    // Heads completed so far.
    int requests() const { return m_requests; }

private:
    void endOfHead();
    Verdict m_verdict = Verdict::Fine;
    QByteArray m_line;       // the header line being read (bounded)
    qint64 m_headBytes = 0;
    int m_fields = 0;
    bool m_requestLine = true;
    qint64 m_contentLength = 0;
    bool m_chunked = false;
    bool m_badLength = false;
    qint64 m_bodyLeft = 0;   // bytes of the current body still to come
    int m_requests = 0;
};
// Whether text can be a token at all (URL-safe base64, bounded length), so
// that nothing else is ever compared with or written back into a header.
bool plausibleToken(const QByteArray &token);

// The requests a client may make: at most RequestsPerSecond in any second.
// A client is named by a key: the token it holds, or the address of one
// that holds none. Times are seconds on the program's clock.
class RateLimiter
{
public:
    explicit RateLimiter(int perSecond = Remote::RequestsPerSecond) : m_perSecond(perSecond) {}
    // Counts one request of `client` at `now`; false when it is over budget
    // (it is not counted then, so a client that keeps hammering is let in
    // again one second after its last admitted request).
    bool admit(const QString &client, double now);
    bool admit(const QHostAddress &client, double now) { return admit(addressKey(client), now); }
    // Seconds until `client` may make its next request.
    double retryAfter(const QString &client, double now) const;
    double retryAfter(const QHostAddress &client, double now) const { return retryAfter(addressKey(client), now); }
    // An address as a key: an IPv4 client over IPv6 is the same client.
    static QString addressKey(const QHostAddress &client);
    // Forgets clients that have been quiet for a second.
    void prune(double now);
    int clients() const { return int(m_seen.size()); }

private:
    int m_perSecond;
    std::map<QString, std::deque<double>> m_seen;
};
