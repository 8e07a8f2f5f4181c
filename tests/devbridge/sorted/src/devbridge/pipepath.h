#pragma once

// Pipe paths are "<device path><separator><pipe name>" in fixed buffers. A
// device path too long for its buffer is refused rather than truncated: a
// truncated path would name some other file, or none.

#include <stddef.h>
#include <string.h>

namespace devbridge {

constexpr size_t PipePathSize = 256;           // bytes, terminating NUL included
constexpr const char ReadPipeName[] = "PIPE01";  // data from the mixer
constexpr const char WritePipeName[] = "PIPE00"; // data to the mixer

// Writes device[0..deviceLength) + separator + pipe into out (outSize bytes,
// NUL-terminated). On refusal out holds the empty string and false is returned.
// A NUL inside the first deviceLength bytes ends the device path there.
inline bool buildPipePath(char *out, size_t outSize, const char *device, size_t deviceLength,
                          char separator, const char *pipe)
{
    if (out == nullptr || outSize == 0)
        return false;
    out[0] = '\0';
    if (device == nullptr || pipe == nullptr)
        return false;
    const void *nul = memchr(device, '\0', deviceLength);
    const size_t deviceLen = nul ? static_cast<size_t>(static_cast<const char *>(nul) - device)
                                 : deviceLength;
    const size_t pipeLen = strlen(pipe);
    if (deviceLen == 0 || deviceLen + 1 + pipeLen + 1 > outSize)
        return false;
    memcpy(out, device, deviceLen);
    out[deviceLen] = separator;
    memcpy(out + deviceLen + 1, pipe, pipeLen);
    out[deviceLen + 1 + pipeLen] = '\0';
    return true;
}

} // namespace devbridge
