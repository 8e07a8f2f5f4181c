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
}

DWORD GetLastError() { return FakeWindows::instance().lastError; }
void SetLastError(DWORD error) { FakeWindows::instance().lastError = error; }

HANDLE CreateFileA(const char *path, DWORD access, DWORD share, void *security, DWORD disposition,
                   DWORD flags, HANDLE templateFile)
{
    FakeWindows &w = FakeWindows::instance();
    w.opened.emplace_back(path);
    if (access != (GENERIC_READ | GENERIC_WRITE) || share != (FILE_SHARE_READ | FILE_SHARE_WRITE)
        || security || disposition != OPEN_EXISTING || flags != 0 || templateFile)
        w.badOpenArguments.emplace_back(path);
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

BOOL ReadFile(HANDLE handle, void *buffer, DWORD count, DWORD *read, void *)
{
    FakeWindows &w = FakeWindows::instance();
    ++w.fileCalls;
    const std::string *path = pathOf(handle);
    if (!path)
        return FALSE;
    std::string &data = w.files[*path];
    const size_t n = std::min<size_t>(count, data.size());
    memcpy(buffer, data.data(), n);
    data.erase(0, n);
    *read = DWORD(n);
    return TRUE;
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
