#pragma once

// The mixer records, the link and the virtual mixer chain wired together on
// virtual time: every request sent through MdlComm is answered at once by a
// SimChain (or by a script), so each test reads as "these requests go out,
// these replies come back".

#include "app/clock.h"
#include "app/dialogs.h"
#include "app/loopstate.h"
#include "link/comm.h"
#include "link/scriptedtransport.h"
#include "mixer/mixersync.h"
#include "sim/simchain.h"

#include <QByteArray>
#include <QList>

#include <functional>
#include <memory>

struct SyncRig
{
    explicit SyncRig(SimOptions options = {}, LinkKind kind = LinkKind::Ethernet)
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
        sync = std::make_unique<MixerSync>(*comm, loop, mixers);
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
    // When set, answers instead of the chain.
    std::function<QList<QByteArray>(const QByteArray &)> script;
    ScriptedTransport *transport = nullptr;
    std::unique_ptr<MdlComm> comm;
    std::unique_ptr<MixerSync> sync;
};

inline SimOptions simOptions(int mixers, const std::function<void(SimOptions &)> &more = {})
{
    SimOptions o;
    o.mixers = mixers;
    if (more)
        more(o);
    return o;
}

inline QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(char(quint8(v)));
    return b;
}
