#pragma once

// The entries of the extended-data and initial-values tabs. They are not
// stored when edited: the extended write takes the values of the
// group it writes from the master's editor window as they stand, and
// selecting the tab again loads them from ExtendedData.

#include "mixer/extendedregisters.h"

#include <functional>
#include <optional>

struct ExtendedEntries
{
    // Every field as its entry holds it, except the two noise-detection
    // values, which the window shows as 16-bit entries (below).
    ExtendedRecord values;
    quint16 noiseReference = 0; // register 12
    quint16 noiseThreshold = 0; // register 13

    // What selecting the tab loads from a record.
    static ExtendedEntries fromRecord(const ExtendedRecord &record);
};

// The four register bytes the extended write sends for `reg`: the noise
// registers as their 16-bit entry (hi lo hi lo), every other one as the field.
RegisterBytes entryRegisterBytes(const ExtendedEntries &entries, int reg);

// Job 4's values: the entries of the master's editor window. Without a
// master window (it closed after asking) the master's ExtendedData goes out
// as it is, which changes nothing in the mixer.
class EditorExtendedSource final : public ExtendedValuesSource
{
public:
    using Entries = std::function<std::optional<ExtendedEntries>()>;
    EditorExtendedSource(Entries entries, const ExtendedRecord &fallback)
        : m_entries(std::move(entries)), m_fallback(fallback)
    {
    }
    RegisterBytes registerBytes(int reg) const override;

private:
    Entries m_entries;
    const ExtendedRecord &m_fallback;
};
