#pragma once

// USB transport: every transfer goes through devbridge, loaded by name at its
// first use. The device is opened and closed around each single transfer.
//
// A devbridge read blocks until the device answers or the library gives up,
// so the transfers of an open transport run on a worker thread of their own
// and the program's thread never waits for the device: a send hands the
// request over, and each reply comes back as one complete message, waking the
// event loop like bytes on a socket would. The worker reads only while a
// reply is owed (a request was written and its reply has not come back), so
// a receive with nothing asked costs nothing.

#include "link/transport.h"

#include <QLibrary>
#include <QString>

#include <cstdint>
#include <memory>

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
    // `library`: a file name or path; a bare name is looked for beside the
    // executable first, then on the system's library path.
    explicit UsbTransport(QString library);
    // For tests: functions given directly, no library loaded. They are
    // called on the worker thread once the transport is open.
    explicit UsbTransport(const DevbridgeApi &api);
    // Waits for a transfer in progress to end (devbridge bounds each one).
    ~UsbTransport() override;

    // Probes the device (Init, Open, Close) and starts the worker.
    OpenOutcome open() override;
    void close() override;
    // Hands the request (with its 55 AA trailer) to the worker; true when it
    // was taken. A device that has gone shows up as a missing reply.
    bool send(const quint8 *data, int count) override;
    // One reply that has arrived, or 0. A read that delivered several
    // replies back to back hands them out one by one.
    int fetch(quint8 *buffer, int capacity) override;
    bool deliversTrailer() const override { return true; }

    // Binds the library once; false when it or one of its functions is missing.
    bool bind();
    QString libraryPath() const { return m_library.fileName(); }

private:
    class Worker;

    QString m_libraryName;
    QLibrary m_library;
    DevbridgeApi m_api;
    bool m_bindTried = false;
    bool m_bound = false;
    std::unique_ptr<Worker> m_worker; // runs while the transport is open
};
