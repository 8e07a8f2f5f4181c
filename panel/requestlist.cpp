#include "panel/requestlist.h"

#include <algorithm>

MeetingRefusal RequestList::add(ButtonRef seat, double now)
{
    if (contains(seat))
        return MeetingRefusal::AlreadyRequested;
    if (int(m_requests.size()) >= MaxRequests)
        return MeetingRefusal::RequestsFull;
    m_requests.push_back({seat, now});
    return MeetingRefusal::None;
}

bool RequestList::withdraw(ButtonRef seat)
{
    const auto it = std::find_if(m_requests.begin(), m_requests.end(),
                                 [seat](const Request &r) { return r.seat == seat; });
    if (it == m_requests.end())
        return false;
    m_requests.erase(it);
    return true;
}

std::optional<RequestList::Request> RequestList::takeFirst()
{
    if (m_requests.empty())
        return std::nullopt;
    const Request first = m_requests.front();
    m_requests.erase(m_requests.begin());
    return first;
}

bool RequestList::contains(ButtonRef seat) const
{
    return std::any_of(m_requests.begin(), m_requests.end(), [seat](const Request &r) { return r.seat == seat; });
}
