#include "mixer/extendedregisters.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int FirstRegister = 1;
constexpr int LastRegister = 18;
constexpr int UnusedRegister = 17;
constexpr int OlderModelLastRegister = 10;
constexpr int OutPeakRegister = 5;
constexpr quint32 TopBit = 0x80000000u;
constexpr quint32 NoiseEntryFactor = 65537;

enum class RegisterKind { Word15, Byte, OutPeak, Noise32, None };

RegisterKind kindOf(int reg)
{
    switch (reg) {
    case 1: case 2: case 3: case 4: case 7: case 8: case 18:
        return RegisterKind::Word15;
    case 5:
        return RegisterKind::OutPeak;
    case 6: case 9: case 10: case 11: case 14: case 15: case 16:
        return RegisterKind::Byte;
    case 12: case 13:
        return RegisterKind::Noise32;
    default:
        return RegisterKind::None;
    }
}

// Key id of the ExtendedRecord field a register holds: 87..102 for
// registers 1..16, 103 for register 18 (17 has no field).
int keyOf(int reg)
{
    if (reg == 17 || reg < 1 || reg > 18)
        return 0;
    return reg == 18 ? 103 : 86 + reg;
}

quint32 bigEndian(const RegisterBytes &d)
{
    return quint32(d[0]) << 24 | quint32(d[1]) << 16 | quint32(d[2]) << 8 | d[3];
}

RegisterBytes fromBigEndian(quint32 v)
{
    return {quint8(v >> 24), quint8(v >> 16), quint8(v >> 8), quint8(v)};
}

} // namespace

std::vector<int> extendedRegisters(qint16 masterModel)
{
    std::vector<int> regs;
    const int last = masterModel <= 0 ? OlderModelLastRegister : LastRegister;
    for (int r = FirstRegister; r <= last; ++r)
        if (r != UnusedRegister)
            regs.push_back(r);
    return regs;
}

std::vector<int> extendedGroupRegisters(int group)
{
    static const std::array<std::pair<int, int>, 4> ranges = {{{3, 5}, {1, 2}, {6, 10}, {11, 18}}};
    if (group < 0 || group >= int(ranges.size()))
        return {};
    std::vector<int> regs;
    for (int r = ranges[group].first; r <= ranges[group].second; ++r)
        if (r != UnusedRegister)
            regs.push_back(r);
    return regs;
}

void storeExtendedRegister(ExtendedRecord &record, int reg, const RegisterBytes &d)
{
    const int word = d[2] * 256 + d[3];
    const int key = keyOf(reg);
    switch (kindOf(reg)) {
    case RegisterKind::Word15:
        record.setValue(key, word & 0x7FFF);
        break;
    case RegisterKind::Byte:
        record.setValue(key, d[3]);
        break;
    case RegisterKind::OutPeak: {
        // The mixer keeps the negated LED threshold as a 16-bit two's
        // complement number. Values 201..32767 would leave the 16-bit field
        // when taken as negative, so they are read as the positive numbers
        // they are in two's complement; 32768 (-32768) saturates.
        int v = word;
        if (v > 32767)
            v -= 65536;
        record.OutPeakLEDK = qint16(std::clamp(-v, -32768, 32767));
        break;
    }
    case RegisterKind::Noise32:
        record.setValue(key, qint32(bigEndian(d) ^ TopBit));
        break;
    case RegisterKind::None:
        break;
    }
}

RegisterBytes extendedRegisterBytes(const ExtendedRecord &record, int reg)
{
    const qint32 v = record.value(keyOf(reg));
    switch (kindOf(reg)) {
    case RegisterKind::Word15:
        return {0, 0, quint8(v >> 8), quint8(v)};
    case RegisterKind::Byte:
        return {0, 0, 0, quint8(v)};
    case RegisterKind::OutPeak: {
        const quint16 w = quint16(-qint32(record.OutPeakLEDK));
        return {0, 0, quint8(w >> 8), quint8(w)};
    }
    case RegisterKind::Noise32:
        return fromBigEndian(quint32(v) ^ TopBit);
    case RegisterKind::None:
        break;
    }
    return {0, 0, 0, 0};
}

quint16 noiseEntryFromField(qint32 field)
{
    const quint32 reg = quint32(field) ^ TopBit; // field + 2^31
    quint32 q = reg / NoiseEntryFactor;
    const quint32 r = reg % NoiseEntryFactor;
    // The divisor is odd, so no remainder is exactly half: nearest is exact.
    if (2u * quint64(r) > NoiseEntryFactor)
        ++q;
    return quint16(std::min<quint32>(q, 65535));
}

RegisterBytes noiseEntryBytes(quint16 entry)
{
    const quint8 hi = quint8(entry >> 8), lo = quint8(entry);
    return {hi, lo, hi, lo};
}

qint32 extendedEntryValue(const ExtendedRecord &record, int reg)
{
    const qint32 v = record.value(keyOf(reg));
    return kindOf(reg) == RegisterKind::Noise32 ? qint32(noiseEntryFromField(v)) : v;
}

std::optional<ValueRange> extendedHeldRange(int reg)
{
    switch (kindOf(reg)) {
    case RegisterKind::Word15: return ValueRange{0, 0x7FFF};
    case RegisterKind::Byte: return ValueRange{0, 255};
    // -32768 would be written as 0x8000 and read back as +32767.
    case RegisterKind::OutPeak: return ValueRange{-32767, 32767};
    case RegisterKind::Noise32:
        return ValueRange{std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    case RegisterKind::None: break;
    }
    return std::nullopt;
}

int extendedRegisterKey(int reg)
{
    return keyOf(reg);
}

RegisterBytes ExtendedRecordSource::registerBytes(int reg) const
{
    if (reg == NoiseReferenceRegister || reg == NoiseThresholdRegister)
        return noiseEntryBytes(noiseEntryFromField(m_record.value(keyOf(reg))));
    return extendedRegisterBytes(m_record, reg);
}
