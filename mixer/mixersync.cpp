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
    LinkState &link = m_comm.state();
    auto fetch = [&](const QByteArray &request) {
        for (int i = 0; i < attempts; ++i) {
            const int n = MixerProtocol(m_comm).sendAndWait(putRequest(link.SendBuffer, request));
            if (n > 0) {
                // DecodeReply may ask for models through the link: decode a copy.
                const std::vector<quint8> reply(link.ReceiveBuffer.begin(), link.ReceiveBuffer.begin() + n);
                m_poll.DecodeReply(reply.data(), n - Wire::TrailerSize);
                return true;
            }
        }
        return false;
    };
    const bool thresholds = fetch(thresholdReadAllRequest());
    return fetch(dataReadAllRequest()) && thresholds;
}
