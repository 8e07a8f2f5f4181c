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

// Decoders of the two status replies (reply without its 0x55 0xAA trailer,
// letters and status already checked by the wait). Each returns false when
// the data length does not fit its per-mixer pattern.
bool decodeDataBlocks(const QByteArray &reply, StatusReport &report);
// Thresholds are 15-bit values: the top bit of each pair is cleared.
bool decodeThresholds(const QByteArray &reply, StatusReport &report);

// One JSON object, keys in key-id order:
// {"mixer_count": N, "mixers": [{"mixer": 1, "model": M, "values": {...}}]}
QByteArray statusJson(const StatusReport &report);
// A readable table: one row per key, one column per mixer.
QString statusTable(const StatusReport &report);
