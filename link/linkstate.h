#pragma once

// Shared state of the mixer link: the link kind and the reply time base
// (the message buffers are MdlComm's own). One instance lives in the application's world and is
// passed by reference to everything that talks to the mixers.

#include <QtGlobal>

#include <array>
#include <vector>

// Whether a link that keeps a connection (Ethernet) still has it. The other
// links have no connection to lose and are always Up.
enum class LinkHealth {
    Up,
    Lost,         // the connection went away and nothing brings it back
    Reconnecting, // it went away; the transport is trying to get it back
};

enum class LinkKind : qint16 {
    Rs232c = 0,
    Usb = 1,
    Offline = 2,
    Ethernet = 3,
};

constexpr int SendBufferSize = 262209;   // room for a firmware data block
constexpr int ReceiveBufferSize = 2065;  // one reply, trailer included
constexpr int UsbReadLimit = 2064;       // bytes one USB read may deliver

// RS-232C reply time per mixer slot, counting one slot more than the linked
// mixers: an all-mixer data reply carries 84 bytes a mixer, an all-mixer
// threshold reply two.
constexpr double SerialDataSlotSeconds = 0.08;
constexpr double SerialThresholdSlotSeconds = 0.1;

// The poll unit: the shortest spacing of status polls, and the base of reply
// time-outs, on a freshly opened link (seconds).
constexpr double PollUnitSeconds = 0.4;
// The TCP port on which a mixer takes commands.
constexpr quint16 MixerTcpPort = 1001;

// Values CommOpen sets every time before the link opens; the transports read them.
struct LinkTuning
{
    int serialSpeed = 19200;
    int gapTimeoutMs = 100;   // serial inter-byte gap watchdog
    int ackWaitMs = 500;      // serial acknowledge wait, Ethernet send completion
    int blockRetries = 2;     // so up to three sends of a serial block
    bool sendAbort = false;   // set by CommDrain; a waiting serial send gives up
};

struct LinkState
{
    LinkKind linkKind = LinkKind::Rs232c;
    // Minimum spacing of status polls and base of reply time-outs (seconds);
    // the standard reply time-out is twice this.
    double ReplyTimeUnit = PollUnitSeconds;
    // Mixers the last all-mixer reply on this link counted; 0 until one has
    // (set again by every open). Before that, a wait for the data of all
    // mixers cannot know how long their reply is.
    int countedMixers = 0;
    LinkTuning tuning;
    // Set by CommClose, cleared by CommOpen. While set (the program is
    // ending), every wait on the link ends at once and reports nothing.
    bool closed = false;
    // The connection as the open link last reported it (set by MdlComm).
    // While it is down nothing can reach the mixers, and what the records
    // say of them is what they held before.
    LinkHealth health = LinkHealth::Up;
    // Times the connection came back since the link opened: what was read
    // from the mixers before the last of them may no longer hold.
    int reconnects = 0;

    bool offline() const { return linkKind == LinkKind::Offline; }
    bool down() const { return health != LinkHealth::Up; }
    double replyTimeout() const { return 2.0 * ReplyTimeUnit; }
};
