#include "panel/speakingtimes.h"

#include <algorithm>
#include <limits>

void SpeakingTimes::submitted(ButtonRef seat, bool on)
{
    Seat &s = at(seat);
    s.awaiting = true;
    s.wantOn = on;
}

std::optional<SpeakingTimes::Speech> SpeakingTimes::verified(ButtonRef seat, double now)
{
    Seat &s = at(seat);
    if (!s.awaiting)
        return std::nullopt;
    s.awaiting = false;
    if (s.wantOn) {
        // Switched on again while already speaking: the time runs on.
        if (!s.since)
            s.since = now;
        return std::nullopt;
    }
    return drop(seat, now);
}

void SpeakingTimes::failed(ButtonRef seat)
{
    at(seat).awaiting = false;
}

std::optional<SpeakingTimes::Speech> SpeakingTimes::drop(ButtonRef seat, double now)
{
    Seat &s = at(seat);
    if (!s.since)
        return std::nullopt;
    const Speech speech{seat, *s.since, now};
    s.since.reset();
    return speech;
}

double SpeakingTimes::seconds(ButtonRef seat, double now) const
{
    const Seat &s = at(seat);
    return s.since ? std::max(0.0, now - *s.since) : 0.0;
}

std::vector<ButtonRef> SpeakingTimes::longestFirst(const std::vector<ButtonRef> &seats) const
{
    std::vector<ButtonRef> speaking = seats;
    auto start = [this](ButtonRef b) {
        return at(b).since.value_or(std::numeric_limits<double>::max());
    };
    std::stable_sort(speaking.begin(), speaking.end(),
                     [&](ButtonRef a, ButtonRef b) { return start(a) < start(b); });
    return speaking;
}
