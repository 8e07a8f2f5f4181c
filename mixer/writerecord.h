#pragma once

// The activity log's share of a write run: the values the run is about to
// send, taken from the raised flags before it starts, and afterwards one
// entry for each with the run's outcome.

#include "mixer/activitylog.h"
#include "mixer/mixerdata.h"
#include "mixer/setdata.h"

#include <vector>

class WriteRunRecord
{
public:
    struct Value
    {
        int mixer = 0;
        int key = 0;
        qint32 value = 0;
    };

    // The flagged values of the linked mixers (mixer 1 while none is counted).
    explicit WriteRunRecord(const MixerState &mixers);

    const std::vector<Value> &values() const { return m_values; }
    // One entry a value: verified when the run ended with every read-back
    // matching, failed otherwise.
    void finish(ActivityLog &log, const SetDataOutcome &outcome) const;

private:
    std::vector<Value> m_values;
};
