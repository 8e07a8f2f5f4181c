#pragma once

// What the remote interface tells about the system, as JSON: the status of
// the link and of every linked mixer's channels, the panel's buttons, and
// the events between two moments. Built from a snapshot, so the events are
// simply the differences between the last snapshot sent and the next.

#include "remote/remotesync.h"
#include "settings/panelmodel.h"

#include <QJsonArray>
#include <QJsonObject>

#include <array>
#include <vector>

struct LinkState;
struct RemoteHost;

struct ChannelSnapshot
{
    bool on = false;        // what the program wants the mixer to hold
    bool reported = false;  // what the mixer last reported
    RemoteValueState sync = RemoteValueState::Settled;
    bool operator==(const ChannelSnapshot &o) const
    {
        return on == o.on && reported == o.reported && sync == o.sync;
    }
};

struct RemoteSnapshot
{
    QString linkKind;           // "rs232c", "usb", "offline", "ethernet", "virtual"
    bool connected = false;     // the connection is up and at least one mixer answers
    bool panelOpen = false;
    bool executing = false;     // the panel is in its execution state
    int mixerCount = 0;
    QString file;               // the settings file's name, without its folder
    QString blocked;            // the modal window holding the program ("message", "dialog"), or empty
    // The meeting's seats, requests and rules without the times, which run
    // by themselves (empty without a panel window).
    QJsonObject meeting;
    std::array<qint16, MixerSlots> model{};
    std::array<std::array<ChannelSnapshot, ChannelCount>, MixerSlots> channels{};

    static RemoteSnapshot take(const MixerState &mixers, const LinkState &link, const RemoteSyncView &sync,
                               bool panelOpen, bool executing);
};

// The system as the remote fronts see it now.
RemoteSnapshot snapshotOf(const RemoteHost &host, const RemoteSyncView &sync);

// A channel is on when its RemoteOn is 1 and its RemoteOff 0.
bool channelOn(const MixerDataRecord &record, int channel);

QJsonObject statusJson(const RemoteSnapshot &s);
// The buttons of the first `mixers` panel mixers as the execution state shows
// them, and the window colour. Colours are "#RRGGBB"; geometry in twips.
QJsonObject panelJson(const PanelState &panel, int mixers, bool executing);
// One object per change from `before` to `after`, in the order: link, mixer
// count, panel state, a modal window, channels, the meeting (the whole of
// GET /api/v1/meeting with the times of the moment).
std::vector<QJsonObject> eventsBetween(const RemoteSnapshot &before, const RemoteSnapshot &after,
                                       const QJsonObject &meetingNow = {});

// 0x00BBGGRR as "#RRGGBB".
QString cssColor(qint32 bgr);
