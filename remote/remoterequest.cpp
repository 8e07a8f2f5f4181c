#include "remote/remoterequest.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <utility>

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

// Why JSON bytes could not be read, in English for whoever writes the client
// (Qt's own texts follow the program's language).
QString jsonProblem(QJsonParseError::ParseError error)
{
    using E = QJsonParseError;
    switch (error) {
    case E::NoError: return QStringLiteral("no error");
    case E::UnterminatedObject: return QStringLiteral("unterminated object");
    case E::MissingNameSeparator: return QStringLiteral("missing name separator");
    case E::UnterminatedArray: return QStringLiteral("unterminated array");
    case E::MissingValueSeparator: return QStringLiteral("missing value separator");
    case E::IllegalValue: return QStringLiteral("illegal value");
    case E::TerminationByNumber: return QStringLiteral("number at the end of the text");
    case E::IllegalNumber: return QStringLiteral("illegal number");
    case E::IllegalEscapeSequence: return QStringLiteral("illegal escape sequence");
    case E::IllegalUTF8String: return QStringLiteral("invalid UTF-8");
    case E::UnterminatedString: return QStringLiteral("unterminated string");
    case E::MissingObject: return QStringLiteral("object expected");
    case E::DeepNesting: return QStringLiteral("too deeply nested");
    case E::DocumentTooLarge: return QStringLiteral("too large");
    case E::GarbageAtEnd: return QStringLiteral("garbage at the end");
    }
    return QStringLiteral("unreadable");
}

// The members of the outermost object of a JSON text that was read without
// error, counted in the text itself: a reader keeps one of two equal names.
int outerMembers(const QByteArray &json)
{
    int depth = 0;
    int commas = 0;
    bool inString = false;
    bool escaped = false;
    bool content = false;
    for (const char c : json) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') {
            inString = true;
            content = content || depth == 1;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == ',' && depth == 1) {
            ++commas;
        }
    }
    return content ? commas + 1 : 0;
}

// "Content-Length: 12" and the like: the lower-case name and the value.
std::pair<QByteArray, QByteArray> headerField(const QByteArray &line)
{
    const int colon = line.indexOf(':');
    if (colon <= 0)
        return {};
    return {line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed()};
}

} // namespace

Route routeOf(HttpMethod method, const QByteArray &path)
{
    if (path.size() > Remote::MaxPathBytes)
        return {};
    if (path == "/")
        return only(RouteKind::Page, method, HttpMethod::Get, "GET, HEAD");
    if (path == "/panel.js" || path == "/meeting.js") {
        Route r = only(RouteKind::Script, method, HttpMethod::Get, "GET, HEAD");
        r.script = path.mid(1);
        return r;
    }
    if (path == "/manifest.webmanifest")
        return only(RouteKind::Manifest, method, HttpMethod::Get, "GET, HEAD");
    if (path == "/metrics")
        return only(RouteKind::Metrics, method, HttpMethod::Get, "GET, HEAD");
    if (!path.startsWith(ApiPrefix))
        return {};
    const QByteArray rest = path.mid(ApiPrefix.size());
    if (rest == "status")
        return only(RouteKind::Status, method, HttpMethod::Get, "GET, HEAD");
    if (rest == "panel")
        return only(RouteKind::Panel, method, HttpMethod::Get, "GET, HEAD");
    if (rest == "events")
        return only(RouteKind::Events, method, HttpMethod::Get, "GET");
    if (rest == "meeting")
        return only(RouteKind::Meeting, method, HttpMethod::Get, "GET, HEAD");
    if (rest == "meeting/all-off")
        return only(RouteKind::MeetingAllOff, method, HttpMethod::Post, "POST");
    if (rest == "meeting/next")
        return only(RouteKind::MeetingNext, method, HttpMethod::Post, "POST");
    if (rest == "meeting/requests")
        return only(RouteKind::MeetingRequests, method, HttpMethod::Post, "POST");
    if (rest == "meeting/settings")
        return only(RouteKind::MeetingSettings, method, HttpMethod::Put, "PUT");
    const QList<QByteArray> parts = rest.split('/');
    if (parts.size() == 4 && parts[0] == "meeting" && parts[1] == "requests") {
        Route r = only(RouteKind::MeetingRequest, method, HttpMethod::Delete, "DELETE");
        r.mixer = smallNumber(parts[2]);
        r.channel = smallNumber(parts[3]);
        return r;
    }
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
        out.error = QStringLiteral("not JSON: %1 at byte %2").arg(jsonProblem(error.error)).arg(error.offset);
        return out;
    }
    if (!doc.isObject()) {
        out.error = QStringLiteral("expected an object {\"on\": true|false}");
        return out;
    }
    const QJsonObject o = doc.object();
    if (o.size() != 1 || !o.contains(QLatin1String("on")) || outerMembers(body) != 1) {
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

QByteArray presentedToken(const QByteArray &authorization, const QByteArray &cookieHeader, const QByteArray &cookie)
{
    const QByteArray bearer = bearerToken(authorization);
    return bearer.isEmpty() ? cookieValue(cookieHeader, cookie) : bearer;
}

QByteArray cookieName(quint16 port)
{
    return Remote::CookieName + '-' + QByteArray::number(port);
}

bool isJsonType(const QByteArray &contentType)
{
    const qsizetype semicolon = contentType.indexOf(';');
    const QByteArray type = (semicolon < 0 ? contentType : contentType.left(semicolon)).trimmed().toLower();
    return type == "application/json";
}

bool sameOrigin(const QByteArray &origin, const QByteArray &secFetchSite, const QByteArray &host, bool https)
{
    if (!origin.isEmpty()) {
        const QByteArray own = (https ? "https://" : "http://") + host.trimmed().toLower();
        return !host.trimmed().isEmpty() && origin.trimmed().toLower() == own;
    }
    // A browser that sends no Origin here still says where the request
    // comes from; "none" is the user's own navigation.
    const QByteArray site = secFetchSite.trimmed().toLower();
    return site.isEmpty() || site == "same-origin" || site == "none";
}

RequestFraming::Verdict RequestFraming::feed(const QByteArray &bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && m_verdict == Verdict::Fine) {
        if (m_bodyLeft > 0) {
            const qint64 take = std::min<qint64>(m_bodyLeft, bytes.size() - i);
            m_bodyLeft -= take;
            i += take;
            continue;
        }
        const char c = bytes[i++];
        if (++m_headBytes > Remote::MaxHeadBytes) {
            m_verdict = Verdict::HeadTooLarge;
            break;
        }
        if (c != '\n') {
            // Only a line's start matters: a field's name, a length.
            if (m_line.size() < 256)
                m_line.append(c);
            continue;
        }
        const QByteArray line = m_line.endsWith('\r') ? m_line.chopped(1) : m_line;
        m_line.clear();
        if (line.isEmpty()) {
            if (!m_requestLine) // empty lines before a request line are skipped
                endOfHead();
            continue;
        }
        if (std::exchange(m_requestLine, false))
            continue;
        if (++m_fields > Remote::MaxHeaderFields) {
            m_verdict = Verdict::HeadTooLarge;
            break;
        }
        const auto [name, value] = headerField(line);
        if (name == "transfer-encoding") {
            m_chunked = true;
        } else if (name == "content-length") {
            bool ok = value.size() <= 18;
            const qint64 length = ok ? value.toLongLong(&ok) : -1;
            const bool digitsOnly = std::all_of(value.begin(), value.end(), [](char d) { return d >= '0' && d <= '9'; });
            if (!ok || !digitsOnly || length < 0 || (m_contentLength != 0 && length != m_contentLength))
                m_badLength = true;
            else
                m_contentLength = length;
        }
    }
    return m_verdict;
}

void RequestFraming::endOfHead()
{
    ++m_requests;
    if (m_chunked)
        m_verdict = Verdict::LengthRequired;
    else if (m_badLength)
        m_verdict = Verdict::Malformed;
    else if (m_contentLength > Remote::MaxBodyBytes)
        m_verdict = Verdict::BodyTooLarge;
    m_bodyLeft = m_contentLength;
    m_headBytes = 0;
    m_fields = 0;
    m_requestLine = true;
    m_contentLength = 0;
    m_chunked = false;
    m_badLength = false;
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

QString RateLimiter::addressKey(const QHostAddress &client)
{
    bool v4 = false;
    const quint32 a = client.toIPv4Address(&v4);
    return v4 ? QHostAddress(a).toString() : client.toString();
}

bool RateLimiter::admit(const QString &client, double now)
{
    std::deque<double> &times = m_seen[client];
    while (!times.empty() && now - times.front() >= 1.0)
        times.pop_front();
    if (int(times.size()) >= m_perSecond)
        return false;
    times.push_back(now);
    return true;
}

double RateLimiter::retryAfter(const QString &client, double now) const
{
    const auto it = m_seen.find(client);
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
