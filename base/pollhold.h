#pragma once

// Holding the status poll. A window whose exchanges must not be interleaved
// with status requests (direct memory access, the mixer's network settings)
// holds the poll while it is open; the job loop polls again once no hold is
// left. PollHold is the hold of one window: it ends with the object.

class PollHolds
{
public:
    void hold() { ++m_holds; }
    void release()
    {
        if (m_holds > 0)
            --m_holds;
    }
    bool held() const { return m_holds > 0; }

private:
    int m_holds = 0;
};

class PollHold
{
public:
    explicit PollHold(PollHolds &holds) : m_holds(&holds) { holds.hold(); }
    ~PollHold()
    {
        if (m_holds)
            m_holds->release();
    }
    PollHold(const PollHold &) = delete;
    PollHold &operator=(const PollHold &) = delete;

private:
    PollHolds *m_holds;
};
