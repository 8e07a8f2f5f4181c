#include "mixer/statusreplies.h"

#include <algorithm>

namespace {
constexpr int Header = 3;          // two letters and the status
constexpr quint8 Accepted = 0;
constexpr quint8 TopBitClear = 0x7F;
constexpr int ThresholdSize = 2;
constexpr int ModelLength = 4;     // letters, status, the code

bool accepted(const quint8 *message, int length, char first, char second)
{
    return length >= Header && message[0] == quint8(first) && message[1] == quint8(second)
        && message[2] == Accepted;
}
} // namespace

std::optional<std::vector<DataBlock>> decodeDataReply(const quint8 *message, int length)
{
    if (!accepted(message, length, 'D', 'R'))
        return std::nullopt;
    const int data = length - Header;
    // More blocks than there are mixers would run past the records.
    if (data % DataBlockSize != 0 || data / DataBlockSize > MaxMixers)
        return std::nullopt;
    std::vector<DataBlock> blocks(size_t(data / DataBlockSize));
    for (size_t m = 0; m < blocks.size(); ++m)
        std::copy_n(message + Header + DataBlockSize * int(m), DataBlockSize, blocks[m].begin());
    return blocks;
}

std::optional<std::vector<qint16>> decodeThresholdReply(const quint8 *message, int length)
{
    if (!accepted(message, length, 'T', 'R'))
        return std::nullopt;
    const int data = length - Header;
    if (data % ThresholdSize != 0 || data / ThresholdSize > MaxMixers)
        return std::nullopt;
    std::vector<qint16> thresholds(size_t(data / ThresholdSize));
    for (size_t m = 0; m < thresholds.size(); ++m) {
        const quint8 high = message[Header + ThresholdSize * int(m)] & TopBitClear;
        const quint8 low = message[Header + ThresholdSize * int(m) + 1];
        thresholds[m] = qint16(high * 256 + low);
    }
    return thresholds;
}

std::optional<double> decodeAmbientReply(const quint8 *message, int length)
{
    // A reply without its two value bytes carries no level.
    if (!accepted(message, length, 'A', 'M') || length < Header + 2)
        return std::nullopt;
    return message[3] * 256.0 + message[4] / 10.0;
}

std::optional<int> decodeModelReply(const quint8 *message, int length)
{
    if (!accepted(message, length, 'M', 'N') || length != ModelLength)
        return std::nullopt;
    return message[3];
}
