#include "link/messagerules.h"

using namespace Wire;

namespace {
constexpr int ExtensionReplyCount = 9;  // ER: letters, status, d0..d3, trailer
constexpr int MemoryReplyCount = 9;     // AR
constexpr int ModelReplyCount = 6;      // MN
constexpr int AmbientValueCount = 7;    // AM with a value
constexpr int NetworkLengthOffset = 8;
constexpr int NetworkUserOffset = 10;
constexpr int NetworkReplyExtra = 12;   // header, address, mode, N, trailer

quint8 letterOf(Command c, int i)
{
    return quint8(i == 0 ? (quint16(c) >> 8) : (quint16(c) & 0xFF));
}

bool is(const quint8 *request, Command c)
{
    return request[0] == letterOf(c, 0) && request[1] == letterOf(c, 1);
}

ReplyExpectation standard(Command c, int count)
{
    return {ReplyRule::Standard, letterOf(c, 0), letterOf(c, 1), count};
}
} // namespace

int networkLength(const quint8 *message, int count)
{
    if (count < NetworkUserOffset)
        return -1;
    return message[NetworkLengthOffset] * 256 + message[NetworkLengthOffset + 1];
}

// ---- matching ---------------------------------------------------------------

bool matchesStandard(const quint8 *reply, int count, quint8 first, quint8 second, int expectedCount)
{
    return count == expectedCount && count >= ReplyHeader && reply[0] == first && reply[1] == second
        && reply[2] == StatusOk;
}

int dataAllMixerCount(const quint8 *reply, int count)
{
    const int fixed = ReplyHeader + TrailerSize;
    if (count < fixed + DataBlockSize || (count - fixed) % DataBlockSize != 0)
        return 0;
    if (!matchesStandard(reply, count, 'D', 'R', count))
        return 0;
    const int n = (count - fixed) / DataBlockSize;
    return n <= MaxMixers ? n : 0;
}

int thresholdAllMixerCount(const quint8 *reply, int count)
{
    const int fixed = ReplyHeader + TrailerSize;
    if (count < fixed + 2 || (count - fixed) % 2 != 0)
        return 0;
    if (!matchesStandard(reply, count, 'T', 'R', count))
        return 0;
    const int n = (count - fixed) / 2;
    return n <= MaxMixers ? n : 0;
}

bool matchesNetworkRead(const quint8 *reply, int count)
{
    const int n = networkLength(reply, count);
    // N counts at least the terminating zero of the user ID.
    return n >= 1 && matchesStandard(reply, count, 'I', 'R', n + NetworkReplyExtra);
}

bool matchesDownload(const quint8 *reply, int count, quint8 letter, quint8 target)
{
    return (letter == DownloadPrepareLetter || letter == DownloadDataLetter)
        && matchesStandard(reply, count, letter, target, SetReplyCount);
}

bool matchesAmbient(const quint8 *reply, int count)
{
    return matchesStandard(reply, count, 'A', 'M', SetReplyCount)
        || matchesStandard(reply, count, 'A', 'M', AmbientValueCount);
}

bool matchesReply(const ReplyExpectation &e, const quint8 *reply, int count)
{
    switch (e.rule) {
    case ReplyRule::Standard:
        return matchesStandard(reply, count, e.first, e.second, e.count);
    case ReplyRule::DataAll:
        return dataAllMixerCount(reply, count) > 0;
    case ReplyRule::ThresholdAll:
        return thresholdAllMixerCount(reply, count) > 0;
    case ReplyRule::NetworkRead:
        return matchesNetworkRead(reply, count);
    case ReplyRule::Download:
        return matchesDownload(reply, count, e.first, e.second);
    case ReplyRule::Ambient:
        return matchesAmbient(reply, count);
    }
    return false;
}

bool isWholeReply(const quint8 *reply, int count)
{
    if (count < SetReplyCount || reply[count - 2] != TrailerFirst || reply[count - 1] != TrailerSecond)
        return false;
    // A refusal carries no data; download replies carry none either.
    if (reply[2] != StatusOk || reply[0] == DownloadPrepareLetter || reply[0] == DownloadDataLetter)
        return count == SetReplyCount;
    if (is(reply, Command::DataRead))
        return dataAllMixerCount(reply, count) > 0;
    if (is(reply, Command::ThresholdRead))
        return thresholdAllMixerCount(reply, count) > 0;
    if (is(reply, Command::Ambient))
        return matchesAmbient(reply, count);
    if (is(reply, Command::Model))
        return count == ModelReplyCount;
    if (is(reply, Command::ExtensionRead))
        return count == ExtensionReplyCount;
    if (is(reply, Command::MemoryRead))
        return count == MemoryReplyCount;
    if (is(reply, Command::NetworkRead))
        return matchesNetworkRead(reply, count);
    for (Command c : {Command::DataSet, Command::ThresholdSet, Command::ExtensionWrite, Command::Initialise,
                      Command::NetworkWrite, Command::MemoryWrite})
        if (is(reply, c))
            return count == SetReplyCount;
    return false;
}

std::vector<QByteArray> splitReplies(const QByteArray &bytes)
{
    const auto *b = reinterpret_cast<const quint8 *>(bytes.constData());
    const int n = int(bytes.size());
    if (n == 0)
        return {};
    // Data bytes may hold 55 AA too, so a buffer that is one reply stays whole.
    if (isWholeReply(b, n))
        return {bytes};
    std::vector<QByteArray> replies;
    int from = 0;
    while (from < n) {
        // The first trailer that ends a whole reply; failing that, the first
        // trailer at all (the piece is then dropped by whoever waits for a reply).
        int cut = -1;
        int firstTrailer = -1;
        for (int i = from; i + 1 < n; ++i) {
            if (b[i] != TrailerFirst || b[i + 1] != TrailerSecond)
                continue;
            const int end = i + TrailerSize;
            if (firstTrailer < 0)
                firstTrailer = end;
            if (isWholeReply(b + from, end - from)) {
                cut = end;
                break;
            }
        }
        if (cut < 0)
            cut = firstTrailer < 0 ? n : firstTrailer;
        replies.push_back(bytes.mid(from, cut - from));
        from = cut;
    }
    return replies;
}

std::optional<ReplyExpectation> expectationFor(const quint8 *request, int count)
{
    if (count < 3)
        return std::nullopt;
    const quint8 target = request[2];
    if (request[0] == DownloadPrepareLetter || request[0] == DownloadDataLetter) {
        // No two-letter command begins with R or L: these are downloads,
        // with the target code in byte 1.
        return ReplyExpectation{ReplyRule::Download, request[0], request[1], SetReplyCount};
    }
    if (is(request, Command::DataRead))
        return target == AllMixers ? ReplyExpectation{ReplyRule::DataAll, 'D', 'R', 0}
                                   : standard(Command::DataRead, ReplyHeader + DataBlockSize + TrailerSize);
    if (is(request, Command::ThresholdRead))
        return target == AllMixers ? ReplyExpectation{ReplyRule::ThresholdAll, 'T', 'R', 0}
                                   : standard(Command::ThresholdRead, ReplyHeader + 2 + TrailerSize);
    if (is(request, Command::Ambient))
        return ReplyExpectation{ReplyRule::Ambient, 'A', 'M', 0};
    if (is(request, Command::Model))
        return standard(Command::Model, ModelReplyCount);
    if (is(request, Command::ExtensionRead))
        return standard(Command::ExtensionRead, ExtensionReplyCount);
    if (is(request, Command::NetworkRead))
        return ReplyExpectation{ReplyRule::NetworkRead, 'I', 'R', 0};
    if (is(request, Command::MemoryRead))
        return standard(Command::MemoryRead, MemoryReplyCount);
    for (Command c : {Command::DataSet, Command::ThresholdSet, Command::ExtensionWrite, Command::Initialise,
                      Command::NetworkWrite, Command::MemoryWrite})
        if (is(request, c))
            return standard(c, SetReplyCount);
    return std::nullopt;
}

std::optional<ReplyExpectation> expectationFor(const QByteArray &request)
{
    return expectationFor(reinterpret_cast<const quint8 *>(request.constData()), int(request.size()));
}
