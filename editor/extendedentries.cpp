#include "editor/extendedentries.h"

ExtendedEntries ExtendedEntries::fromRecord(const ExtendedRecord &record)
{
    ExtendedEntries e;
    e.values = record;
    e.noiseReference = noiseEntryFromField(record.Noise_Detection_Reference);
    e.noiseThreshold = noiseEntryFromField(record.Noise_Detection_Threshold);
    return e;
}

RegisterBytes entryRegisterBytes(const ExtendedEntries &entries, int reg)
{
    if (reg == NoiseReferenceRegister)
        return noiseEntryBytes(entries.noiseReference);
    if (reg == NoiseThresholdRegister)
        return noiseEntryBytes(entries.noiseThreshold);
    return extendedRegisterBytes(entries.values, reg);
}

RegisterBytes EditorExtendedSource::registerBytes(int reg) const
{
    const std::optional<ExtendedEntries> entries = m_entries ? m_entries() : std::nullopt;
    return entryRegisterBytes(entries ? *entries : ExtendedEntries::fromRecord(m_fallback), reg);
}
