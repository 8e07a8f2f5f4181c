#pragma once

// One transport behind MdlComm: open, close, send one message, fetch one
// complete message. MdlComm adds what is common (the 55 AA trailer, the
// buffer bounds, the failure messages); a transport only moves bytes.
// A message that arrives wakes the event loop, so the waits for replies sleep
// until something happens instead of asking again and again.

#include "link/linkstate.h"

#include <QString>
#include <QtGlobal>

#include <functional>

enum class OpenOutcome {
    Opened,
    Failed,   // the link could not be opened: MdlComm reports it
    Declined, // the user chose not to connect: no message
};

class LinkTransport
{
public:
    virtual ~LinkTransport() = default;

    virtual OpenOutcome open() = 0;
    virtual void close() = 0;
    // Sends data[0..count) as one message; true when the link reported it sent.
    virtual bool send(const quint8 *data, int count) = 0;
    // Copies one complete received message into buffer[0..capacity) and
    // returns its byte count, or 0 when none waits. A message longer than
    // `capacity` is dropped, never copied in part.
    virtual int fetch(quint8 *buffer, int capacity) = 0;
    // A send waiting for its acknowledge gives up (serial line only).
    virtual void abortSend() {}
    // The link is being closed while a call may still be waiting inside the
    // transport (its waits let the window that closes the program run): that
    // wait ends at once and no later call waits. close() and the transport's
    // end follow once the call has returned.
    virtual void cancel() {}
    // Whether fetched messages already end with 55 AA (USB delivers them so).
    virtual bool deliversTrailer() const { return false; }
    // Bytes of the message being sent (or sent last) that the link has taken
    // on so far: acknowledged blocks, bytes the socket handed to the system,
    // a device write that completed. -1 when the transport cannot tell; its
    // send has taken the whole message once it returns.
    virtual int bytesHanded() const { return -1; }

    virtual LinkHealth health() const { return LinkHealth::Up; }
    // While reconnecting: the number of the attempt under way, or of the
    // next one while waiting for it (1 for the first).
    virtual int reconnectAttempts() const { return 0; }
    // Where the link goes, for the status display ("192.168.100.200").
    virtual QString peer() const { return {}; }
    // Whether a lost connection is re-established; only a connection can be.
    virtual void setReconnect(bool) {}
    // Told whenever health() or reconnectAttempts() changed. Set by MdlComm.
    std::function<void()> healthChanged;
};
