#include "remote/remoterequest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>

namespace {

const QByteArray ApiPrefix = "/api/v1/";

// A decimal number of at most two digits, or -1.
int smallNumber(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > 2)
        return -1;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

Route only(RouteKind kind, HttpMethod method, HttpMethod wanted, QByteArray allowed)
{
    Route r;
    r.kind = kind;
    // HEAD asks what GET would answer, without the body.
    r.methodAllowed = method == wanted || (wanted == HttpMethod::Get && method == HttpMethod::Head);
    r.allowed = std::move(allowed);
    return r;
}

QString clientKey(const QHostAddress &client)
{
    bool v4 = false;
    const quint32 a = client.toIPv4Address(&v4);
    return v4 ? QHostAddress(a).toString() : client.toString();
}

} // namespace

Route routeOf(HttpMethod method, const QByteArray &path)
{
    if (path.size() > Remote::MaxPathBytes)
        return {};
    if (path == "/")
        return only(RouteKind::Page, method, HttpMethod::Get, "GET, HEAD");
    if (path == "/panel.js")
        return only(RouteKind::Script, method, HttpMethod::Get, "GET, HEAD");
    if (!path.startsWith(ApiPrefix))
        return {};
    const QByteArray rest = path.mid(ApiPrefix.size());
    if (rest == "status")
        return only(RouteKind::Status, method, HttpMethod::Get, "GET, HEAD");
    if (rest == "panel")
        return only(RouteKind::Panel, method, HttpMethod::Get, "GET, HEAD");
    if (rest == "events")
        return only(RouteKind::Events, method, HttpMethod::Get, "GET");
    const QList<QByteArray> parts = rest.split('/');
    if (parts.size() == 4 && parts[0] == "mixers" && parts[2] == "channels") {
        Route r = only(RouteKind::Channel, method, HttpMethod::Post, "POST");
        r.mixer = smallNumber(parts[1]);
        r.channel = smallNumber(parts[3]);
        return r;
    }
    return {};
}

SwitchBody parseSwitchBody(const QByteArray &body)
{
    SwitchBody out;
    if (body.size() > Remote::MaxBodyBytes) {
        out.error = QStringLiteral("body larger than %1 bytes").arg(Remote::MaxBodyBytes);
        return out;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError) {
        out.error = QStringLiteral("not JSON: %1 at byte %2").arg(error.errorString()).arg(error.offset);
        return out;
    }
    if (!doc.isObject()) {
        out.error = QStringLiteral("expected an object {\"on\": true|false}");
        return out;
    }
    const QJsonObject o = doc.object();
    if (o.size() != 1 || !o.contains(QLatin1String("on"))) {
        out.error = QStringLiteral("expected exactly one member, \"on\"");
        return out;
    }
    const QJsonValue v = o.value(QLatin1String("on"));
    if (!v.isBool()) {
        out.error = QStringLiteral("\"on\" must be true or false");
        return out;
    }
    out.on = v.toBool();
    return out;
}

QByteArray bearerToken(const QByteArray &authorization)
{
    const QByteArray value = authorization.trimmed();
    constexpr int schemeLength = 6; // "Bearer"
    if (value.size() <= schemeLength + 1 || value.left(schemeLength).toLower() != "bearer"
        || value[schemeLength] != ' ')
        return {};
    return value.mid(schemeLength + 1).trimmed();
}

QByteArray cookieValue(const QByteArray &cookieHeader, const QByteArray &name)
{
    for (const QByteArray &pair : cookieHeader.split(';')) {
        const int eq = pair.indexOf('=');
        if (eq <= 0)
            continue;
        if (pair.left(eq).trimmed() == name)
            return pair.mid(eq + 1).trimmed();
    }
    return {};
}

QByteArray presentedToken(const QByteArray &authorization, const QByteArray &cookieHeader)
{
    const QByteArray bearer = bearerToken(authorization);
    return bearer.isEmpty() ? cookieValue(cookieHeader, Remote::CookieName) : bearer;
}

bool plausibleToken(const QByteArray &token)
{
    if (token.size() < 16 || token.size() > 128)
        return false;
    for (char c : token) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'
                        || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

bool RateLimiter::admit(const QHostAddress &client, double now)
{
    std::deque<double> &times = m_seen[clientKey(client)];
    while (!times.empty() && now - times.front() >= 1.0)
        times.pop_front();
    if (int(times.size()) >= m_perSecond)
        return false;
    times.push_back(now);
    return true;
}

double RateLimiter::retryAfter(const QHostAddress &client, double now) const
{
    const auto it = m_seen.find(clientKey(client));
    if (it == m_seen.end() || int(it->second.size()) < m_perSecond)
        return 0;
    // Clamped: a clock that stepped back must not ask a client to wait longer than the window.
    return std::clamp(1.0 - (now - it->second.front()), 0.0, 1.0);
}

void RateLimiter::prune(double now)
{
    for (auto it = m_seen.begin(); it != m_seen.end();) {
        if (it->second.empty() || now - it->second.back() >= 1.0)
            it = m_seen.erase(it);
        else
            ++it;
    }
}
