#pragma once

// The link, the loop state and the mixer records on virtual time, with the
// virtual mixer chain (or a script) answering every request in-process: each
// test reads as "these requests go out, these replies come back".

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/loopstate.h"
#include "link/comm.h"
#include "link/protocol.h"
#include "link/scriptedtransport.h"
#include "mixer/mixerdata.h"
#include "sim/simchain.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <memory>

struct SimLinkRig
{
    explicit SimLinkRig(SimOptions options = {}, LinkKind kind = LinkKind::Ethernet)
        : chain(std::make_unique<SimChain>(options))
    {
        link.linkKind = kind;
        LinkEndpoints endpoints;
        endpoints.makeTransport = [this, kind](LinkKind) {
            auto t = std::make_unique<ScriptedTransport>();
            t->withTrailer = kind == LinkKind::Usb;
            t->onSend = [this](const QByteArray &request) {
                if (script)
                    return script(request);
                const QByteArray reply = chain->handle(request);
                return reply.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{reply};
            };
            transport = t.get();
            return t;
        };
        comm = std::make_unique<MdlComm>(link, clock, dialogs, std::move(endpoints));
        comm->CommOpen();
    }

    // Requests sent so far that start with these letters.
    QList<QByteArray> sent(const char *letters) const
    {
        QList<QByteArray> out;
        for (const QByteArray &r : transport->sent)
            if (r.startsWith(letters))
                out << r;
        return out;
    }
    void forget() { transport->sent.clear(); }

    ManualClock clock;
    ScriptedDialogs dialogs;
    LinkState link;
    LoopState loop;
    MixerState mixers;
    std::unique_ptr<SimChain> chain;
    // When set, answers requests instead of the chain.
    std::function<QList<QByteArray>(const QByteArray &)> script;
    ScriptedTransport *transport = nullptr;
    std::unique_ptr<MdlComm> comm;
};
