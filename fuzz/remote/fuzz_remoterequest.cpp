// Request bytes of the remote server as any client may send them: the path
// and method, the switch body, the Authorization, Cookie, Origin and
// Content-Type headers, the framing of a connection's bytes (whole and cut
// small), and the request budget fed with whatever clients and times the
// bytes name. The first byte picks the method; the rest is split at the
// first NUL into a path and a body, and also given whole to each header
// decoder.

#include "remote/remoterequest.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const auto method = static_cast<HttpMethod>(data[0] % 8);
    const QByteArray all(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const qsizetype nul = all.indexOf('\0');
    const QByteArray path = nul < 0 ? all : all.left(nul);
    const QByteArray body = nul < 0 ? QByteArray() : all.mid(nul + 1);

    const Route r = routeOf(method, path);
    if (r.kind == RouteKind::Channel && (r.mixer > 99 || r.channel > 99))
        __builtin_trap(); // numbers are at most two digits
    if (r.kind != RouteKind::NotFound && r.allowed.isEmpty())
        __builtin_trap();
    const SwitchBody b = parseSwitchBody(body);
    if (b.on.has_value() == !b.error.isEmpty())
        __builtin_trap(); // a value or a reason, never both, never neither
    const QByteArray token = bearerToken(all);
    if (!token.isEmpty() && token.size() >= all.size())
        __builtin_trap();
    (void)plausibleToken(token);
    (void)cookieValue(all, "zkremote");
    (void)isJsonType(all);
    (void)sameOrigin(path, body, body, data[0] & 1);

    // Framing never takes back a refusal, and cutting the bytes differently
    // frames them the same.
    RequestFraming whole;
    RequestFraming cut;
    whole.feed(all);
    for (qsizetype i = 0; i < all.size(); i += 3)
        cut.feed(all.mid(i, 3));
    if (whole.verdict() != cut.verdict() || whole.requests() != cut.requests())
        __builtin_trap();

    RateLimiter limiter(3);
    for (qsizetype i = 0; i + 1 < all.size() && i < 64; i += 2) {
        const QHostAddress client{quint32(quint8(all[i]))};
        const double now = quint8(all[i + 1]) / 16.0;
        limiter.admit(client, now);
        if (limiter.retryAfter(client, now) > 1.0)
            __builtin_trap();
    }
    return 0;
}
