#pragma once

// One running program per user. The first start holds the instance lock
// (base/instancelock.h) and listens on a local socket beside it; a second
// start finds the lock taken, asks the first over that socket to bring its
// window forward, and ends saying so.

#include "base/instancelock.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

class RunningInstance : public QObject
{
public:
    enum class Outcome {
        First,     // this is the one that runs
        Raised,    // another runs and brought its window forward
        NoAnswer,  // another runs but did not answer
        LockFailed // the lock file could not be made at all
    };

    // `lockName` in the per-user runtime folder; the socket is named after it.
    explicit RunningInstance(const QString &lockName = InstanceLock::defaultName());
    ~RunningInstance() override;

    // Takes the lock, or asks the program that holds it to come forward
    // (waiting at most `answerMs` for its answer).
    Outcome claim(int answerMs = 5000);
    // The process that holds the lock, once claim() found one.
    qint64 holder() const { return m_holder; }
    QString lockPath() const { return m_lock ? m_lock->path() : QString(); }

    // What the first program does when a second start asks: brings its
    // window forward. Answered after it has run.
    std::function<void()> raise;

private:
    bool listen();
    void answer();
    QString socketPath() const;

    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    qint64 m_holder = 0;
};
