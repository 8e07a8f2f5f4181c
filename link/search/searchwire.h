#pragma once

// The bytes and checks of the UDP mixer search, as pure functions.
//
// The PC broadcasts the IR request in the Ethernet stream frame; every mixer
// answers with its network settings block (address, address mode, user ID) in
// the same frame. The PC keeps the replies whose user ID is the one it looks
// for, byte for byte.

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace SearchWire {
// AA 55, length 3, then "I" "R" 1: the IR request to the attached mixer.
constexpr std::array<quint8, 9> Request{0xAA, 0x55, 0x00, 0x00, 0x00, 0x03, 0x49, 0x52, 0x01};

constexpr quint16 DefaultPort = 1001;      // where mixers listen for the request
constexpr quint16 DefaultReplyPort = 1002; // where the PC listens for replies
constexpr quint32 BroadcastAddress = 0xFFFFFFFFu;

// Offsets in the reply message (the frame's body).
constexpr int StatusOffset = 2;
constexpr int AddressOffset = 3;   // four octets, first octet first
constexpr int LengthOffset = 8;    // N, 16-bit big-endian, user ID plus its zero byte
constexpr int UserIdOffset = 10;
constexpr int FixedPart = 10;      // a reply is N + 10 bytes

constexpr int MaxUserIdLength = 20;
} // namespace SearchWire

QByteArray searchRequestDatagram();

// The search reply check on one complete reply message (the frame's body):
// returns the mixer's address as dotted text when the reply carries exactly
// `userId` (compared byte for byte, so letter case counts); nothing otherwise.
// The header passes when any one of these holds: the status byte is 0, byte 1
// is 'R', byte 0 is 'I'. What decides is the user ID block after it.
std::optional<QString> matchSearchReply(const QByteArray &message, const QByteArray &userId);

// A user ID the search may look for: 1 to 20 characters, each A-Z, a-z or 0-9.
bool isValidUserId(const QString &userId);

// The dotted-address parser of the sockets library (inet_addr): one to four
// numbers separated by dots, each decimal, octal with a leading 0, or hex with
// 0x; with fewer than four numbers the last fills the remaining bytes
// ("1.2.3" is 1.2.0.3). Returns the address in host order, or nothing for a
// text it refuses.
std::optional<quint32> parseInetAddr(const QString &text);

// Four dotted numbers of one to three decimal digits each, 0..255: the form
// printed on equipment labels, leading zeros included. Nothing otherwise.
std::optional<quint32> labelFormAddress(const QString &text);

// A typed mixer address: only digits and dots; the label form read as
// decimal, any other form as parseInetAddr reads it; never the broadcast
// address 255.255.255.255 (which that parser cannot tell from a failure).
std::optional<quint32> typedAddressValue(const QString &text);
bool isValidTypedAddress(const QString &text);

// The typed address in the four-number form every socket library reads alike
// ("1.2.3" becomes "1.2.0.3", "192.168.010.200" becomes "192.168.10.200");
// empty when the text is not a valid typed address.
QString canonicalTypedAddress(const QString &text);

QString dottedAddress(quint32 address);

// One local network interface as the search sees it.
struct SearchInterface
{
    bool up = false;
    bool loopback = false;
    bool canBroadcast = false;
    QList<QHostAddress> broadcasts;  // of its address entries; IPv6 ones are skipped
};

// The interfaces of this machine (QNetworkInterface).
QList<SearchInterface> localSearchInterfaces();

// Where one search request goes. The limited broadcast 255.255.255.255 stays
// on the link of the default route on many systems, so a search aimed at it
// also goes to the broadcast address of every IPv4 interface that is up, can
// broadcast and is not the loopback; duplicates go once. Any other address
// (set on purpose) is the only destination.
QList<QHostAddress> searchDestinations(const QHostAddress &searchAddress,
                                       const QList<SearchInterface> &interfaces);

// Where the search goes. The real network uses the defaults; tests and
// unusual networks override them from the environment.
struct SearchEndpoints
{
    QHostAddress searchAddress{SearchWire::BroadcastAddress};
    quint16 port = SearchWire::DefaultPort;
    quint16 replyPort = SearchWire::DefaultReplyPort;

    // The addresses each attempt sends the request to.
    QList<QHostAddress> destinations() const
    {
        return searchDestinations(searchAddress, localSearchInterfaces());
    }

    // Local address the reply socket binds to: the loopback host when the
    // search stays on this machine, else every IPv4 interface (replies come
    // from the network).
    QHostAddress replyBindAddress() const;
    // Local address the request socket binds to; null for "any".
    QHostAddress requestBindAddress() const;
};

// ZKVR340A_SEARCH_ADDRESS (IPv4, default 255.255.255.255),
// ZKVR340A_SEARCH_PORT (1001), ZKVR340A_SEARCH_REPLY_PORT (1002).
// A value that does not parse leaves the default.
SearchEndpoints searchEndpointsFromEnvironment();
