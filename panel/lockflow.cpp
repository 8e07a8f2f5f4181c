#include "panel/lockflow.h"

#include "panel/operatorlock.h"

bool LockFlow::locked() const
{
    return m_lock && m_lock->locked();
}

LockFlow::MenuState LockFlow::menuState() const
{
    if (!m_lock)
        return {};
    return {!locked() && m_lock->hasPassphrase(), !locked()};
}

bool LockFlow::idleRelockDue(bool left, bool answerAwaited) const
{
    return !left && m_lock && m_lock->relockDue() && !answerAwaited;
}

LockFlow::Outcome LockFlow::changePassphrase(const std::function<std::optional<QString>(Question)> &ask)
{
    QString current;
    if (m_lock->hasPassphrase()) {
        const std::optional<QString> given = ask(Question::Current);
        if (!given)
            return Outcome::Cancelled;
        current = *given;
    }
    const std::optional<QString> next = ask(Question::New);
    if (!next)
        return Outcome::Cancelled;
    if (!next->isEmpty()) {
        const std::optional<QString> again = ask(Question::Repeat);
        if (!again)
            return Outcome::Cancelled;
        if (*again != *next)
            return Outcome::NotRepeated;
    }
    switch (m_lock->change(current, *next)) {
    case OperatorLock::Change::WrongCurrent: return Outcome::WrongCurrent;
    case OperatorLock::Change::Set: return Outcome::Set;
    case OperatorLock::Change::Removed: return Outcome::Removed;
    case OperatorLock::Change::Unchanged: break;
    }
    return Outcome::Unchanged;
}
