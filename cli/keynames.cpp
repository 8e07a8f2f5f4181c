#include "cli/keynames.h"

#include "mixer/parametertable.h"

QString cliKeyName(int keyId)
{
    return keyId >= MixerKey::FirstBlock && keyId <= MixerKey::Threshold ? mixerKey(keyId) : QString();
}
