#pragma once

// The job window's work on virtual time: the simulated link with the message
// rules on top.

#include "tests/support/simlinkrig.h"

struct JobRig : SimLinkRig
{
    explicit JobRig(SimOptions options = {}, LinkKind kind = LinkKind::Ethernet)
        : SimLinkRig(std::move(options), kind), protocol(std::make_unique<MixerProtocol>(*comm))
    {
    }

    std::unique_ptr<MixerProtocol> protocol;
};
