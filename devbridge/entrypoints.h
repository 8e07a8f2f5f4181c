#pragma once

// The five exported functions, the same on every system: each calls the
// system's own step (initBridge, openPipes, closePipes, writePipe, readPipe,
// defined by the file that includes this one, before it) and lets nothing
// thrown cross the C interface. Included once, at the end of that file.

#include "devbridge/devbridge.h"

#include <cstdint>

namespace devbridge_detail {
template <typename F>
int32_t guarded(F f) noexcept
{
    try {
        return f();
    } catch (...) {
        return 0;
    }
}
} // namespace devbridge_detail

extern "C" {

DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Init(void)
{
    return devbridge_detail::guarded([] { return initBridge(); });
}

DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Open(void)
{
    return devbridge_detail::guarded([] { return openPipes(); });
}

DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Close(void)
{
    return devbridge_detail::guarded([] { return closePipes(); });
}

DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Write(uint8_t *buffer, int32_t count, int32_t *written)
{
    return devbridge_detail::guarded([&] { return writePipe(buffer, count, written); });
}

DEVBRIDGE_EXPORT int32_t DEVBRIDGE_CALL USBDrv_Read(uint8_t *buffer, int32_t count, int32_t *read)
{
    return devbridge_detail::guarded([&] { return readPipe(buffer, count, read); });
}

} // extern "C"
