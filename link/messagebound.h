#pragma once

// How long a message the link receivers reassemble may grow. Replies and
// ordinary requests are small; a firmware data block (command L) carries a
// whole image and may fill the PC's send buffer. Only the mixer's end takes
// such blocks, so a receiver accepts them only when it is told to, and then
// only for messages that start with the block's letter: every other message
// keeps the ordinary bound.

#include "link/linkstate.h"

#include <QtGlobal>

struct MessageBound
{
    static constexpr int Ordinary = 65536;
    static constexpr quint8 FirmwareBlockLetter = 'L';

    int ordinary = Ordinary;
    quint8 largeLead = 0;      // first byte of the messages that may grow larger; 0: none
    int large = Ordinary;

    // The bound of the PC's receivers: replies only.
    static constexpr MessageBound replies() { return MessageBound{}; }
    // The bound of the mixer's end: firmware blocks up to the PC's send buffer.
    static constexpr MessageBound mixerEnd()
    {
        return MessageBound{Ordinary, FirmwareBlockLetter, SendBufferSize};
    }

    // The largest message of any kind.
    constexpr int largest() const { return largeLead && large > ordinary ? large : ordinary; }
    // The bound of a message whose first byte is `lead`.
    constexpr int limitFor(quint8 lead) const
    {
        return largeLead && lead == largeLead ? largest() : ordinary;
    }
};
