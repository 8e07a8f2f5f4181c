#include "fakewin.h"

#include "setupapi.h"
#include "windows.h"

#include <algorithm>
#include <cstring>

namespace {

HDEVINFO const FakeSet = reinterpret_cast<HDEVINFO>(intptr_t(0x5e7));
// Handles are 1000 + index into the open list.
std::map<intptr_t, std::string> g_handles;
intptr_t g_nextHandle = 1000;
// Events are 500000 on; an event is set or not.
std::map<intptr_t, bool> g_events;
intptr_t g_nextEvent = 500000;
// The pending read: where its bytes go.
struct PendingRead
{
    HANDLE file = nullptr;
    void *buffer = nullptr;
    DWORD count = 0;
    OVERLAPPED *overlapped = nullptr;
};
PendingRead g_pending;

const std::string *pathOf(HANDLE handle)
{
    const auto it = g_handles.find(reinterpret_cast<intptr_t>(handle));
    return it == g_handles.end() ? nullptr : &it->second;
}

} // namespace

FakeWindows &FakeWindows::instance()
{
    static FakeWindows fake;
    return fake;
}

void FakeWindows::reset()
{
    *this = FakeWindows();
    g_handles.clear();
    g_events.clear();
    g_pending = PendingRead();
}

DWORD GetLastError() { return FakeWindows::instance().lastError; }
void SetLastError(DWORD error) { FakeWindows::instance().lastError = error; }

HANDLE CreateFileA(const char *path, DWORD access, DWORD share, void *security, DWORD disposition,
                   DWORD flags, HANDLE templateFile)
{
    FakeWindows &w = FakeWindows::instance();
    w.opened.emplace_back(path);
    if (access != (GENERIC_READ | GENERIC_WRITE) || share != (FILE_SHARE_READ | FILE_SHARE_WRITE)
        || security || disposition != OPEN_EXISTING || (flags & ~FILE_FLAG_OVERLAPPED) != 0 || templateFile)
        w.badOpenArguments.emplace_back(path);
    w.openFlags[path] = flags;
    if (!w.files.count(path)) {
        w.lastError = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    ++w.openHandles;
    g_handles[g_nextHandle] = path;
    return reinterpret_cast<HANDLE>(g_nextHandle++);
}

BOOL CloseHandle(HANDLE handle)
{
    FakeWindows &w = FakeWindows::instance();
    if (g_events.erase(reinterpret_cast<intptr_t>(handle))) {
        --w.liveEvents;
        return TRUE;
    }
    if (!g_handles.erase(reinterpret_cast<intptr_t>(handle)))
        return FALSE;
    --w.openHandles;
    return w.closeFails ? FALSE : TRUE;
}

BOOL WriteFile(HANDLE handle, const void *buffer, DWORD count, DWORD *written, void *)
{
    FakeWindows &w = FakeWindows::instance();
    ++w.fileCalls;
    const std::string *path = pathOf(handle);
    if (!path)
        return FALSE;
    w.written[*path].append(static_cast<const char *>(buffer), count);
    *written = count;
    return TRUE;
}

namespace {
DWORD take(const std::string &path, void *buffer, DWORD count)
{
    std::string &data = FakeWindows::instance().files[path];
    const size_t n = std::min<size_t>(count, data.size());
    memcpy(buffer, data.data(), n);
    data.erase(0, n);
    return DWORD(n);
}
} // namespace

BOOL ReadFile(HANDLE handle, void *buffer, DWORD count, DWORD *read, OVERLAPPED *overlapped)
{
    FakeWindows &w = FakeWindows::instance();
    ++w.fileCalls;
    const std::string *path = pathOf(handle);
    if (!path)
        return FALSE;
    const bool asynchronous = (w.openFlags[*path] & FILE_FLAG_OVERLAPPED) != 0;
    if (asynchronous != (overlapped != nullptr)) {
        w.lastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    const bool silent = w.files[*path].empty() && count > 0;
    if (!overlapped) {
        if (silent)
            ++w.readsBlockedForEver; // a real device read would never return
        *read = take(*path, buffer, count);
        return TRUE;
    }
    if (!silent) {
        overlapped->InternalHigh = take(*path, buffer, count);
        overlapped->Internal = 0;
        g_events[reinterpret_cast<intptr_t>(overlapped->hEvent)] = true;
        if (read)
            *read = DWORD(overlapped->InternalHigh);
        return TRUE;
    }
    ++w.pendingReads;
    g_pending = PendingRead{handle, buffer, count, overlapped};
    overlapped->Internal = ERROR_IO_PENDING;
    w.lastError = ERROR_IO_PENDING;
    return FALSE;
}

HANDLE CreateEventA(void *, BOOL, BOOL initialState, const char *)
{
    ++FakeWindows::instance().liveEvents;
    g_events[g_nextEvent] = initialState != FALSE;
    return reinterpret_cast<HANDLE>(g_nextEvent++);
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    FakeWindows &w = FakeWindows::instance();
    w.waits.push_back(milliseconds);
    if (g_pending.overlapped && g_pending.overlapped->hEvent == handle && !w.arriveWhileWaiting.empty()) {
        const std::string &path = *pathOf(g_pending.file);
        w.files[path] = w.arriveWhileWaiting;
        g_pending.overlapped->InternalHigh = take(path, g_pending.buffer, g_pending.count);
        g_pending.overlapped->Internal = 0;
        g_events[reinterpret_cast<intptr_t>(handle)] = true;
        g_pending = PendingRead();
        --w.pendingReads;
    }
    const auto it = g_events.find(reinterpret_cast<intptr_t>(handle));
    return it != g_events.end() && it->second ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL CancelIoEx(HANDLE file, OVERLAPPED *overlapped)
{
    FakeWindows &w = FakeWindows::instance();
    ++w.cancels;
    if (g_pending.file != file || g_pending.overlapped != overlapped)
        return FALSE;
    overlapped->Internal = ERROR_OPERATION_ABORTED;
    overlapped->InternalHigh = 0;
    g_events[reinterpret_cast<intptr_t>(overlapped->hEvent)] = true;
    g_pending = PendingRead();
    --w.pendingReads;
    return TRUE;
}

BOOL GetOverlappedResult(HANDLE, OVERLAPPED *overlapped, DWORD *transferred, BOOL wait)
{
    FakeWindows &w = FakeWindows::instance();
    if (overlapped->Internal == ERROR_IO_PENDING) {
        // Waiting here for a read nobody cancels would never end.
        if (wait)
            ++w.readsBlockedForEver;
        w.lastError = ERROR_IO_PENDING;
        return FALSE;
    }
    *transferred = DWORD(overlapped->InternalHigh);
    if (overlapped->Internal != 0) {
        w.lastError = DWORD(overlapped->Internal);
        return FALSE;
    }
    return TRUE;
}

DWORD GetEnvironmentVariableA(const char *name, char *buffer, DWORD size)
{
    FakeWindows &w = FakeWindows::instance();
    const auto it = w.environment.find(name);
    if (it == w.environment.end()) {
        w.lastError = ERROR_ENVVAR_NOT_FOUND;
        return 0;
    }
    if (it->second.size() + 1 > size)
        return DWORD(it->second.size() + 1);
    memcpy(buffer, it->second.c_str(), it->second.size() + 1);
    return DWORD(it->second.size());
}

HDEVINFO SetupDiGetClassDevsA(const GUID *, const char *enumerator, void *window, DWORD flags)
{
    FakeWindows &w = FakeWindows::instance();
    if (w.classDevsFails || enumerator || window || flags != (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE))
        return INVALID_HANDLE_VALUE;
    ++w.liveSets;
    return FakeSet;
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA *, const GUID *, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA *data)
{
    FakeWindows &w = FakeWindows::instance();
    if (set != FakeSet || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)
        || index >= w.interfaces.size()) {
        w.lastError = ERROR_NO_MORE_ITEMS;
        return FALSE;
    }
    data->Reserved = index;
    return TRUE;
}

BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA *data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A *detail, DWORD detailSize,
                                      DWORD *requiredSize, SP_DEVINFO_DATA *)
{
    FakeWindows &w = FakeWindows::instance();
    if (set != FakeSet)
        return FALSE;
    const std::string &path = w.interfaces.at(data->Reserved);
    const DWORD required = DWORD(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1);
    if (requiredSize)
        *requiredSize = required;
    if (!detail || detailSize < required) {
        w.lastError = ERROR_INSUFFICIENT_BUFFER;
        return FALSE;
    }
    if (w.detailFails || detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
        w.lastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
    return TRUE;
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set)
{
    FakeWindows &w = FakeWindows::instance();
    if (set != FakeSet)
        return FALSE;
    --w.liveSets;
    w.lastError = 0; // as a successful call may, clobbering the caller's error
    return TRUE;
}
