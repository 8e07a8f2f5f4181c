#pragma once

// What the panel does around its operator lock: which of the lock's menu
// items are offered, when a lock opened for one command closes again, when
// the idle watch closes it, and the change of the passphrase as the
// questions it asks in turn. The passphrase and the locked state are
// OperatorLock's; the questions are put by the window.

#include <QString>

#include <functional>
#include <optional>

class OperatorLock;

class LockFlow
{
public:
    // Without a lock (none given) the panel offers none and is never locked.
    explicit LockFlow(OperatorLock *lock) : m_lock(lock) {}

    bool offered() const { return m_lock != nullptr; }
    bool locked() const;

    struct MenuState
    {
        bool lock = false;       // 操作をロック: open, with a passphrase set
        bool passphrase = false; // the passphrase and the idle time: open
    };
    MenuState menuState() const;

    // A command asked for across the lock opens it with the passphrase; one
    // the user then cancelled leaves the panel locked again.
    static bool relockAfter(bool wasLocked, bool done) { return wasLocked && !done; }
    // The idle watch closes the lock once its time is up, not while the
    // panel is being left nor while a question or a menu awaits an answer.
    bool idleRelockDue(bool left, bool answerAwaited) const;

    enum class Question { Current, New, Repeat };
    enum class Outcome { Cancelled, NotRepeated, WrongCurrent, Set, Removed, Unchanged };
    // The change of the passphrase: the current one when one is set, the
    // new one, and the new one again unless it is empty (which removes the
    // passphrase). `ask` returns nothing when the user cancels.
    Outcome changePassphrase(const std::function<std::optional<QString>(Question)> &ask);

private:
    OperatorLock *m_lock;
};
