#include "mixer/mixersync.h"

#include "link/comm.h"
#include "link/protocol.h"

MixerSync::MixerSync(MdlComm &comm, LoopState &loop, MixerState &mixers)
    : m_comm(comm), m_poll(comm, loop, mixers), m_setData(comm, mixers)
{
    // Quitting from the control panel sends the last values (job 9) while
    // the program's windows are already gone.
    m_setData.ending = [&loop] { return loop.JobRequest == JobQuit; };
}

void MixerSync::resetForConnect()
{
    m_poll.clearPollBuffer();
    m_poll.DataReceived = 0;
    m_poll.NoReplyCount = 0;
}

bool MixerSync::readAll(int attempts)
{
    auto fetch = [&](const QByteArray &request) {
        for (int i = 0; i < attempts; ++i) {
            const Reply reply = MixerProtocol(m_comm).sendAndWait(request);
            if (reply.received()) {
                m_poll.DecodeReply(reply.data(), reply.count() - Wire::TrailerSize);
                return true;
            }
        }
        return false;
    };
    const bool thresholds = fetch(thresholdReadAllRequest());
    return fetch(dataReadAllRequest()) && thresholds;
}
