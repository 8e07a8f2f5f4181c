// Arbitrary bytes from a TCP stream or a search datagram into the stream
// receiver, in chunks whose sizes come from the input, in both of its length
// modes; then the input as a message, framed and split the same way, must
// come out unchanged.

#include "link/etherframe.h"

#include <QList>

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}

// Feeds `stream` in chunks of 1..17 bytes chosen by `sizes`; returns the
// messages fetched.
QList<QByteArray> feedChunks(EtherReceiver &rx, const QByteArray &stream, const uint8_t *sizes,
                             size_t sizeCount)
{
    QList<QByteArray> out;
    qsizetype at = 0;
    size_t k = 0;
    while (at < stream.size()) {
        const qsizetype chunk = 1 + (sizeCount ? sizes[k++ % sizeCount] % 17 : 0);
        const qsizetype take = std::min(chunk, stream.size() - at);
        const int completed = rx.feed(stream.constData() + at, take);
        check(completed >= 0 && completed <= take);
        check(rx.state() >= EtherReceiver::Idle && rx.state() <= EtherReceiver::Body);
        at += take;
        QByteArray m;
        if (rx.takeMessage(m)) {
            check(completed >= 1);
            check(m.size() >= rx.minLength() && m.size() <= EtherWire::MaxLength);
            out << m;
        }
    }
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (qint64 minLength : {EtherWire::MinLength, EtherWire::MinSearchLength}) {
        EtherReceiver rx(minLength);
        feedChunks(rx, bytes, data, size);

        EtherReceiver again(minLength);
        const QList<QByteArray> got = feedChunks(again, etherFrame(bytes), data, size);
        if (bytes.size() >= minLength)
            check(got.size() == 1 && got.first() == bytes);
        else
            check(got.isEmpty()); // dropped at its length bytes
    }
    return 0;
}
