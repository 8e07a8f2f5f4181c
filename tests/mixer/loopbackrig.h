#pragma once

// The virtual mixer behind a real loopback TCP listener, reached through the
// program's own Ethernet transport on the real clock, and a small job loop:
// a status poll every ReplyTimeUnit, SetData as soon as values wait and the
// line is free. Used by the end-to-end tests and the benchmarks.

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "link/comm.h"
#include "mixer/mixersync.h"
#include "sim/simchain.h"
#include "sim/simtcp.h"

#include <functional>
#include <memory>

struct LoopbackRig
{
    explicit LoopbackRig(SimOptions options) : chain(options), front(chain)
    {
        QString error;
        listening = front.listen(QStringLiteral("127.0.0.1"), 0, error);
        link.linkKind = LinkKind::Ethernet;
        LinkEndpoints endpoints;
        endpoints.tcpPort = front.port();
        endpoints.connectLimitSeconds = 5.0;
        endpoints.chooseEthernetAddress = [](bool &userChose) {
            userChose = true;
            return QStringLiteral("127.0.0.1");
        };
        comm = std::make_unique<MdlComm>(link, clock, dialogs, std::move(endpoints));
        sync = std::make_unique<MixerSync>(*comm, loop, mixers);
    }

    bool connect()
    {
        if (!listening || !comm->CommOpen())
            return false;
        sync->resetForConnect();
        return true;
    }

    // Runs the loop until done() holds or `limit` seconds passed; after each
    // SetData run, `afterSetData` sees how it went.
    bool runLoop(const std::function<bool()> &done, double limit,
                 const std::function<void(const SetDataOutcome &)> &afterSetData = {})
    {
        const double end = clock.now() + limit;
        // The first poll is due at once, the others ReplyTimeUnit after the
        // one before, also across calls.
        double &t0 = m_polledAt;
        while (!done()) {
            const double now = clock.now();
            if (now > end)
                return false;
            clock.processEvents();
            if (sync->flushDue()) {
                sync->flush();
                if (afterSetData)
                    afterSetData(sync->lastOutcome());
                continue;
            }
            if (now - t0 > link.ReplyTimeUnit) {
                sync->poll();
                t0 = clock.now();
                if (afterPoll)
                    afterPoll();
                continue;
            }
            clock.waitForEvents(t0 + link.ReplyTimeUnit - now + 0.001);
        }
        return true;
    }

    // Told after every poll (it has just sent its request, unless values wait).
    std::function<void()> afterPoll;

    SystemClock clock;
    ScriptedDialogs dialogs;
    LinkState link;
    LoopState loop;
    MixerState mixers;
    SimChain chain;
    SimTcpFront front;
    bool listening = false;
    std::unique_ptr<MdlComm> comm;
    std::unique_ptr<MixerSync> sync;

private:
    double m_polledAt = -1e9;
};
