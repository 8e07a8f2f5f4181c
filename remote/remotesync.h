#pragma once

// The remote server's view of synchronisation: for each channel switch the
// program wants a mixer to hold, whether it is settled, waiting to be
// written, verified by a read-back, or failed when the passes ran out. It
// reads the link's SyncStatus (made anew for every connection, so attached
// each time) and tells the server when a switch value changed state.

#include "mixer/mixerdata.h"
#include "mixer/syncstatus.h"

#include <QObject>
#include <QPointer>

using RemoteValueState = ValueState;

class RemoteSyncView : public QObject
{
    Q_OBJECT

public:
    explicit RemoteSyncView(QObject *parent = nullptr) : QObject(parent) {}

    // The link's synchronisation from now on (nullptr: no link, all settled).
    void attach(SyncStatus *status);

    RemoteValueState state(int mixer, int id) const;
    // A channel's remote switch, its two values together (switchState).
    RemoteValueState channelState(int mixer, int channel) const;
    // The connection is up and the mixers were read since it last came up
    // (false without a link).
    bool mixersCurrent() const;

signals:
    void changed();

private:
    SyncStatus *m_status = nullptr;
    QPointer<SyncEvents> m_events; // gone with the link's synchronisation
};

const char *stateName(RemoteValueState state);
