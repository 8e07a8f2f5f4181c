#pragma once

// What `zkvr340a-ctl status` learns about a chain of mixers, and the two ways
// it prints it. Pure data and conversions: the link traffic lives in
// statuscommand.cpp.

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

struct MixerStatus
{
    int mixer = 1;                    // 1 master, 2..16 slaves
    int model = 0;                    // MN code; 0 when the mixer gave none
    std::array<quint8, 84> block{};   // key ids 1..84
    std::optional<int> threshold;     // key id 85; absent if TR did not cover it
};

struct StatusReport
{
    std::vector<MixerStatus> mixers;
    int mixerCount() const { return int(mixers.size()); }
};

// The two status replies (without their 0x55 0xAA trailer) into the report,
// read by the decoders the status poll uses (mixer/statusreplies.h). Each
// returns false for a reply the decoder refuses or that counts no mixer.
bool decodeDataBlocks(const QByteArray &reply, StatusReport &report);
bool decodeThresholds(const QByteArray &reply, StatusReport &report);

// One JSON object, keys in key-id order:
// {"mixer_count": N, "mixers": [{"mixer": 1, "model": M, "values": {...}}]}
QByteArray statusJson(const StatusReport &report);
// A readable table: one row per key, one column per mixer.
QString statusTable(const StatusReport &report);
