#pragma once

// The rules of the messages between the PC and the mixers, shared by the
// transports and the protocol: the command letters, the trailer, the shape
// of every reply, and how the replies one USB read delivers are told apart.
//
// A reply always ends with 55 AA, counted. Byte 2 of a reply is its status
// (0 accepted, 3 no write access). Every multi-byte field is big-endian.

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace Wire {
constexpr quint8 AllMixers = 255;  // target byte: every linked mixer
constexpr quint8 Attached = 1;     // target byte of commands for the attached mixer
constexpr quint8 StatusOk = 0;
constexpr quint8 StatusNoAccess = 3;
constexpr quint8 TrailerFirst = 0x55;
constexpr quint8 TrailerSecond = 0xAA;
constexpr int TrailerSize = 2;
constexpr int ReplyHeader = 3;     // two letters and the status
constexpr int DataBlockSize = 84;  // one mixer's data block
constexpr int MaxMixers = 16;
constexpr int SetReplyCount = 5;   // letters, status, trailer
} // namespace Wire

// The command letters. R and L (download) carry a target code in place of
// their second letter.
enum class Command : quint16 {
    DataRead = ('D' << 8) | 'R',
    DataSet = ('D' << 8) | 'S',
    ThresholdRead = ('T' << 8) | 'R',
    ThresholdSet = ('T' << 8) | 'S',
    Ambient = ('A' << 8) | 'M',
    Model = ('M' << 8) | 'N',
    ExtensionRead = ('E' << 8) | 'R',
    ExtensionWrite = ('E' << 8) | 'S',
    Initialise = ('I' << 8) | 'S',
    NetworkRead = ('I' << 8) | 'R',
    NetworkWrite = ('I' << 8) | 'P',
    MemoryRead = ('A' << 8) | 'R',
    MemoryWrite = ('A' << 8) | 'W',
};
constexpr quint8 DownloadPrepareLetter = 'R';
constexpr quint8 DownloadDataLetter = 'L';

enum class ReplyRule {
    Standard,     // letters, status 0, exact count
    DataAll,      // DR 255: 5 + 84 n
    ThresholdAll, // TR 255: 5 + 2 n
    NetworkRead,  // IR: count N + 12, N from the reply
    Download,     // R / L: letter, target code, status 0, count 5
    Ambient,      // AM: count 5, or 7 with a value
};

struct ReplyExpectation
{
    ReplyRule rule = ReplyRule::Standard;
    quint8 first = 0;   // request byte 0
    quint8 second = 0;  // request byte 1 (the target code for R and L)
    int count = 0;      // the reply count of the standard rule
};

// What the reply to this request must look like; nullopt for a request that
// is no command of the protocol.
std::optional<ReplyExpectation> expectationFor(const quint8 *request, int count);
std::optional<ReplyExpectation> expectationFor(const QByteArray &request);

// Pure tests on a reply of `count` bytes (trailer included).
bool matchesStandard(const quint8 *reply, int count, quint8 first, quint8 second, int expectedCount);
// Number of mixers a DR 255 / TR 255 reply carries, 0 when it does not match.
// More than 16 mixers is no valid reply.
int dataAllMixerCount(const quint8 *reply, int count);
int thresholdAllMixerCount(const quint8 *reply, int count);
// N of an IR or IP message (bytes 8 and 9: the user ID and its zero byte);
// -1 when too short.
int networkLength(const quint8 *message, int count);
bool matchesNetworkRead(const quint8 *reply, int count);
bool matchesDownload(const quint8 *reply, int count, quint8 letter, quint8 target);
bool matchesAmbient(const quint8 *reply, int count);
bool matchesReply(const ReplyExpectation &e, const quint8 *reply, int count);

// Whether reply[0..count) is one whole reply of some command, trailer
// included: its letters, and a length that fits them (a refusal is 5 bytes).
bool isWholeReply(const quint8 *reply, int count);
// The replies in bytes that one USB read delivered. Replies queued back to
// back come in one read; unless the whole buffer is one reply, it is cut
// after each 55 AA trailer that ends a whole reply (after the first trailer
// when none does). Bytes after the last trailer stay as a piece of their own.
std::vector<QByteArray> splitReplies(const QByteArray &bytes);
