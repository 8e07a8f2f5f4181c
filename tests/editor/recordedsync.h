#pragma once

// Synchronisation as widget-free editor code sees it, recorded: which
// mixers' values count as fresh, the pass counter, the first-reply mark.

#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"

#include <array>
#include <map>
#include <utility>

struct RecordedSync final : SyncStatus
{
    explicit RecordedSync(MixerState &mixers) : m_mixers(mixers)
    {
        freshData.fill(true);
        freshThresholds.fill(true);
    }

    std::array<bool, MixerSlots> freshData{};
    std::array<bool, MixerSlots> freshThresholds{};
    bool received = true;
    int retries = 7; // in the middle of a run

    std::map<std::pair<int, int>, ValueState> states; // (mixer, key id) written

    ValueStatus valueStatus(int mixer, int id) const override
    {
        const auto it = states.find({mixer, id});
        return it == states.end() ? ValueStatus{} : ValueStatus{it->second, 1.0, 0, 1};
    }
    SyncEvents &events() override { return m_events; }
    bool dataFresh(int mixer) const override { return freshData.at(size_t(mixer)); }
    bool thresholdsFresh(int mixer) const override { return freshThresholds.at(size_t(mixer)); }
    bool dataReceived() const override { return received; }
    double ambientLevel() const override { return 0; }
    int passCount() const override { return retries; }
    bool mixersCurrent() const override { return true; }
    void editorOpened(int mixer) override { freshData.at(size_t(mixer)) = freshThresholds.at(size_t(mixer)) = true; }
    void forgetReceived() override { received = false; }
    void dismissFailure(int, int) override {}

protected:
    MixerState &records() override { return m_mixers; }
    void awaitFreshData(int mixer) override { freshData.at(size_t(mixer)) = false; }
    void awaitFreshThresholds(int mixer) override { freshThresholds.at(size_t(mixer)) = false; }
    void restartRetries() override { retries = 0; }

private:
    MixerState &m_mixers;
    SyncEvents m_events;
};
