#include "link/ipsettings/mixeraddress.h"

#include <QStringList>

namespace {
constexpr int MaxOctet = 255;
constexpr int MaxDigits = 3;
// Networks of /31 and /32 have no network or broadcast address to avoid;
// none is wider than a class A network.
constexpr int LongestJudgedPrefix = 30;
constexpr int ShortestJudgedPrefix = 8;

constexpr quint8 ThisNetworkOctet = 0;
constexpr quint8 LoopbackOctet = 127;
constexpr quint8 FirstMulticastOctet = 224;
constexpr quint8 FirstReservedOctet = 240;
constexpr quint8 FirstClassBOctet = 128;
constexpr quint8 FirstClassCOctet = 192;

quint32 maskOf(int prefixLength)
{
    return prefixLength <= 0 ? 0u : ~quint32(0) << (32 - prefixLength);
}

// The network an address has by its class alone.
Ipv4Subnet classfulSubnet(quint32 address)
{
    const quint8 first = quint8(address >> 24);
    const int prefix = first < FirstClassBOctet ? 8 : first < FirstClassCOctet ? 16 : 24;
    return {address & maskOf(prefix), prefix};
}
} // namespace

std::optional<Ipv4Octets> parseIpAddress(const QString &text)
{
    for (QChar c : text)
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('.'))
            return std::nullopt;
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    Ipv4Octets out{};
    bool allMax = true;
    for (int i = 0; i < 4; ++i) {
        const QString &p = parts[i];
        if (p.isEmpty() || p.size() > MaxDigits)
            return std::nullopt;
        const int v = p.toInt(nullptr, 10);
        if (v > MaxOctet)
            return std::nullopt;
        out[size_t(i)] = quint8(v);
        allMax = allMax && v == MaxOctet;
    }
    if (allMax)
        return std::nullopt;
    return out;
}

QString dottedDecimal(const Ipv4Octets &a)
{
    return QStringLiteral("%1.%2.%3.%4").arg(a[0]).arg(a[1]).arg(a[2]).arg(a[3]);
}

bool Ipv4Subnet::contains(quint32 address) const
{
    return (address & maskOf(prefixLength)) == (network & maskOf(prefixLength));
}

quint32 Ipv4Subnet::broadcast() const
{
    return (network & maskOf(prefixLength)) | ~maskOf(prefixLength);
}

quint32 toHostOrder(const Ipv4Octets &a)
{
    return quint32(a[0]) << 24 | quint32(a[1]) << 16 | quint32(a[2]) << 8 | quint32(a[3]);
}

Ipv4Octets toOctets(quint32 address)
{
    return {quint8(address >> 24), quint8(address >> 16), quint8(address >> 8), quint8(address)};
}

MixerAddressVerdict judgeMixerAddress(const Ipv4Octets &address, const QList<Ipv4Subnet> &localSubnets)
{
    const quint8 first = address[0];
    if (first == ThisNetworkOctet)
        return {MixerAddressProblem::ThisNetwork, {}};
    if (first == LoopbackOctet)
        return {MixerAddressProblem::Loopback, {}};
    if (first >= FirstReservedOctet)
        return {MixerAddressProblem::Reserved, {}};
    if (first >= FirstMulticastOctet)
        return {MixerAddressProblem::Multicast, {}};

    const quint32 a = toHostOrder(address);
    std::optional<Ipv4Subnet> subnet;
    for (const Ipv4Subnet &s : localSubnets)
        if (s.prefixLength >= ShortestJudgedPrefix && s.prefixLength <= LongestJudgedPrefix && s.contains(a)
            && (!subnet || s.prefixLength > subnet->prefixLength))
            subnet = Ipv4Subnet{s.network & maskOf(s.prefixLength), s.prefixLength};
    const Ipv4Subnet net = subnet.value_or(classfulSubnet(a));
    if (a == net.network)
        return {MixerAddressProblem::NetworkAddress, net};
    if (a == net.broadcast())
        return {MixerAddressProblem::Broadcast, net};
    return {};
}
