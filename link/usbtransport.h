#pragma once

// USB transport: every transfer goes through devbridge, loaded by name at its
// first use. The device is opened and closed around each single transfer.
//
// A devbridge read blocks until the device answers or the library gives up,
// so the transfers of an open transport run on a worker thread of their own
// and the program's thread never blocks on the device: a send hands the
// request over, the worker writes it and reads while a reply is owed (a
// request was written and its reply has not come back), and each arriving
// reply wakes the event loop like bytes on a socket would. A receive takes a
// reply that has arrived; while one is still owed it waits for it as the
// device read would, with the windows running meanwhile. A receive with
// nothing owed costs nothing.

#include "link/transport.h"

#include <QLibrary>
#include <QString>

#include <cstdint>
#include <memory>

class Clock;

#if defined(_WIN32)
#define ZK_DEVBRIDGE_CALL __stdcall
#else
#define ZK_DEVBRIDGE_CALL
#endif

// The five functions of devbridge, bound by name.
struct DevbridgeApi
{
    using Plain = int32_t(ZK_DEVBRIDGE_CALL *)();
    using Transfer = int32_t(ZK_DEVBRIDGE_CALL *)(uint8_t *buffer, int32_t count, int32_t *transferred);
    Plain init = nullptr;
    Plain open = nullptr;
    Plain close = nullptr;
    Transfer write = nullptr;
    Transfer read = nullptr;

    bool complete() const { return init && open && close && write && read; }
};

class UsbTransport final : public LinkTransport
{
public:
    // Longest wait of a receive for an owed reply; devbridge's own read
    // time-out (2 s) normally ends it first.
    static constexpr double MaxReplyWait = 5.0;

    // `library`: a file name or path; a bare name is looked for beside the
    // executable first, then on the system's library path.
    UsbTransport(Clock &clock, QString library);
    // For tests: functions given directly, no library loaded. They are
    // called on the worker thread once the transport is open.
    UsbTransport(Clock &clock, const DevbridgeApi &api);
    // Waits for a transfer in progress to end (devbridge bounds each one).
    ~UsbTransport() override;

    // Probes the device (Init, Open, Close) and starts the worker.
    OpenOutcome open() override;
    void close() override;
    // Hands the request (with its 55 AA trailer) to the worker; true when it
    // was taken. A device that has gone shows up as a missing reply.
    bool send(const quint8 *data, int count) override;
    // One reply, or 0. While a reply is owed and none has arrived, waits for
    // it (events keep running). A read that delivered several replies back
    // to back hands them out one by one.
    int fetch(quint8 *buffer, int capacity) override;
    bool deliversTrailer() const override { return true; }
    // The device takes a message in one write: 0 until it completed, then all.
    int bytesHanded() const override;
    void cancel() override { m_cancelled = true; }

    // Binds the library once; false when it or one of its functions is missing.
    bool bind();
    QString libraryPath() const { return m_library.fileName(); }

private:
    class Worker;

    Clock &m_clock;
    QString m_libraryName;
    QLibrary m_library;
    DevbridgeApi m_api;
    bool m_bindTried = false;
    bool m_bound = false;
    std::unique_ptr<Worker> m_worker; // runs while the transport is open
    bool m_cancelled = false;
};
