#include "mixer/valueranges.h"

#include "mixer/extendedregisters.h"

std::optional<ValueRange> mixerRange(int keyId)
{
    if (keyId >= MixerKey::FirstBlock && keyId <= MixerKey::LastBlock)
        return ValueRanges::Byte;
    if (keyId == MixerKey::Threshold)
        return ValueRanges::Word15;
    for (int reg = 1; reg <= 18; ++reg)
        if (keyId >= MixerKey::FirstExtended && extendedRegisterKey(reg) == keyId)
            return extendedHeldRange(reg);
    return std::nullopt;
}
