#pragma once

// Re-establishing a lost TCP connection to the mixer. The program never does
// it unless the user asked for it (ZK-VR340a.ini, IP_Setting/Reconnect=1, or
// the file menu's check item): a connection that went away is otherwise
// reported once and stays lost.

#include <algorithm>

struct ReconnectPolicy
{
    bool enabled = false;
    double firstDelay = 1.0;    // seconds from the loss to the first attempt
    double maxDelay = 30.0;     // each failed attempt doubles the wait, up to this
    double attemptLimit = 10.0; // an attempt neither connected nor refused by then is given up

    // Seconds before attempt n (1, 2, ...): 1, 2, 4, 8, 16, 30, 30, ...
    double delayBefore(int attempt) const
    {
        double d = firstDelay;
        for (int i = 1; i < attempt && d < maxDelay; ++i)
            d *= 2;
        return std::min(d, maxDelay);
    }
};
