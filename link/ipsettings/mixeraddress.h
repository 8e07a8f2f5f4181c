#pragma once

// The address typed for the mixer, as pure functions: the dotted-decimal
// parser shared by the IP settings dialog and the command-line tool, and the
// check that keeps a mixer whose DHCP client is off from being given an
// address it could never be reached at.

#include <QList>
#include <QString>

#include <array>
#include <optional>

using Ipv4Octets = std::array<quint8, 4>;

// Four decimal numbers 0..255 joined by dots, nothing else (no blanks, no
// signs). Each number has one to three digits; leading zeros are read as
// decimal, so the zero-padded form printed on equipment labels
// ("192.168.001.200") is the address 192.168.1.200, never an octal number.
// 255.255.255.255 is refused: a mixer never takes it, whatever its DHCP mode.
std::optional<Ipv4Octets> parseIpAddress(const QString &text);

// The address as four plain decimal numbers ("192.168.1.200"), the form
// every socket library reads alike.
QString dottedDecimal(const Ipv4Octets &address);

// A network the address may belong to: its first address and prefix length.
struct Ipv4Subnet
{
    quint32 network = 0; // host order
    int prefixLength = 0;

    bool contains(quint32 address) const;
    quint32 broadcast() const;
    friend bool operator==(const Ipv4Subnet &a, const Ipv4Subnet &b)
    {
        return a.network == b.network && a.prefixLength == b.prefixLength;
    }
};

// Why no mixer can have an address (with its DHCP client off).
enum class MixerAddressProblem {
    None,
    ThisNetwork,    // 0.x.x.x: "this network", never a host's address
    Loopback,       // 127.x.x.x: the PC itself
    Multicast,      // 224..239.x.x.x: groups, not hosts
    Reserved,       // 240..255.x.x.x
    NetworkAddress, // the network's own address (host part all zeros)
    Broadcast,      // the network's broadcast address (host part all ones)
};

struct MixerAddressVerdict
{
    MixerAddressProblem problem = MixerAddressProblem::None;
    Ipv4Subnet subnet; // for NetworkAddress and Broadcast: the network meant

    bool usable() const { return problem == MixerAddressProblem::None; }
};

// Judges an address for a mixer whose DHCP client is off. The mixer keeps
// no subnet mask, so an address's network is the one of this PC's networks
// (`localSubnets`, prefixes 8 to 30) that contains it, the longest such;
// an address on none of them has the network its address class gives
// (A /8, B /16, C /24). Its first and last addresses are no host's.
MixerAddressVerdict judgeMixerAddress(const Ipv4Octets &address, const QList<Ipv4Subnet> &localSubnets);

quint32 toHostOrder(const Ipv4Octets &address);
Ipv4Octets toOctets(quint32 address);
