#pragma once

// Lets a window follow one mixer's values through SyncEvents instead of a
// timer that looks for fresh data: after the mixer's data or thresholds
// arrived, values of it were submitted or one of them changed state, it
// calls the window back once, on the next turn of the event loop. Owns only
// that call; what the window shows, and whether the data is fresh enough to
// show, stays the window's.

#include "mixer/syncstatus.h"

#include <QObject>

#include <functional>

class SyncFollower : public QObject
{
public:
    SyncFollower(SyncEvents &events, int mixer, std::function<void()> follow, QObject *parent);

    // Nothing is followed before: a window shows what it opened on first.
    void start() { m_started = true; }
    bool started() const { return m_started; }

private:
    void soon(int mixer);

    int m_mixer;
    std::function<void()> m_follow;
    bool m_started = false;
    bool m_due = false; // the call is queued
};
