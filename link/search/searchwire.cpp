#include "link/search/searchwire.h"

#include "link/search/searchlog.h"

#include <QNetworkInterface>
#include <QStringList>
#include <QtEndian>

Q_LOGGING_CATEGORY(lcSearch, "zkvr.link.search", QtCriticalMsg)

using namespace SearchWire;

QByteArray searchRequestDatagram()
{
    return QByteArray(reinterpret_cast<const char *>(Request.data()), int(Request.size()));
}

std::optional<QString> matchSearchReply(const QByteArray &message, const QByteArray &userId)
{
    const auto at = [&](int i) { return quint8(message.at(i)); };
    if (message.size() < FixedPart + 2)
        return std::nullopt;
    const bool headerOk = at(StatusOffset) == 0 || at(1) == 0x52 || at(0) == 0x49;
    if (!headerOk)
        return std::nullopt;
    const int n = at(LengthOffset) * 256 + at(LengthOffset + 1);
    if (n != userId.size() + 1 || message.size() != n + FixedPart)
        return std::nullopt;
    if (message.mid(UserIdOffset, n - 1) != userId || at(n + 9) != 0)
        return std::nullopt;
    return dottedAddress(qFromBigEndian<quint32>(message.constData() + AddressOffset));
}

bool isValidUserId(const QString &userId)
{
    if (userId.isEmpty() || userId.size() > MaxUserIdLength)
        return false;
    for (const QChar c : userId) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9');
        if (!ok)
            return false;
    }
    return true;
}

namespace {

int digitValue(char16_t c, int base)
{
    int v = -1;
    if (c >= u'0' && c <= u'9')
        v = c - u'0';
    else if (c >= u'a' && c <= u'f')
        v = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        v = c - u'A' + 10;
    return v < base ? v : -1;
}

bool isAsciiSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

} // namespace

std::optional<quint32> parseInetAddr(const QString &text)
{
    // Each number in the base its prefix names; the dots split at most four.
    quint64 parts[4] = {0, 0, 0, 0};
    int count = 0;
    int i = 0;
    const int size = int(text.size());
    const auto ch = [&](int k) { return k < size ? text.at(k).unicode() : char16_t(0); };
    quint64 value = 0;
    for (;;) {
        if (!(ch(i) >= u'0' && ch(i) <= u'9'))
            return std::nullopt;
        int base = 10;
        if (ch(i) == u'0') {
            if ((ch(i + 1) == u'x' || ch(i + 1) == u'X') && digitValue(ch(i + 2), 16) >= 0) {
                base = 16;
                i += 2;
            } else {
                base = 8;
            }
        }
        value = 0;
        for (int d; (d = digitValue(ch(i), base)) >= 0; ++i) {
            value = value * quint64(base) + quint64(d);
            if (value > 0xFFFFFFFFull)
                return std::nullopt;
        }
        if (ch(i) != u'.')
            break;
        if (count >= 3 || value > 0xFF)
            return std::nullopt;
        parts[count++] = value;
        ++i;
    }
    // Whatever follows the last number must be the end or white space.
    if (i < size && !isAsciiSpace(ch(i)))
        return std::nullopt;
    static constexpr quint64 lastMax[4] = {0xFFFFFFFFull, 0xFFFFFFull, 0xFFFFull, 0xFFull};
    if (value > lastMax[count])
        return std::nullopt;
    quint32 address = quint32(value);
    for (int k = 0; k < count; ++k)
        address |= quint32(parts[k]) << (24 - 8 * k);
    return address;
}

std::optional<quint32> labelFormAddress(const QString &text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    quint32 address = 0;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return std::nullopt;
        int value = 0;
        for (const QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
            value = value * 10 + (c.unicode() - u'0');
        }
        if (value > 0xFF)
            return std::nullopt;
        address = address << 8 | quint32(value);
    }
    return address;
}

std::optional<quint32> typedAddressValue(const QString &text)
{
    for (const QChar c : text)
        if (!(c == u'.' || (c >= u'0' && c <= u'9')))
            return std::nullopt;
    // Four short numbers are the form printed on equipment labels, zero
    // padded ("192.168.010.200"): decimal, whatever the sockets library
    // would make of a leading zero.
    std::optional<quint32> a = labelFormAddress(text);
    if (!a)
        a = parseInetAddr(text);
    if (!a || *a == BroadcastAddress)
        return std::nullopt;
    return a;
}

bool isValidTypedAddress(const QString &text)
{
    return typedAddressValue(text).has_value();
}

QString canonicalTypedAddress(const QString &text)
{
    const std::optional<quint32> a = typedAddressValue(text);
    return a ? dottedAddress(*a) : QString();
}

QString dottedAddress(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

QList<SearchInterface> localSearchInterfaces()
{
    QList<SearchInterface> out;
    for (const QNetworkInterface &i : QNetworkInterface::allInterfaces()) {
        SearchInterface s;
        const QNetworkInterface::InterfaceFlags f = i.flags();
        s.up = f.testFlag(QNetworkInterface::IsUp) && f.testFlag(QNetworkInterface::IsRunning);
        s.loopback = f.testFlag(QNetworkInterface::IsLoopBack);
        s.canBroadcast = f.testFlag(QNetworkInterface::CanBroadcast);
        for (const QNetworkAddressEntry &e : i.addressEntries())
            if (!e.broadcast().isNull())
                s.broadcasts << e.broadcast();
        out << s;
    }
    return out;
}

QList<QHostAddress> searchDestinations(const QHostAddress &searchAddress,
                                       const QList<SearchInterface> &interfaces)
{
    QList<QHostAddress> out{searchAddress};
    if (searchAddress != QHostAddress(BroadcastAddress))
        return out;
    for (const SearchInterface &i : interfaces) {
        if (!i.up || i.loopback || !i.canBroadcast)
            continue;
        for (const QHostAddress &b : i.broadcasts)
            if (b.protocol() == QAbstractSocket::IPv4Protocol && !b.isLoopback() && !out.contains(b))
                out << b;
    }
    return out;
}

QHostAddress SearchEndpoints::replyBindAddress() const
{
    return searchAddress.isLoopback() ? QHostAddress(QHostAddress::LocalHost)
                                      : QHostAddress(QHostAddress::AnyIPv4);
}

QHostAddress SearchEndpoints::requestBindAddress() const
{
    return searchAddress.isLoopback() ? QHostAddress(QHostAddress::LocalHost) : QHostAddress();
}

namespace {

void overridePort(const char *name, quint16 &port)
{
    if (!qEnvironmentVariableIsSet(name))
        return;
    bool ok = false;
    const uint p = qEnvironmentVariable(name).trimmed().toUInt(&ok);
    if (ok && p > 0 && p <= 65535)
        port = quint16(p);
    else
        qCWarning(lcSearch) << name << "is no port; keeping" << port;
}

} // namespace

SearchEndpoints searchEndpointsFromEnvironment()
{
    SearchEndpoints e;
    if (qEnvironmentVariableIsSet("ZKVR340A_SEARCH_ADDRESS")) {
        const QHostAddress a(qEnvironmentVariable("ZKVR340A_SEARCH_ADDRESS").trimmed());
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            e.searchAddress = a;
        else
            qCWarning(lcSearch) << "ZKVR340A_SEARCH_ADDRESS is no IPv4 address; keeping"
                                    << e.searchAddress.toString();
    }
    overridePort("ZKVR340A_SEARCH_PORT", e.port);
    overridePort("ZKVR340A_SEARCH_REPLY_PORT", e.replyPort);
    return e;
}
