#pragma once

// The remote server's view of synchronisation: for each value the program
// wants a mixer to hold, whether it is settled, waiting to be written,
// verified by a read-back, or failed when the passes ran out. The server
// answers a switch and reports events from this view only, so it never reads
// the write-and-verify routine's internals.
//
// The view follows the pending flags and the outcome of each write run: a
// flagged value is Waiting; once its flag is lowered by a run it is Verified,
// or Failed when the run gave up (eleven failed passes). observe() is called
// after every status poll, after every write run and after a remote switch;
// it emits changed() when any value it follows changed state.

#include "mixer/mixerdata.h"

#include <QObject>

#include <array>

struct SetDataOutcome;

enum class RemoteValueState { Settled, Waiting, Verified, Failed };

class RemoteSyncView : public QObject
{
    Q_OBJECT

public:
    explicit RemoteSyncView(const MixerState &mixers, QObject *parent = nullptr);

    RemoteValueState state(int mixer, int id) const;
    // A channel's remote switch is two values (RemoteOn, RemoteOff): Failed
    // when either failed, Waiting when either waits, Verified when either
    // was verified and the other is not behind, else Settled.
    RemoteValueState channelState(int mixer, int channel) const;

    // Looks at the pending flags; `runEnded`, after a write run, says how it
    // ended. Returns whether any state changed (changed() is emitted then).
    bool observe(const SetDataOutcome *runEnded = nullptr);
    // The link was opened again: nothing has been written since.
    void reset();

signals:
    void changed();

private:
    const MixerState &m_mixers;
    // Remote-switch values only (key ids of RemoteOn 1..8 and RemoteOff 1..8).
    std::array<std::array<RemoteValueState, 2 * ChannelCount>, MixerSlots> m_states{};
};

const char *stateName(RemoteValueState state);
