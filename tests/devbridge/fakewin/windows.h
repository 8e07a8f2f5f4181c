#pragma once

// The few Win32 declarations devbridge_win.cpp uses, backed by the scripted
// fake in fakewin.cpp so that its logic runs in a Linux test.

#include <cstddef>
#include <cstdint>

#define __stdcall
#define TRUE 1
#define FALSE 0

typedef int BOOL;
typedef uint32_t DWORD;
typedef char CHAR;
typedef uintptr_t ULONG_PTR;
typedef void *HANDLE;

struct OVERLAPPED
{
    ULONG_PTR Internal;
    ULONG_PTR InternalHigh;
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(intptr_t(-1)))

struct GUID
{
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000u;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;

constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
constexpr DWORD ERROR_OPERATION_ABORTED = 995;
constexpr DWORD ERROR_IO_PENDING = 997;
constexpr DWORD ERROR_TIMEOUT = 1460;
constexpr DWORD ERROR_ENVVAR_NOT_FOUND = 203;

DWORD GetLastError();
void SetLastError(DWORD error);
HANDLE CreateFileA(const char *path, DWORD access, DWORD share, void *security, DWORD disposition,
                   DWORD flags, HANDLE templateFile);
BOOL CloseHandle(HANDLE handle);
BOOL WriteFile(HANDLE handle, const void *buffer, DWORD count, DWORD *written, void *overlapped);
BOOL ReadFile(HANDLE handle, void *buffer, DWORD count, DWORD *read, OVERLAPPED *overlapped);
HANDLE CreateEventA(void *security, BOOL manualReset, BOOL initialState, const char *name);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL CancelIoEx(HANDLE file, OVERLAPPED *overlapped);
BOOL GetOverlappedResult(HANDLE file, OVERLAPPED *overlapped, DWORD *transferred, BOOL wait);
DWORD GetEnvironmentVariableA(const char *name, char *buffer, DWORD size);
