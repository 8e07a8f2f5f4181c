#include "app/modeflow.h"

#include <utility>

bool ModeFlow::startOperate()
{
    if (m_state != State::MixerMode)
        return false;
    m_state = State::OperateStart;
    return true;
}

bool ModeFlow::operateStartDue(bool startupPollsDone, bool dataRead, bool jobWindowOpen) const
{
    return m_state == State::OperateStart && startupPollsDone && dataRead && !jobWindowOpen;
}

bool ModeFlow::finishOperateStart()
{
    if (m_state != State::OperateStart)
        return false;
    m_state = State::MixerMode;
    m_opening = Opening::Operating;
    return true;
}

ModeFlow::Step ModeFlow::ask(Opening opening, bool jobWindowOpen, bool dataReady)
{
    switch (m_state) {
    case State::Panel:
        return Step::None;
    case State::OperateStart:
        // The start opens the panel, operating, once the mixers are counted.
        return Step::Wait;
    case State::AwaitingJob:
        if (opening == Opening::Operating)
            m_opening = opening;
        return Step::None;
    case State::MixerMode:
    case State::AwaitingData:
        break;
    }
    if (opening == Opening::Operating)
        m_opening = opening;
    if (jobWindowOpen) {
        m_state = State::AwaitingJob;
        return Step::QueueChange;
    }
    if (!dataReady) {
        m_state = State::AwaitingData;
        return Step::Wait;
    }
    return open();
}

ModeFlow::Step ModeFlow::jobEnded(bool dataReady)
{
    if (m_state != State::AwaitingJob)
        return Step::None;
    if (!dataReady) {
        m_state = State::AwaitingData;
        return Step::Wait;
    }
    return open();
}

bool ModeFlow::dataArrived(bool dataRead, bool jobWindowOpen) const
{
    return m_state == State::AwaitingData && dataRead && !jobWindowOpen;
}

ModeFlow::Step ModeFlow::idle(bool relockDue, bool answerAwaited, bool jobWindowOpen, bool dataReady)
{
    if (m_state == State::Panel || !relockDue || answerAwaited || jobWindowOpen)
        return Step::None;
    return ask(Opening::Operating, jobWindowOpen, dataReady);
}

bool ModeFlow::panelClosed()
{
    if (m_state != State::Panel)
        return false;
    m_state = State::MixerMode;
    return true;
}

ModeFlow::Step ModeFlow::open()
{
    m_state = State::Panel;
    const Opening opening = std::exchange(m_opening, Opening::AsLeft);
    return opening == Opening::Operating ? Step::OpenOperating : Step::Open;
}
