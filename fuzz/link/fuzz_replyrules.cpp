// Arbitrary replies against the rules that match a reply to its request and
// read the network settings block out of an IR reply. The first bytes of the
// input are a request, the rest a reply as the link hands it over (trailer
// included, as far as the input has one). The whole input is also one USB
// read, split into the replies it holds.

#include "link/protocol.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {
void check(bool ok)
{
    if (!ok)
        std::abort();
}

// Nothing lost, nothing made up, and every whole reply stays whole.
void splitUsbRead(const uint8_t *data, size_t size)
{
    const QByteArray read(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::vector<QByteArray> pieces = splitReplies(read);
    QByteArray joined;
    for (const QByteArray &piece : pieces) {
        check(!piece.isEmpty());
        joined += piece;
    }
    check(joined == read);
    if (isWholeReply(data, int(size)))
        check(pieces.size() == 1);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    splitUsbRead(data, size);
    if (size < 3)
        return 0;
    const size_t requestSize = std::min<size_t>(size, 3 + data[0] % 10);
    // Exact-size copies, so that a read past either end is caught.
    const std::vector<quint8> request(data, data + requestSize);
    const std::vector<quint8> reply(data + requestSize, data + size);
    const int count = int(reply.size());
    const quint8 *r = reply.data();

    if (const auto e = expectationFor(request.data(), int(request.size()))) {
        if (matchesReply(*e, r, count)) {
            check(count >= 5 && r[2] == Wire::StatusOk);
            check(r[0] == e->first && r[1] == e->second);
        }
    }
    const int mixers = dataAllMixerCount(r, count);
    check(mixers >= 0 && mixers <= Wire::MaxMixers);
    if (mixers > 0)
        check(count == 5 + Wire::DataBlockSize * mixers);
    const int thresholds = thresholdAllMixerCount(r, count);
    check(thresholds >= 0 && thresholds <= Wire::MaxMixers);
    if (thresholds > 0)
        check(count == 5 + 2 * thresholds);

    if (const auto s = parseNetworkReply(r, count)) {
        check(s->userId.size() + 12 <= count && !s->userId.contains('\0'));
        // A block without an inner zero byte is rebuilt byte for byte.
        const int n = networkLength(r, count);
        const QByteArray id(reinterpret_cast<const char *>(r) + 10, n - 1);
        if (!id.contains('\0') && r[n + 9] == 0) {
            const QByteArray block = networkBlock(*s);
            check(block.size() == count - 5);
            check(std::equal(block.begin(), block.end(), reinterpret_cast<const char *>(r) + 3));
        }
    }
    if (count >= 4 && request.size() >= 4) {
        const bool same = extensionReadBackMatches(request[1], request.data(), request.data());
        check(same);
        extensionReadBackMatches(request[1], request.data(), r);
    }
    return 0;
}
