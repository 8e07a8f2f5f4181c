#pragma once

// The requests to speak, in the order they were made, each with the Clock
// time it was made at. At most 64 wait; a seat waits at most once.

#include "panel/meetingrules.h"
#include "panel/paneldesign.h"

#include <optional>
#include <vector>

class RequestList
{
public:
    static constexpr int MaxRequests = 64;

    struct Request
    {
        ButtonRef seat;
        double since = 0; // Clock time
    };

    // None when it was added; why not otherwise (AlreadyRequested, RequestsFull).
    MeetingRefusal add(ButtonRef seat, double now);
    // False when the seat was not waiting.
    bool withdraw(ButtonRef seat);
    // The first request leaves the list.
    std::optional<Request> takeFirst();
    bool contains(ButtonRef seat) const;
    void clear() { m_requests.clear(); }

    const std::vector<Request> &requests() const { return m_requests; }
    bool empty() const { return m_requests.empty(); }

private:
    std::vector<Request> m_requests;
};
