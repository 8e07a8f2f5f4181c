#pragma once

// When each seat began to speak: the Clock time the mixer was verified
// holding its switch on. A switch on counts from its verification, not from
// the press; a switch off that is verified ends the speech, and what it
// ended is handed back for the record.

#include "panel/paneldesign.h"

#include <array>
#include <optional>
#include <vector>

class SpeakingTimes
{
public:
    // A speech that ended: Clock times of the two verifications.
    struct Speech
    {
        ButtonRef seat;
        double from = 0;
        double to = 0;
    };

    // A switch of the seat went out; it awaits its verification.
    void submitted(ButtonRef seat, bool on);
    // The seat's switch was verified at `now`: a switch on starts the time,
    // a switch off ends the speech and returns it.
    std::optional<Speech> verified(ButtonRef seat, double now);
    // The seat's switch failed: nothing starts or ends.
    void failed(ButtonRef seat);
    // The seat leaves the console's count (the execution state ends): a
    // running speech ends at `now`.
    std::optional<Speech> drop(ButtonRef seat, double now);

    bool awaiting(ButtonRef seat) const { return at(seat).awaiting; }
    bool awaitingOn(ButtonRef seat) const { return at(seat).awaiting && at(seat).wantOn; }
    std::optional<double> since(ButtonRef seat) const { return at(seat).since; }
    // The running time (0 unless verified on).
    double seconds(ButtonRef seat, double now) const;
    // `seats` longest speaking first; a seat not verified on counts as the
    // newest.
    std::vector<ButtonRef> longestFirst(const std::vector<ButtonRef> &seats) const;

private:
    struct Seat
    {
        bool awaiting = false;
        bool wantOn = false;
        std::optional<double> since;
    };
    Seat &at(ButtonRef seat) { return m_seats.at(size_t(seat.mixer)).at(size_t(seat.slot)); }
    const Seat &at(ButtonRef seat) const { return m_seats.at(size_t(seat.mixer)).at(size_t(seat.slot)); }

    std::array<std::array<Seat, Panel::ChannelSlots>, Panel::MaxMixers> m_seats{};
};
