#include "mixer/syncfollower.h"

#include <utility>

SyncFollower::SyncFollower(SyncEvents &events, int mixer, std::function<void()> follow, QObject *parent)
    : QObject(parent), m_mixer(mixer), m_follow(std::move(follow))
{
    connect(&events, &SyncEvents::dataArrived, this, &SyncFollower::soon);
    connect(&events, &SyncEvents::thresholdsArrived, this, &SyncFollower::soon);
    connect(&events, &SyncEvents::valuesSubmitted, this, &SyncFollower::soon);
    connect(&events, &SyncEvents::valueStateChanged, this, [this](int mixer, int) { soon(mixer); });
}

void SyncFollower::soon(int mixer)
{
    // Never inside the edit, poll or write run that told of it: a window's
    // refresh selects buttons, and their clicks store values. A burst of
    // news (a run announcing every waiting value) makes one call.
    if (mixer != m_mixer || !m_started || m_due)
        return;
    m_due = true;
    QMetaObject::invokeMethod(this, [this] {
        m_due = false;
        m_follow();
    }, Qt::QueuedConnection);
}
