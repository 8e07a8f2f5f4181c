#pragma once

// How a control shows whether its value reached the mixer: a mark with a
// shape of its own as well as a colour (… waiting, ○ verified, × failed), and
// words for its tooltip and for assistive technology saying what was
// written, when, and how it ended. A failed mark stays until a later write
// of the value is verified or the user takes the mixer's value.

#include "mixer/syncstatus.h"

#include <QColor>
#include <QString>

class TimeOfDay;

struct ValueMark
{
    ValueState state = ValueState::Settled;
    QString glyph;   // empty: no mark
    QColor color;
    QString words;   // the tooltip

    bool shown() const { return !glyph.isEmpty(); }
};

// `what` names the value ("ch 3 ﾁｬﾝﾈﾙﾚﾍﾞﾙ"), `shown` is the value as the
// control shows it, `when` the time of day its state changed.
ValueMark valueMark(const ValueStatus &status, const QString &what, const QString &shown, const QString &when);

// "HH:mm:ss" of the moment `status` last changed, on the program's clock: a
// value still waiting (or never settled) takes the time it is shown, which is
// the moment it began to wait. Without `time`, the wall clock's time of day.
QString markTime(const ValueStatus &status, const TimeOfDay *time);
