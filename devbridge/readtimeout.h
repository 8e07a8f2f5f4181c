#pragma once

// How long a read waits for the device's first byte. A USB bulk read would
// wait for ever when the mixer does not answer; both builds give up after
// this time instead. DEVBRIDGE_READ_TIMEOUT_MS changes it.

#include <errno.h>
#include <stdlib.h>

namespace devbridge {

constexpr const char ReadTimeoutVariable[] = "DEVBRIDGE_READ_TIMEOUT_MS";
constexpr int DefaultReadTimeoutMs = 2000;
constexpr int MaxReadTimeoutMs = 600000;

// The value of the variable when it holds a whole number of milliseconds
// from 1 to MaxReadTimeoutMs, else DefaultReadTimeoutMs.
inline int readTimeoutFromText(const char *text)
{
    if (text == nullptr || *text == '\0')
        return DefaultReadTimeoutMs;
    char *end = nullptr;
    errno = 0;
    const long value = strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 1 || value > MaxReadTimeoutMs)
        return DefaultReadTimeoutMs;
    return int(value);
}

} // namespace devbridge
