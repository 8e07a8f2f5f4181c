#include "mixerdata.h"

#include <algorithm>

namespace {

// Per-channel start values, family by family (InputLevel .. RemoteOff).
constexpr std::array<quint8, 9> ChannelStart = {1, 1, 2, 1, 1, 0, 1, 0, 0};
// OutputLevel .. KeyLock.
constexpr std::array<quint8, 12> SingleStart = {1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0};
// Settings-file defaults of ids 73..103 (Model "1", Silent_Time and Hold_Time2 "50").
constexpr std::array<int, 31> FactoryTail = {1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 100, 1, 16383, 100,
                                             100, 10, 0, 1, 16383, 100, 1, 1, 0, 0, 0, 0, 50, 50, 8};

} // namespace

qint32 MixerDataRecord::value(int id) const
{
    if (id >= MixerKey::FirstBlock && id <= MixerKey::LastBlock)
        return block[size_t(id - 1)];
    if (id == MixerKey::Threshold)
        return Threshold;
    return 0;
}

void MixerDataRecord::setValue(int id, qint32 v)
{
    if (id >= MixerKey::FirstBlock && id <= MixerKey::LastBlock)
        block[size_t(id - 1)] = quint8(v);
    else if (id == MixerKey::Threshold)
        Threshold = qint16(v);
}

MixerDataRecord MixerDataRecord::startValues()
{
    MixerDataRecord r;
    for (int f = 0; f < 9; ++f)
        for (int n = 1; n <= ChannelCount; ++n)
            r.block[size_t(8 * f + n - 1)] = ChannelStart[size_t(f)];
    for (size_t i = 0; i < SingleStart.size(); ++i)
        r.block[72 + i] = SingleStart[i];
    r.Threshold = 100;
    return r;
}

namespace {
template<typename Fn>
void withExtendedField(ExtendedRecord &e, int id, Fn fn)
{
    switch (id) {
    case 87: fn(e.ThresholdMax); break;
    case 88: fn(e.ThresholdMin); break;
    case 89: fn(e.ThresholdK); break;
    case 90: fn(e.MuteK); break;
    case 91: fn(e.OutPeakLEDK); break;
    case 92: fn(e.PriorityDef); break;
    case 93: fn(e.ThresholdMaxDef); break;
    case 94: fn(e.ThresholdMinDef); break;
    case 95: fn(e.MuteAttDef); break;
    case 96: fn(e.ThresholdActDef); break;
    case 97: fn(e.Noise_Detection); break;
    case 98: fn(e.Noise_Detection_Reference); break;
    case 99: fn(e.Noise_Detection_Threshold); break;
    case 100: fn(e.Head_Lack_Prevention); break;
    case 101: fn(e.Silent_Time); break;
    case 102: fn(e.Hold_Time2); break;
    case 103: fn(e.ThresholdK2); break;
    default: break;
    }
}
} // namespace

qint32 ExtendedRecord::value(int id) const
{
    qint32 out = 0;
    withExtendedField(const_cast<ExtendedRecord &>(*this), id, [&](auto &f) { out = f; });
    return out;
}

void ExtendedRecord::setValue(int id, qint32 v)
{
    withExtendedField(*this, id, [&](auto &f) { f = static_cast<std::decay_t<decltype(f)>>(v); });
}

QString factoryDefaultText(int id)
{
    if (id >= 1 && id <= 72)
        return QString::number(ChannelStart[size_t((id - 1) / 8)]);
    if (id >= 73 && id <= 103)
        return QString::number(FactoryTail[size_t(id - 73)]);
    return {};
}

void MixerState::resetToStartValues()
{
    const MixerDataRecord start = MixerDataRecord::startValues();
    for (int m = 0; m < MixerSlots; ++m) {
        MixerData[size_t(m)] = start;
        MixerSetData[size_t(m)] = start;
        ExtendedData[size_t(m)] = ExtendedRecord();
    }
    clearPending();
}

void MixerState::setPending(int mixer, int id, qint32 v)
{
    if (mixer < 1 || mixer > MaxMixers || id < 1 || id >= PendingFlagCount)
        return;
    MixerSetData[size_t(mixer)].setValue(id, v);
    SetDataPending[size_t(mixer)][size_t(id)] = true;
}

bool MixerState::waiting(int mixer, int id) const
{
    return mixer >= 1 && mixer <= MaxMixers && id >= 1 && id < PendingFlagCount
           && SetDataPending[size_t(mixer)][size_t(id)];
}

void MixerState::takeLoadedValue(int mixer, int id, qint32 v)
{
    setPending(mixer, id, v);
}

void MixerState::adoptLoadedValues(int mixer)
{
    if (mixer < 1 || mixer > MaxMixers)
        return;
    MixerDataRecord &own = MixerData[size_t(mixer)];
    const MixerDataRecord &applied = MixerSetData[size_t(mixer)];
    for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id) {
        own.setValue(id, applied.value(id));
        SetDataPending[size_t(mixer)][size_t(id)] = false;
    }
}

bool MixerState::anyPending(int mixer) const
{
    const auto &flags = SetDataPending[size_t(mixer)];
    return std::find(flags.begin(), flags.end(), true) != flags.end();
}

void MixerState::clearPending()
{
    for (auto &flags : SetDataPending)
        flags.fill(false);
}

void MixerState::takeReported(int mixer)
{
    if (mixer < 1 || mixer > MaxMixers)
        return;
    const MixerDataRecord &reported = MixerData[size_t(mixer)];
    MixerDataRecord &wanted = MixerSetData[size_t(mixer)];
    const auto &pending = SetDataPending[size_t(mixer)];
    for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
        if (pending[size_t(id)] == 0)
            wanted.setValue(id, reported.value(id));
}

int MixerState::openEditorCount() const
{
    return int(std::count(EditorOpen.begin(), EditorOpen.end(), true));
}

void MixerState::takeInOfflineMixers(int mixers)
{
    const qint16 n = qint16(std::max<int>(MixerCount, mixers));
    MixerCount = n;
    FileMixerCount = n;
}
