#pragma once

// What the line protocol says, as lines: the answer to a switch, the status,
// a seat's state and the unasked events, built from the same snapshots and
// outcomes as the page's interface, so that both tell the same.

#include "remote/remotejson.h"
#include "remote/remoteswitches.h"

#include <QByteArray>
#include <QList>

// "OK MIC 1 3 ON" or "ERR 409 superseded" (no line end).
QByteArray switchLine(const SwitchOutcome &outcome, int mixer, int channel, bool on);
// "ERR <code> <words>".
QByteArray errorLine(int code, const QByteArray &words);
// "OK STATUS LINK=UP MIXERS=2 PANEL=EXECUTING BLOCKED=NONE ON=1/3,2/5".
QByteArray statusLine(const RemoteSnapshot &s);
// The EVT lines of the changes from `before` to `after`: the link lost or
// back, the mixer count, the panel, a modal window, and each seat whose
// switch was verified (or failed) in the mixer, and each request to speak
// added ("EVT REQUEST 1 3").
QList<QByteArray> eventLines(const RemoteSnapshot &before, const RemoteSnapshot &after);
