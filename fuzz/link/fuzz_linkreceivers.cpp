// Arbitrary bytes from a peer into everything that parses them: the serial
// receiver (with gap time-outs and fetches at input-chosen points), the
// stream receiver in both of its length modes, the reply rules, and the
// splitting of one USB read into replies.

#include "link/etherframe.h"
#include "link/protocol.h"
#include "link/serialframe.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}

void fuzzSerial(const uint8_t *data, size_t size)
{
    SerialReceiver rx;
    int answers = 0;
    rx.sendAnswer = [&answers](const QByteArray &a) {
        check(a.size() == 2);
        ++answers;
    };
    for (size_t i = 0; i < size; ++i) {
        const SerialReceiver::Result r = rx.feed(data[i]);
        check(rx.state() >= 0 && (rx.state() <= 11 || rx.state() == 99));
        if (r.messageComplete) {
            const QByteArray m = rx.takeMessage();
            check(!m.isEmpty() && m.size() <= SerialWire::MaxMessage);
        }
        // Bytes with all high bits set stand for a stalled line.
        if ((data[i] & 0xF8) == 0xF8 && (i % 7) == 0)
            rx.gapTimeout();
    }
    check(rx.takeMessage().size() <= SerialWire::MaxMessage);
}

void fuzzEther(const uint8_t *data, size_t size, qint64 minLength)
{
    EtherReceiver rx(minLength);
    const char *bytes = reinterpret_cast<const char *>(data);
    // Chunk sizes come from the data itself.
    size_t at = 0;
    while (at < size) {
        const size_t chunk = 1 + (data[at] % 17);
        const size_t take = chunk < size - at ? chunk : size - at;
        rx.feed(bytes + at, qint64(take));
        at += take;
        QByteArray m;
        if (rx.takeMessage(m))
            check(m.size() >= minLength && m.size() <= EtherWire::MaxLength);
    }
}

void fuzzMatchers(const uint8_t *data, size_t size)
{
    if (size < 3)
        return;
    // The first bytes are a request, the rest a reply.
    const int split = 3 + data[0] % 10;
    const int reqLen = int(size) < split ? int(size) : split;
    const int replyLen = int(size) - reqLen;
    const uint8_t *reply = data + reqLen;
    if (auto e = expectationFor(data, reqLen)) {
        const bool ok = matchesReply(*e, reply, replyLen);
        if (ok)
            check(replyLen >= 5 && reply[2] == 0);
    }
    const int d = dataAllMixerCount(reply, replyLen);
    check(d >= 0 && d <= 16);
    const int t = thresholdAllMixerCount(reply, replyLen);
    check(t >= 0 && t <= 16);
    if (auto s = parseNetworkReply(reply, replyLen))
        check(s->userId.size() + 12 <= replyLen);
    const quint8 written[4] = {data[0], data[1], data[2], 0};
    if (replyLen >= 4)
        extensionReadBackMatches(data[1], written, reply);
}
void fuzzUsbSplit(const uint8_t *data, size_t size)
{
    const QByteArray read(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArray joined;
    for (const QByteArray &piece : splitReplies(read)) {
        // Nothing lost, nothing made up, and every whole reply stays whole.
        check(!piece.isEmpty());
        joined += piece;
    }
    check(joined == read);
    if (isWholeReply(data, int(size)))
        check(splitReplies(read).size() == 1);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzSerial(data, size);
    fuzzEther(data, size, EtherWire::MinLength);
    fuzzEther(data, size, EtherWire::MinSearchLength);
    fuzzMatchers(data, size);
    fuzzUsbSplit(data, size);
    return 0;
}
