#pragma once

// devbridge: byte-level access to the mixer's USB device for the main program.
//
// The program loads this library by name at run time and binds the five
// functions below by name; it never links against it. Each transfer is
//     USBDrv_Init, USBDrv_Open, one USBDrv_Write or USBDrv_Read, USBDrv_Close.
// Results are 1 (or non-zero) for success and 0 for failure; the library
// knows nothing of the message protocol (the caller adds the 0x55 0xAA trailer).
//
// State is library-global (one device at a time) and not thread-safe: one
// caller thread.

#include <stdint.h>

#if defined(_WIN32)
#  define DEVBRIDGE_CALL __stdcall
#  define DEVBRIDGE_EXPORT  // exported through devbridge.def, undecorated
#else
#  define DEVBRIDGE_CALL
#  define DEVBRIDGE_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Finds the first present device interface and builds its two pipe paths.
// Releases pipes a previous transfer left open.
DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Init(void);
// Opens the read pipe ("PIPE01", from the mixer), then the write pipe
// ("PIPE00", to the mixer). Non-zero only when both are open.
DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Open(void);
// Closes whatever is open; the result of the last close, 0 if nothing was open.
DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Close(void);
// Writes `count` bytes; `written` receives the bytes written. 0 when the write
// pipe is not open (then `written` is left untouched) or the write failed.
DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Write(uint8_t *buffer, int32_t count, int32_t *written);
// Reads at most `count` bytes; `read` receives the bytes read. 0 when the read
// pipe is not open (then `read` is left untouched) or the read failed.
DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Read(uint8_t *buffer, int32_t count, int32_t *read);

#ifdef __cplusplus
}
#endif
