// Arbitrary replies into the status poll. The input chooses the link kind and
// is cut into the chunks the link hands over (length-prefixed); the poll
// collects them in its poll buffer, decodes what it finds and asks for model
// codes, which take the next chunks as their replies. The same input also
// goes to DecodeReply in one piece, and to each of the status-reply decoders
// the poll and the command-line tool share.

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "link/comm.h"
#include "link/transport.h"
#include "mixer/mixerdata.h"
#include "mixer/statuspoll.h"
#include "mixer/statusreplies.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <vector>

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}

// Hands out the input's chunks as they are: with USB the chunk is what the
// device delivered (no trailer added), otherwise MdlComm adds 55 AA.
class ChunkTransport final : public LinkTransport
{
public:
    explicit ChunkTransport(bool usb) : m_usb(usb) {}
    OpenOutcome open() override { return OpenOutcome::Opened; }
    void close() override {}
    bool send(const quint8 *, int count) override { return count > 0; }
    int fetch(quint8 *buffer, int capacity) override
    {
        if (chunks.empty())
            return 0;
        const std::vector<quint8> c = std::move(chunks.front());
        chunks.pop_front();
        if (c.empty() || int(c.size()) > capacity)
            return 0;
        std::memcpy(buffer, c.data(), c.size());
        return int(c.size());
    }
    bool deliversTrailer() const override { return m_usb; }

    std::deque<std::vector<quint8>> chunks;

private:
    bool m_usb;
};

void checkState(const StatusPoll &poll, const MixerState &mixers, const LinkState &link)
{
    check(poll.PollFill >= 0 && poll.PollFill <= StatusPoll::PollBufferSize);
    check(mixers.MixerCount >= 0 && mixers.MixerCount <= MaxMixers);
    check(poll.NoReplyCount >= 0 && poll.NoReplyCount < StatusPoll::NoReplyLimit);
    check(link.ReplyTimeUnit >= 0.4 && link.ReplyTimeUnit <= 0.1 * (MaxMixers + 1) + 1e-9);
    for (int m = 1; m <= MaxMixers; ++m)
        check(mixers.MixerData[size_t(m)].Threshold >= 0);
}

// What a decoder gives stays within a chain of mixers and within 15 bits.
void decodeAlone(const quint8 *message, int length)
{
    if (const auto blocks = decodeDataReply(message, length))
        check(int(blocks->size()) <= MaxMixers && 3 + int(blocks->size()) * DataBlockSize == length);
    if (const auto thresholds = decodeThresholdReply(message, length)) {
        check(int(thresholds->size()) <= MaxMixers && 3 + int(thresholds->size()) * 2 == length);
        for (qint16 t : *thresholds)
            check(t >= 0);
    }
    if (const auto level = decodeAmbientReply(message, length))
        check(*level >= 0 && *level < 65536);
    if (const auto model = decodeModelReply(message, length))
        check(*model >= 0 && *model <= 255 && length == 4);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const LinkKind kinds[] = {LinkKind::Rs232c, LinkKind::Usb, LinkKind::Ethernet};
    const LinkKind kind = kinds[data[0] % 3];

    ManualClock clock;
    ScriptedDialogs dialogs;
    LinkState link;
    link.linkKind = kind;
    link.ReplyTimeUnit = StatusPoll::MinReplyTimeUnit; // as on a freshly opened link
    LoopState loop;
    MixerState mixers;
    ChunkTransport *transport = nullptr;
    LinkEndpoints endpoints;
    endpoints.makeTransport = [&transport, kind](LinkKind) {
        auto t = std::make_unique<ChunkTransport>(kind == LinkKind::Usb);
        transport = t.get();
        return std::unique_ptr<LinkTransport>(std::move(t));
    };
    MdlComm comm(link, clock, dialogs, endpoints);
    check(comm.CommOpen() && transport);

    // Chunks: one length byte (0 stands for 256), then that many bytes.
    for (size_t at = 1; at < size;) {
        const size_t length = data[at] ? data[at] : 256;
        ++at;
        const size_t take = std::min(length, size - at);
        transport->chunks.emplace_back(data + at, data + at + take);
        at += take;
    }

    StatusPoll poll(comm, loop, mixers);
    // A few polls past the last chunk, so that the no-reply count runs too.
    for (int i = 0; i < 64 && (!transport->chunks.empty() || i < 12); ++i) {
        poll.poll();
        checkState(poll, mixers, link);
    }

    // The whole input as one message, at every length the buffer allows.
    StatusPoll direct(comm, loop, mixers);
    transport->chunks.clear();
    const std::vector<quint8> message(data + 1, data + size);
    direct.DecodeReply(message.data(), int(message.size()));
    checkState(direct, mixers, link);
    decodeAlone(message.data(), int(message.size()));
    return 0;
}
