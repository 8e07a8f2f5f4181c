#pragma once

// The status replies of the mixers read into plain values, with nothing else
// done: no records touched, no requests sent, nobody told. The status poll,
// the command-line tool and the fuzz targets share them.
//
// Each takes one message without its 55 AA trailer (letters, status, data)
// and returns nullopt unless it is an accepted reply of its command whose
// data has the command's shape.

#include "mixer/mixerdata.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

using DataBlock = std::array<quint8, DataBlockSize>;

// "D","R" to all mixers: one data block per counted mixer, master first; at
// most MaxMixers. An empty list is a chain that counted none.
std::optional<std::vector<DataBlock>> decodeDataReply(const quint8 *message, int length);

// "T","R" to all mixers: one threshold per counted mixer, master first; at
// most MaxMixers. The top bit of each pair is no part of the 15-bit value.
std::optional<std::vector<qint16>> decodeThresholdReply(const quint8 *message, int length);

// "A","M": the ambient level, when the reply carries its two value bytes.
std::optional<double> decodeAmbientReply(const quint8 *message, int length);

// "M","N": the mixer's model code.
std::optional<int> decodeModelReply(const quint8 *message, int length);
