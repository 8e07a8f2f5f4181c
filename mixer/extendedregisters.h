#pragma once

// The mixer's extended registers (ER / ES) and the ExtendedRecord fields they
// hold: which registers a model has, how the four value bytes d0..d3 map to
// a field and back, and the 16-bit entries of the two noise registers.

#include "mixer/mixerdata.h"
#include "mixer/valueranges.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

using RegisterBytes = std::array<quint8, 4>; // d0..d3 as on the wire

// The two registers whose 32-bit field the editor shows as a 16-bit entry.
constexpr int NoiseReferenceRegister = 12;
constexpr int NoiseThresholdRegister = 13;

// Registers a job touches, in order, for the master's model code: 1..10 for
// the older model (-1 unknown, 0), else 1..16 and 18 (17 is never used).
std::vector<int> extendedRegisters(qint16 masterModel);
// The registers of an extended-write group (0..3), in order;
// empty for another group.
std::vector<int> extendedGroupRegisters(int group);

// Register value d0..d3 → ExtendedRecord field (key id 86 + reg). Register 17
// and registers outside 1..18 change nothing.
void storeExtendedRegister(ExtendedRecord &record, int reg, const RegisterBytes &d);
// ExtendedRecord field → register bytes, the reverse of storeExtendedRegister.
RegisterBytes extendedRegisterBytes(const ExtendedRecord &record, int reg);

// A register's field as the editor's entry shows it: the 16-bit entry for
// registers 12 and 13, the field itself for the others (0 for none).
qint32 extendedEntryValue(const ExtendedRecord &record, int reg);
// The key id (87..103) of the field a register holds; 0 for register 17 and
// numbers outside 1..18.
int extendedRegisterKey(int reg);

// The field values register `reg` keeps whole: 0..32767 in a 15-bit
// register, a byte in a byte register, the negated LED threshold within
// ±32767, any 32-bit value in the noise registers. Nothing for 17 and
// numbers outside 1..18.
std::optional<ValueRange> extendedHeldRange(int reg);

// Registers 12 and 13: the 32-bit field and the 16-bit entry the editor shows.
quint16 noiseEntryFromField(qint32 field);
RegisterBytes noiseEntryBytes(quint16 entry); // hi lo hi lo: register = entry × 65537

// Where the extended write takes its values: the mixer editor's entries of
// mixer 1. Returns the four register bytes to write.
class ExtendedValuesSource
{
public:
    virtual ~ExtendedValuesSource() = default;
    virtual RegisterBytes registerBytes(int reg) const = 0;
};

// The entries as the editor would show them for an ExtendedRecord: registers
// 12 and 13 through their 16-bit entry, every other one as the field.
class ExtendedRecordSource final : public ExtendedValuesSource
{
public:
    explicit ExtendedRecordSource(const ExtendedRecord &record) : m_record(record) {}
    RegisterBytes registerBytes(int reg) const override;

private:
    const ExtendedRecord &m_record;
};
