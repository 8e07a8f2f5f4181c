#pragma once

// USB transport: every transfer goes through devbridge, loaded by name at its
// first use. The device is opened and closed around each single transfer.

#include "link/transport.h"

#include <QLibrary>
#include <QString>

#include <cstdint>

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
    // `library`: a file name or path; a bare name is looked for beside the
    // executable first, then on the system's library path.
    UsbTransport(Clock &clock, QString library);
    // For tests: functions given directly, no library loaded.
    UsbTransport(Clock &clock, const DevbridgeApi &api);
    ~UsbTransport() override;

    OpenOutcome open() override;
    void close() override {}
    bool send(const quint8 *data, int count) override;
    int fetch(quint8 *buffer, int capacity) override;
    bool deliversTrailer() const override { return true; }
    bool signalsArrival() const override { return false; }

    // Binds the library once; false when it or one of its functions is missing.
    bool bind();
    QString libraryPath() const { return m_library.fileName(); }

private:
    // USBDrv_Init then USBDrv_Open; only both succeeding count.
    bool startTransfer();

    Clock &m_clock;
    QString m_libraryName;
    QLibrary m_library;
    DevbridgeApi m_api;
    bool m_bindTried = false;
    bool m_bound = false;
};
