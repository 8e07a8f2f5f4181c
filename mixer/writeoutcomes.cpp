#include "mixer/writeoutcomes.h"

#include "base/strings.h"
#include "mixer/activitylog.h"
#include "mixer/syncstatus.h"

namespace {
constexpr int PassesText = 12215; // "%1 パス"
}

void logWriteOutcomes(SyncStatus &sync, ActivityLog &log)
{
    QObject::connect(&sync.events(), &SyncEvents::valueStateChanged, &log, [&sync, &log](int mixer, int id) {
        const ValueStatus s = sync.valueStatus(mixer, id);
        if (s.state != ValueState::Verified && s.state != ValueState::Failed)
            return;
        // A load found it held already: nothing was written (the load's own
        // entry counts these).
        if (s.state == ValueState::Verified && s.passes == 0)
            return;
        log.add(ActivityKind::Write, mixer, str(PassesText).arg(s.passes),
                s.state == ValueState::Verified ? ActivityOutcome::Verified : ActivityOutcome::Failed, id, s.value);
    });
}
