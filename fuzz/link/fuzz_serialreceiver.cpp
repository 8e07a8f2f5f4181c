// Arbitrary bytes from the serial line into the block receiver, with the gap
// watchdog firing and messages fetched at points the input chooses; then the
// same bytes as a message, framed and fed back, must come out unchanged.

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

bool validState(int s)
{
    return (s >= SerialReceiver::Idle && s <= SerialReceiver::EndMark) || s == SerialReceiver::AnswerCode;
}

void feedArbitrary(const uint8_t *data, size_t size)
{
    SerialReceiver rx;
    rx.sendAnswer = [](const QByteArray &a) {
        check(a == serialAck() || a == serialNak());
    };
    for (size_t i = 0; i < size; ++i) {
        const SerialReceiver::Result r = rx.feed(data[i]);
        check(validState(rx.state()));
        check(rx.acknowledgeState() >= 0 && rx.acknowledgeState() <= 2);
        if (r.messageComplete) {
            check(r.frameComplete && rx.messageComplete());
            // Leave every other message unfetched: the next one replaces it.
            if (i % 2 == 0) {
                const QByteArray m = rx.takeMessage();
                check(!m.isEmpty() && m.size() <= SerialWire::MaxMessage);
            }
        }
        // Bytes with all high bits set stand for a stalled line.
        if ((data[i] & 0xF8) == 0xF8 && (i % 7) == 0)
            rx.gapTimeout();
    }
    check(rx.takeMessage().size() <= SerialWire::MaxMessage);
}

void roundTrip(const uint8_t *data, size_t size)
{
    if (size == 0)
        return;
    const QByteArray message(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray line = serialFrames(message);
    SerialReceiver rx;
    int acks = 0;
    rx.sendAnswer = [&acks](const QByteArray &a) {
        check(a == serialAck());
        ++acks;
    };
    int completed = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const SerialReceiver::Result r = rx.feed(quint8(line.at(i)));
        if (r.messageComplete) {
            check(i == line.size() - 1);
            ++completed;
        }
    }
    check(completed == 1);
    check(acks == serialBlockCount(int(size)));
    check(rx.takeMessage() == message);
    check(rx.state() == SerialReceiver::Idle && rx.blocksReceived() == 0);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    feedArbitrary(data, size);
    roundTrip(data, size);
    return 0;
}
