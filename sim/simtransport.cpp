#include "sim/simtransport.h"

#include "link/scriptedtransport.h"
#include "sim/simchain.h"

std::function<std::unique_ptr<LinkTransport>(LinkKind)> simTransportFactory(SimChain &chain)
{
    return [&chain](LinkKind kind) -> std::unique_ptr<LinkTransport> {
        auto transport = std::make_unique<ScriptedTransport>();
        // Like the device, USB replies come with their trailer (the scripted
        // transport appends it); requests reach the transport bare.
        transport->withTrailer = kind == LinkKind::Usb;
        transport->onSend = [&chain](const QByteArray &sent) -> QList<QByteArray> {
            const QByteArray reply = chain.handle(sent);
            if (reply.isEmpty())
                return {};
            return {reply};
        };
        return transport;
    };
}
