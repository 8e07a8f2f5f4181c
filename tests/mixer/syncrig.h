#pragma once

// The status poll and the verified write on the simulated link, and the small
// helpers their tests share.

#include "mixer/mixersync.h"
#include "tests/support/simlinkrig.h"

#include <functional>

struct SyncRig : SimLinkRig
{
    explicit SyncRig(SimOptions options = {}, LinkKind kind = LinkKind::Ethernet)
        : SimLinkRig(std::move(options), kind),
          sync(std::make_unique<MixerSync>(*comm, loop, mixers))
    {
    }

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
