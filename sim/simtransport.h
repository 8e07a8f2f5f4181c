#pragma once

// The virtual mixer chain behind MdlComm, in-process: every request CommSend
// hands over is answered by the chain and the reply waits for CommReceive.
// For tests of anything above the link that want real mixer behaviour
// (read-back, refused writes, stuck values, lost replies) without a wire:
//
//   SimChain chain(options);
//   LinkEndpoints endpoints;
//   endpoints.makeTransport = simTransportFactory(chain);
//   MdlComm comm(link, clock, dialogs, endpoints);

#include "link/comm.h"
#include "link/transport.h"

#include <functional>
#include <memory>

class SimChain;

// The chain must outlive every transport made. USB-style replies (trailer
// included) are delivered when the link kind is USB, as the real device does.
std::function<std::unique_ptr<LinkTransport>(LinkKind)> simTransportFactory(SimChain &chain);
