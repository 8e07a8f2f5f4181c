#pragma once

// What the rest of the program sees of synchronisation with the mixers.
//
// Windows (and anything else that shows or forwards values) hold a
// SyncStatus: they may read what the poll brought in and how each value they
// wrote fared, and ask for a few named things; they never reach into the
// poll's or the writer's own fields. Every value the program wants a mixer
// to hold goes in through submit(). The job loop holds a SyncWork: it asks
// whether values wait and has them sent. MixerSync is both.

#include "mixer/valuestate.h"

#include <QObject>
#include <QtGlobal>

#include <vector>

struct MixerState;

// One value of a mixer: key id 1..85 and the code it is to hold.
struct KeyValue
{
    int key = 0;
    qint32 value = 0;
};
// Values of one mixer that make one setting (the simultaneous-selection
// group is Priority_1..8 and OnlyType): marked together or not at all.
using ValueSet = std::vector<KeyValue>;

// How submit() treats what it is given. Every value is stored as the one
// the mixer is to hold; what differs is which are marked to be sent.
enum class Submit {
    // The user's edit: each value is marked where it differs from what the
    // mixer reported (an earlier mark stays), and the mixer's next status
    // reply is awaited before a window shows its values again, so that a
    // reply older than the edit cannot undo it.
    Edit,
    // A setting the caller judged changed as a whole (the mixer repeats some
    // of its values in bytes that never go out): every value marked, the
    // reply awaited as for an edit.
    Changed,
    // A setting the caller judged unchanged: stored, nothing marked.
    Unchanged,
    // Marked as it is, nothing awaited: what a link copies, a dialog's
    // Cancel, the panel's switches, the tool's values.
    Copy,
};

// Value states are kept for key ids 1..84 and 85, the threshold.

// Notifications for windows and servers that show value states live.
class SyncEvents : public QObject
{
    Q_OBJECT
signals:
    // The value's status changed; read it with SyncStatus::valueStatus.
    void valueStateChanged(int mixer, int id);
    // One write-and-verify run ended.
    void runFinished(bool verified);
    // The connection came back and the mixers have been read again: every
    // value's state is judged afresh. Whoever keeps values in the mixers
    // (the control panel its switches) writes them again where they differ.
    void mixersReread();
    // Values of the mixer were submitted: what it is to hold may have changed.
    void valuesSubmitted(int mixer);
    // A data (threshold) reply requested since the mixer's values were last
    // awaited has been decoded: dataFresh (thresholdsFresh) holds from now.
    void dataArrived(int mixer);
    void thresholdsArrived(int mixer);
};

class SyncStatus
{
public:
    virtual ~SyncStatus() = default;

    // The one way a value the program wants a mixer to hold is written: it
    // goes into MixerSetData, is marked to be sent (see Submit), a running
    // write gets its full number of passes again, and listeners hear
    // valuesSubmitted. The next poll finds the mark and the loop has the
    // value sent and read back. Returns whether anything was marked.
    bool submit(int mixer, int key, qint32 value, Submit how = Submit::Edit);
    bool submit(int mixer, const ValueSet &values, Submit how = Submit::Edit);

    virtual ValueStatus valueStatus(int mixer, int id) const = 0;
    virtual SyncEvents &events() = 0;

    // Whether the last data / threshold reply since the mixer was marked to
    // wait has been decoded: an editor refreshes its controls only then.
    virtual bool dataFresh(int mixer) const = 0;
    virtual bool thresholdsFresh(int mixer) const = 0;
    // Whether any data or threshold reply arrived since the link opened (or
    // since forgetReceived()).
    virtual bool dataReceived() const = 0;
    virtual double ambientLevel() const = 0;
    // Pass counter of the running or last write run, 0..11.
    virtual int passCount() const = 0;
    // The connection is up and the mixers were read since it last came up:
    // what the records say of them is what they held then. While it is not,
    // every value verified before counts as waiting.
    virtual bool mixersCurrent() const = 0;

    // An editor opens on the mixer: the values now held count as fresh.
    virtual void editorOpened(int mixer) = 0;
    // The next reply is taken as the first one (an editor asks for its
    // values to be written in again).
    virtual void forgetReceived() = 0;
    // The user took the mixer's own value instead of a value that failed.
    virtual void dismissFailure(int mixer, int id) = 0;

protected:
    // The records submit() writes into.
    virtual MixerState &records() = 0;
    // An edit was marked: windows show the mixer's values again only after
    // the next data (thresholds) reply.
    virtual void awaitFreshData(int mixer) = 0;
    virtual void awaitFreshThresholds(int mixer) = 0;
    // A value was marked during a run: the run gets its full number of
    // passes again.
    virtual void restartRetries() = 0;

private:
    bool mark(int mixer, const KeyValue *first, const KeyValue *last, Submit how);
};

// What the job loop asks of synchronisation.
class SyncWork
{
public:
    virtual ~SyncWork() = default;

    // Values wait to be sent and the line is free: no reply to the poll's
    // last request is outstanding (it arrived, and is taken here, or the
    // poll stopped waiting for it). They go out at once, before any job but
    // the transfer of loaded settings.
    virtual bool flushDue() = 0;
    // No reply to the poll's last request is outstanding: it arrived (and is
    // taken here) or none was asked for. Exchanges of their own, such as the
    // transfer of loaded settings, start only then or once the poll's wait
    // for that reply has ended.
    virtual bool lineFree() = 0;
    // Sends them and reads them back; the poll then starts again with the
    // data request. True when at least one value was sent.
    virtual bool flush() = 0;
    // One status poll.
    virtual void poll() = 0;
    // Values wait to be sent right now (quitting sends them before it ends).
    virtual bool pendingValues() const = 0;
    // Sends what waits and reads it back, outside the poll cycle (the last
    // values when quitting, the end of a transfer).
    virtual bool writePending() = 0;
};
