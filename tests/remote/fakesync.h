#pragma once

// A SyncStatus whose value states the test sets, announcing each change as
// the link's synchronisation does.

#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"

#include <map>
#include <utility>

class FakeSync final : public SyncStatus
{
public:
    FakeSync() = default;
    // Values submitted go into `records`.
    explicit FakeSync(MixerState &records) : m_records(&records) {}

    // Whether the mixers count as read since the connection last came up.
    bool current = true;

    void set(int mixer, int id, ValueState state)
    {
        m_states[{mixer, id}].state = state;
        emit m_events.valueStateChanged(mixer, id);
    }
    ValueStatus valueStatus(int mixer, int id) const override
    {
        const auto it = m_states.find({mixer, id});
        return it == m_states.end() ? ValueStatus{} : it->second;
    }
    SyncEvents &events() override { return m_events; }
    bool dataFresh(int) const override { return true; }
    bool thresholdsFresh(int) const override { return true; }
    bool dataReceived() const override { return true; }
    double ambientLevel() const override { return 0; }
    int passCount() const override { return 0; }
    bool mixersCurrent() const override { return current; }
    void editorOpened(int) override {}
    void forgetReceived() override {}
    void dismissFailure(int, int) override {}

protected:
    MixerState &records() override { return *m_records; }
    void awaitFreshData(int) override {}
    void awaitFreshThresholds(int) override {}
    void restartRetries() override {}

private:
    MixerState m_own;
    MixerState *m_records = &m_own;
    SyncEvents m_events;
    std::map<std::pair<int, int>, ValueStatus> m_states;
};
