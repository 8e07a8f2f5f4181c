#include "sim/simkeys.h"

#include "mixer/parametertable.h"

namespace {
// "Active" (0) and "Model" (86) are not values of the mixer's memory.
bool heldByMixer(int id)
{
    return id >= MixerKey::FirstBlock && id <= MixerKey::LastExtended && id != MixerKey::Model;
}
} // namespace

QString simKeyName(int keyId)
{
    return heldByMixer(keyId) ? mixerKey(keyId) : QString();
}

int simKeyId(const QString &name)
{
    const int id = mixerKeyId(name);
    return heldByMixer(id) ? id : 0;
}
