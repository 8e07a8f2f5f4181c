#include "mixer/syncstatus.h"

#include "mixer/mixerdata.h"

bool SyncStatus::submit(int mixer, int key, qint32 value, Submit how)
{
    const KeyValue one{key, value};
    return mark(mixer, &one, &one + 1, how);
}

bool SyncStatus::submit(int mixer, const ValueSet &values, Submit how)
{
    return mark(mixer, values.data(), values.data() + values.size(), how);
}

bool SyncStatus::mark(int mixer, const KeyValue *first, const KeyValue *last, Submit how)
{
    if (mixer < 1 || mixer > MaxMixers)
        return false;
    MixerState &s = records();
    MixerDataRecord &wanted = s.MixerSetData[size_t(mixer)];
    const MixerDataRecord &held = s.MixerData[size_t(mixer)];
    bool data = false;
    bool thresholds = false;
    for (const KeyValue *v = first; v != last; ++v) {
        if (v->key < 1 || v->key >= PendingFlagCount)
            continue;
        wanted.setValue(v->key, v->value);
        // Compared as stored, so a code the record cannot hold is judged by
        // what would actually be sent.
        const bool marked = how == Submit::Edit ? wanted.value(v->key) != held.value(v->key)
                                                : how != Submit::Unchanged;
        if (!marked)
            continue;
        s.SetDataPending[size_t(mixer)][size_t(v->key)] = true;
        (v->key == MixerKey::Threshold ? thresholds : data) = true;
    }
    if (!data && !thresholds)
        return false;
    if (how != Submit::Copy) {
        if (data)
            awaitFreshData(mixer);
        if (thresholds)
            awaitFreshThresholds(mixer);
    }
    restartRetries();
    emit events().valuesSubmitted(mixer);
    return true;
}
