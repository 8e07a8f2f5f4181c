#include "mixer/writerecord.h"

#include "base/strings.h"
#include "mixer/parametertable.h"

#include <algorithm>

namespace {
constexpr int PassesText = 12215; // "%1 パス"
}

WriteRunRecord::WriteRunRecord(const MixerState &mixers)
{
    const int last = std::clamp<int>(mixers.MixerCount, 1, MaxMixers);
    for (int m = 1; m <= last; ++m) {
        const auto &flags = mixers.SetDataPending[size_t(m)];
        const MixerDataRecord &want = mixers.MixerSetData[size_t(m)];
        for (int id = 1; id <= MixerKey::Threshold; ++id)
            if (flags[size_t(id)] != 0)
                m_values.push_back({m, id, id == MixerKey::Threshold ? qint32(want.Threshold)
                                                                     : qint32(want.block[size_t(id - 1)])});
    }
}

void WriteRunRecord::finish(ActivityLog &log, const SetDataOutcome &outcome) const
{
    const ActivityOutcome result = outcome.verified ? ActivityOutcome::Verified : ActivityOutcome::Failed;
    const QString passes = str(PassesText).arg(outcome.passes);
    for (const Value &v : m_values)
        log.add(ActivityKind::Write, v.mixer, passes, result, v.key, v.value);
}
