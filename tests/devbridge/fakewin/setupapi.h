#pragma once

#include "windows.h"

typedef void *HDEVINFO;

constexpr DWORD DIGCF_PRESENT = 0x2;
constexpr DWORD DIGCF_DEVICEINTERFACE = 0x10;

struct SP_DEVICE_INTERFACE_DATA
{
    DWORD cbSize;
    GUID InterfaceClassGuid;
    DWORD Flags;
    ULONG_PTR Reserved;
};

struct SP_DEVICE_INTERFACE_DETAIL_DATA_A
{
    DWORD cbSize;
    CHAR DevicePath[1];
};

struct SP_DEVINFO_DATA;

HDEVINFO SetupDiGetClassDevsA(const GUID *classGuid, const char *enumerator, void *window, DWORD flags);
BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, SP_DEVINFO_DATA *device, const GUID *classGuid,
                                 DWORD index, SP_DEVICE_INTERFACE_DATA *data);
BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA *data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A *detail, DWORD detailSize,
                                      DWORD *requiredSize, SP_DEVINFO_DATA *device);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set);
