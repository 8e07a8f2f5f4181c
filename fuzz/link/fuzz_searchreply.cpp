// Arbitrary datagrams into the search: the stream receiver of the reply
// socket and the search reply check, for a user ID the input chooses; a
// well-formed reply built from the input must match and give its address.
// The input as typed text also goes through the dotted-address parser of the
// connection dialog and the one of the mixer's own address (the IP settings),
// and that address through the check of addresses no mixer can have.

#include "link/etherframe.h"
#include "link/ipsettings/mixeraddress.h"
#include "link/search/searchwire.h"

#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}

QByteArray userIdFrom(const uint8_t *data, size_t size)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const size_t length = 1 + (size ? data[0] % SearchWire::MaxUserIdLength : 0);
    QByteArray id;
    for (size_t i = 0; i < length; ++i)
        id.append(letters[(i + 1 < size ? data[i + 1] : i) % (sizeof(letters) - 1)]);
    return id;
}

void typedAddress(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<quint32> parsed = parseInetAddr(text);
    const QString canonical = canonicalTypedAddress(text);
    if (!isValidTypedAddress(text)) {
        check(canonical.isEmpty());
        return;
    }
    const std::optional<quint32> value = typedAddressValue(text);
    check(value && *value != SearchWire::BroadcastAddress);
    // The label form is decimal; every other form reads as the sockets library reads it.
    check(labelFormAddress(text) ? value == labelFormAddress(text) : value == parsed);
    // The four-number form is itself valid and names the same address for both readings.
    check(isValidTypedAddress(canonical) && parseInetAddr(canonical) == value
          && typedAddressValue(canonical) == value);
    check(canonicalTypedAddress(canonical) == canonical);
}

// The mixer's own address as typed in the IP settings: decimal numbers only,
// its plain form names the same address for both parsers (the connection
// reads what the settings store), and the judgement of an address for a
// mixer without DHCP agrees with the network it names.
void mixerAddress(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<Ipv4Octets> parsed = parseIpAddress(text);
    if (!parsed)
        return;
    const QStringList parts = text.split(u'.');
    check(parts.size() == 4);
    for (const QString &p : parts) {
        check(!p.isEmpty() && p.size() <= 3);
        for (QChar c : p)
            check(c >= u'0' && c <= u'9');
    }
    const quint32 address = toHostOrder(*parsed);
    check(address != SearchWire::BroadcastAddress && toOctets(address) == *parsed);
    const QString plain = dottedDecimal(*parsed);
    check(parseIpAddress(plain) == parsed);
    check(isValidTypedAddress(plain) && parseInetAddr(plain) == address && typedAddressValue(plain) == address);

    // This PC's networks, from the input too.
    QList<Ipv4Subnet> subnets;
    for (size_t i = 0; i + 5 <= size && subnets.size() < 4; i += 5)
        subnets.push_back({qFromBigEndian<quint32>(data + i), int(data[i + 4] % 33)});
    const MixerAddressVerdict v = judgeMixerAddress(*parsed, subnets);
    const quint8 first = (*parsed)[0];
    const bool special = first == 0 || first == 127 || first >= 224;
    switch (v.problem) {
    case MixerAddressProblem::None:
        check(!special);
        break;
    case MixerAddressProblem::NetworkAddress:
    case MixerAddressProblem::Broadcast:
        check(!special && v.subnet.prefixLength >= 8 && v.subnet.prefixLength <= 30);
        check(v.subnet.contains(address));
        check(address == (v.problem == MixerAddressProblem::Broadcast ? v.subnet.broadcast() : v.subnet.network));
        break;
    default:
        check(special);
        break;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray userId = userIdFrom(data, size);
    check(isValidUserId(QString::fromLatin1(userId)));

    // Whatever arrives on the reply socket.
    EtherReceiver rx(EtherWire::MinSearchLength);
    rx.onMessage = [&userId](const QByteArray &message) {
        if (const auto address = matchSearchReply(message, userId)) {
            check(message.size() == userId.size() + 11);
            check(address->split(u'.').size() == 4);
            check(*address == dottedAddress(qFromBigEndian<quint32>(message.constData() + 3)));
        }
    };
    rx.feed(reinterpret_cast<const char *>(data), qint64(size));

    // A reply a mixer owning the user ID sends, its address from the input.
    QByteArray reply("IR", 2);
    reply.append('\0');
    const quint32 address = size >= 4 ? qFromBigEndian<quint32>(data) : 0x7F000001u;
    char octets[4];
    qToBigEndian(address, octets);
    reply.append(octets, 4);
    reply.append(char(size ? data[size - 1] & 1 : 0));
    const int n = int(userId.size()) + 1;
    reply.append(char(n >> 8));
    reply.append(char(n & 0xFF));
    reply.append(userId);
    reply.append('\0');
    bool matched = false;
    rx.reset();
    rx.onMessage = [&](const QByteArray &message) {
        const auto found = matchSearchReply(message, userId);
        check(found && *found == dottedAddress(address));
        matched = true;
        // Another user ID, even one differing only in letter case, does not match.
        QByteArray other = userId;
        other[0] = other.at(0) ^ 0x20;
        check(!matchSearchReply(message, other));
    };
    rx.feed(etherFrame(reply));
    check(matched);

    typedAddress(data, size);
    mixerAddress(data, size);
    return 0;
}
