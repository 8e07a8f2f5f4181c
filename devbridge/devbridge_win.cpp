// devbridge on Windows: the mixer's USB device is found through SetupAPI by
// its device interface class, and its two bulk pipes are opened as files
// under the device path: "PIPE01" carries data from the mixer, "PIPE00" data
// to it. Writes are synchronous. A read returns when the device delivers, but
// a device that does not answer would hold a plain read for ever: the read
// pipe is opened for overlapped I/O, and a read that brings nothing within
// the read time-out (2 s, DEVBRIDGE_READ_TIMEOUT_MS) is cancelled and fails.

#include "devbridge/devbridge.h"
#include "devbridge/pipepath.h"
#include "devbridge/readtimeout.h"

#include <windows.h>
#include <setupapi.h>

#include <cstddef>
#include <memory>
#include <new>

namespace {

// {8F390381-3152-11D2-BC14-A83CDDF4D54C}
const GUID DeviceInterfaceClass = {
    0x8F390381, 0x3152, 0x11D2, {0xBC, 0x14, 0xA8, 0x3C, 0xDD, 0xF4, 0xD5, 0x4C}};

constexpr char PathSeparator = '\\';

// The library-global state: one device at a time, as the exported interface
// has no handle of its own.
struct BridgeState
{
    char readPath[devbridge::PipePathSize] = {};  // device path + "\PIPE01"
    char writePath[devbridge::PipePathSize] = {}; // device path + "\PIPE00"
    HANDLE readHandle = INVALID_HANDLE_VALUE;
    HANDLE writeHandle = INVALID_HANDLE_VALUE;
};

BridgeState &bridge()
{
    static BridgeState state;
    return state;
}

// Cleanup keeps the last-error value of the call that failed.
class LastErrorKeeper
{
public:
    LastErrorKeeper() : m_error(GetLastError()) {}
    ~LastErrorKeeper() { SetLastError(m_error); }
    LastErrorKeeper(const LastErrorKeeper &) = delete;
    LastErrorKeeper &operator=(const LastErrorKeeper &) = delete;

private:
    DWORD m_error;
};

// Owns a device information set.
class DeviceInfoSet
{
public:
    explicit DeviceInfoSet(HDEVINFO set) : m_set(set) {}
    ~DeviceInfoSet()
    {
        if (valid()) {
            LastErrorKeeper keep;
            SetupDiDestroyDeviceInfoList(m_set);
        }
    }
    DeviceInfoSet(const DeviceInfoSet &) = delete;
    DeviceInfoSet &operator=(const DeviceInfoSet &) = delete;
    bool valid() const { return m_set != INVALID_HANDLE_VALUE; }
    HDEVINFO get() const { return m_set; }

private:
    HDEVINFO m_set;
};

// Closes handle if open; true when a close was performed, its result in ok.
bool closeHandle(HANDLE &handle, BOOL &ok)
{
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    ok = CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    return true;
}

void closeAll()
{
    LastErrorKeeper keep;
    BOOL ok = FALSE;
    BridgeState &s = bridge();
    closeHandle(s.readHandle, ok);
    closeHandle(s.writeHandle, ok);
}

HANDLE openPipe(const char *path, DWORD flags)
{
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, flags, nullptr);
}

// Owns an event handle.
class Event
{
public:
    Event() : m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event()
    {
        if (m_event != nullptr) {
            LastErrorKeeper keep;
            CloseHandle(m_event);
        }
    }
    Event(const Event &) = delete;
    Event &operator=(const Event &) = delete;
    HANDLE get() const { return m_event; }

private:
    HANDLE m_event;
};

int readTimeoutMs()
{
    LastErrorKeeper keep;
    char text[16] = {};
    const DWORD n = GetEnvironmentVariableA(devbridge::ReadTimeoutVariable, text, sizeof text);
    return devbridge::readTimeoutFromText(n > 0 && n < sizeof text ? text : nullptr);
}

int32_t initBridge()
{
    BridgeState &s = bridge();
    // A transfer whose open failed half-way leaves its read pipe open and is
    // not closed by the caller; release it here instead of leaking it.
    closeAll();
    s.readPath[0] = '\0';
    s.writePath[0] = '\0';

    DeviceInfoSet set(SetupDiGetClassDevsA(&DeviceInterfaceClass, nullptr, nullptr,
                                           DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set.valid())
        return 0;

    SP_DEVICE_INTERFACE_DATA interfaceData{};
    interfaceData.cbSize = sizeof(interfaceData); // 28 in a 32-bit build, 32 in a 64-bit one
    if (!SetupDiEnumDeviceInterfaces(set.get(), nullptr, &DeviceInterfaceClass, 0, &interfaceData))
        return 0;

    DWORD required = 0;
    SetupDiGetDeviceInterfaceDetailA(set.get(), &interfaceData, nullptr, 0, &required, nullptr);
    constexpr DWORD pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    if (required <= pathOffset)
        return 0;
    std::unique_ptr<unsigned char[]> storage(new (std::nothrow) unsigned char[required]);
    if (!storage)
        return 0;
    auto *detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A *>(storage.get());
    // The fixed part of the record: 5 in a 32-bit build, 8 in a 64-bit one.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(set.get(), &interfaceData, detail, required, nullptr,
                                          nullptr))
        return 0;

    // The path lies within the buffer even if the system did not end it.
    const size_t pathRoom = required - pathOffset;
    if (!devbridge::buildPipePath(s.readPath, sizeof(s.readPath), detail->DevicePath, pathRoom,
                                  PathSeparator, devbridge::ReadPipeName)
        || !devbridge::buildPipePath(s.writePath, sizeof(s.writePath), detail->DevicePath,
                                     pathRoom, PathSeparator, devbridge::WritePipeName)) {
        s.readPath[0] = '\0';
        s.writePath[0] = '\0';
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    return 1;
}

int32_t openPipes()
{
    BridgeState &s = bridge();
    closeAll(); // a second open must not leak the handles of the first
    if (s.readPath[0] == '\0' || s.writePath[0] == '\0') {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    s.readHandle = openPipe(s.readPath, FILE_FLAG_OVERLAPPED); // reads can time out
    if (s.readHandle == INVALID_HANDLE_VALUE)
        return 0;
    s.writeHandle = openPipe(s.writePath, 0);
    return s.writeHandle != INVALID_HANDLE_VALUE ? 1 : 0; // the read pipe stays open on failure
}

int32_t closePipes()
{
    BridgeState &s = bridge();
    BOOL ok = FALSE;
    bool closed = closeHandle(s.readHandle, ok);
    closed = closeHandle(s.writeHandle, ok) || closed;
    return closed ? int32_t(ok) : 0;
}

int32_t writePipe(uint8_t *buffer, int32_t count, int32_t *written)
{
    BridgeState &s = bridge();
    if (s.writeHandle == INVALID_HANDLE_VALUE)
        return 0;
    // A negative count would become a write of some 4 GB from the caller's buffer.
    if (count < 0 || (count > 0 && buffer == nullptr)) {
        if (written != nullptr)
            *written = 0;
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DWORD done = 0;
    const BOOL ok = WriteFile(s.writeHandle, buffer, DWORD(count), &done, nullptr);
    if (written != nullptr)
        *written = int32_t(done);
    return int32_t(ok);
}

int32_t readPipe(uint8_t *buffer, int32_t count, int32_t *delivered)
{
    BridgeState &s = bridge();
    if (s.readHandle == INVALID_HANDLE_VALUE)
        return 0;
    if (count < 0 || (count > 0 && buffer == nullptr)) {
        if (delivered != nullptr)
            *delivered = 0;
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Event event;
    if (event.get() == nullptr) {
        if (delivered != nullptr)
            *delivered = 0;
        return 0;
    }
    OVERLAPPED overlapped{};
    overlapped.hEvent = event.get();
    DWORD done = 0;
    BOOL ok = ReadFile(s.readHandle, buffer, DWORD(count), nullptr, &overlapped);
    if (ok) {
        ok = GetOverlappedResult(s.readHandle, &overlapped, &done, FALSE);
    } else if (GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(event.get(), DWORD(readTimeoutMs())) == WAIT_OBJECT_0) {
            ok = GetOverlappedResult(s.readHandle, &overlapped, &done, FALSE);
        } else {
            // Until the cancelled read has ended it may still write into the
            // buffer and the OVERLAPPED record, so it is waited for. Bytes it
            // took just before the cancel are delivered all the same.
            CancelIoEx(s.readHandle, &overlapped);
            ok = GetOverlappedResult(s.readHandle, &overlapped, &done, TRUE);
            if (!ok)
                SetLastError(ERROR_TIMEOUT);
        }
    }
    if (delivered != nullptr)
        *delivered = int32_t(done);
    return int32_t(ok);
}

} // namespace

#include "devbridge/entrypoints.h"
