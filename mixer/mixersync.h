#pragma once

// Synchronisation with the mixers, owned in one place: the status poll, the
// verified writes, the decision between them and the state of every value
// written. The job loop asks it for work (SyncWork); windows read it and ask
// for named things (SyncStatus). A value submitted (SyncStatus::submit)
// needs nothing else: as soon as the line is free (no reply to the poll's
// last request outstanding) the loop has it sent and read back.

#include "mixer/setdata.h"
#include "mixer/statuspoll.h"
#include "mixer/syncstatus.h"

#include <QByteArray>

#include <array>

class MdlComm;

class MixerSync final : public SyncStatus, public SyncWork
{
public:
    MixerSync(MdlComm &comm, LoopState &loop, MixerState &mixers);

    // SyncWork
    bool flushDue() override;
    bool lineFree() override;
    bool flush() override;
    void poll() override;
    bool pendingValues() const override { return m_poll.PendingChanges(); }
    bool writePending() override;

    // SyncStatus
    ValueStatus valueStatus(int mixer, int id) const override;
    SyncEvents &events() override { return m_events; }
    bool dataFresh(int mixer) const override;
    bool thresholdsFresh(int mixer) const override;
    bool dataReceived() const override { return m_poll.DataReceived != 0; }
    double ambientLevel() const override { return m_poll.AmbientLevel; }
    int passCount() const override { return m_setData.SetDataRetryCount; }
    bool mixersCurrent() const override;
    void editorOpened(int mixer) override;
    void forgetReceived() override { m_poll.DataReceived = 0; }
    void dismissFailure(int mixer, int id) override;

    // Whether a poll or a write is under way further up the stack (a window
    // handler runs inside its waits): another exchange must not start now.
    bool busy() const { return m_busy; }

    // Whether a data reply has been decoded since the link opened: before
    // it the records hold start values, not the mixers' own.
    bool mixersRead() const { return m_poll.DataReplies > 0; }

    // The end of a transfer of loaded settings: what waits, written and read
    // back as writePending() does, within `scope`.
    bool writeLoaded(SendScope scope) { return run(scope); }

    // The writes the running (or next) pass makes.
    int writesDue() const { return m_setData.writesDue(); }

    // How the last write run went.
    const SetDataOutcome &lastOutcome() const { return m_setData.outcome(); }

    // The user quit from the control panel: the last values are on their way
    // while the windows are already gone (see SetData::ending).
    void setEnding() { m_ending = true; }

    // The connect step's share: empty poll buffer, no data received yet,
    // every value's state forgotten.
    void resetForConnect();
    // Once at connect, after the link opened.
    AccessResult CheckAccess() { return m_poll.CheckAccess(); }
    qint16 ReadModel(int n) { return m_poll.ReadModel(n); }
    // A reply came outside the poll (the job window's extended read): the
    // main window's menus may be enabled with the next poll.
    void noteReplyArrived();
    // Whether the main window's menus were enabled by a poll yet.
    bool menusEnabled() const { return m_poll.FirstReply == MenusEnabled; }

    // Reads thresholds and all parameters at once, outside the poll cycle
    // (for tools that do not run the job loop). Each request is tried up to
    // `attempts` times. Returns whether both replies arrived and decoded.
    bool readAll(int attempts = 3);
    // Decodes one whole reply (without its trailer) as the poll would.
    void takeReply(const QByteArray &reply);

    // What the poll calls in other subsystems.
    StatusPollHooks &hooks() { return m_poll.hooks; }

    // The next poll prepares `phase`'s request (the tests start the cycle
    // where they need it).
    void startPollWith(PollPhaseCode phase) { m_poll.startWith(phase); }

    // The poll as it stands, for the tools and tests that show its counters.
    const ::StatusPoll &pollState() const { return m_poll; }

protected:
    MixerState &records() override { return m_mixers; }
    void awaitFreshData(int mixer) override;
    void awaitFreshThresholds(int mixer) override;
    void restartRetries() override { m_setData.SetDataRetryCount = 0; }

private:
    using ReadMarks = std::array<quint8, MixerSlots>;

    bool run(SendScope scope = SendScope::Everything);
    // Collects what the poll awaits, or decodes (the `collect` call) with
    // everything the poll does around it.
    template <typename Collect>
    void pollStep(Collect collect);
    // Decodes through the poll and tells the listeners of every mixer whose
    // awaited data or thresholds arrived meanwhile.
    template <typename Decode>
    void decodeAndAnnounce(Decode decode);
    void announceArrivals(const ReadMarks &data, const ReadMarks &thresholds);
    void settle(int mixer, int id, ValueState state);
    // Tells the listeners that every flagged value waits.
    void announceWaiting();
    // Tells the listeners of every value verified so far (whether that
    // holds now depends on the connection).
    void announceVerified();
    // Before a poll: notes a connection that went down or came back.
    void followConnection();
    // After a poll: once data and thresholds were read again after the
    // connection came back, judges every value afresh.
    void rejudgeWhenReread();
    // Whether a value's state dates from before the connection last went
    // down, or it is down now.
    bool outdated(int mixer, int id) const;

    MdlComm &m_comm;
    MixerState &m_mixers;
    ::StatusPoll m_poll;
    ::SetData m_setData;
    bool m_ending = false;
    SyncEvents m_events;
    bool m_busy = false;
    std::array<std::array<ValueStatus, PendingFlagCount>, MixerSlots> m_values{};
    // LinkState::reconnects when each value's state was set: one set before
    // the connection last came back says nothing of what the mixers hold.
    std::array<std::array<int, PendingFlagCount>, MixerSlots> m_epochs{};
    bool m_wasDown = false;
    int m_reconnects = 0;    // the comebacks followed so far
    bool m_rereadDue = false; // came back, and not yet read again
    int m_dataAt = 0;        // replies decoded when it came back
    int m_thresholdsAt = 0;
};
