#pragma once

// Reading and writing the mixers, in one object the job loop calls: the
// status poll, the verified writes and the test between them. Code that
// changes MixerSetData and sets the value's SetDataPending flag (for example
// through MixerState::setPending) needs nothing else: the next poll notices
// the flag, the loop runs SetData, and the value is sent and read back.

#include "mixer/setdata.h"
#include "mixer/statuspoll.h"

class MdlComm;

class MixerSync
{
public:
    MixerSync(MdlComm &comm, LoopState &loop, MixerState &mixers);

    // The three operations of the job loop's handlers.
    void StatusPoll() { m_poll.poll(); }
    bool SetData() { return m_setData.run(); }
    bool pendingValues() const { return m_poll.PendingChanges(); }

    // The connect step's share: empty poll buffer, no data received yet.
    void resetForConnect();
    // Once at connect, after the link opened.
    AccessResult CheckAccess() { return m_poll.CheckAccess(); }
    qint16 ReadModel(int n) { return m_poll.ReadModel(n); }

    // Reads thresholds and all parameters at once, outside the poll cycle
    // (for tools that do not run the job loop). Each request is tried up to
    // `attempts` times. Returns whether both replies arrived and decoded.
    bool readAll(int attempts = 3);

    ::StatusPoll &poll() { return m_poll; }
    ::SetData &setData() { return m_setData; }
    StatusPollHooks &hooks() { return m_poll.hooks; }

private:
    MdlComm &m_comm;
    ::StatusPoll m_poll;
    ::SetData m_setData;
};
