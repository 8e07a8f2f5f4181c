#pragma once

// A channel switch asked from afar, from the page's interface or a room
// controller's line, and its outcome. A switch is a press on the panel's
// button in the execution state (RemoteHost::press), so a remote switch
// takes exactly the road of a click; it is answered once the value's state
// says how it went: verified by a read-back, failed after the passes, or
// past its deadline. Each front words the outcome its own way.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class RemoteSyncView;
struct RemoteHost;

// Why a switch was refused or how it ended; the wire words in one place
// (switchErrorWord).
enum class SwitchError {
    None,          // 200: the mixer holds it
    NotLinked,     // 404: no such mixer or channel on the link
    NoWriteAccess, // 403: the mixers refused this program's writes
    NotExecuting,  // 409: the panel is not in its execution state
    NoButton,      // 409: the panel has no button for the channel
    Limit,         // 409: the meeting's microphone limit refused it (拒否)
    Superseded,    // 409: switched the other way before it settled
    Blocked,       // 503: a modal window holds the job loop
    LinkDown,      // 503
    Stopped,       // 503: the server stopped while it waited
    NotVerified,   // 504: the passes ran out
    Timeout,       // 504: not settled before its deadline
};

struct SwitchOutcome
{
    SwitchOutcome(SwitchError error = SwitchError::None, QString blocked = {}, bool started = false)
        : error(error), blocked(std::move(blocked)), started(started)
    {
    }
    SwitchError error = SwitchError::None;
    QString blocked;      // Blocked: "message" or "dialog"
    bool started = false; // settled after it was under way (the answer names it)
    int status() const;
    bool verified() const { return error == SwitchError::None; }
};

// "not-linked", "superseded" ...; empty for None and NotVerified, which the
// interface answers without one.
QString switchErrorWord(SwitchError error);

class RemoteSwitches : public QObject
{
    Q_OBJECT

public:
    // A switch that has not settled after this long is answered 504.
    static constexpr double Deadline = 120.0;
    using Answer = std::function<void(const SwitchOutcome &)>;

    RemoteSwitches(const RemoteHost &host, RemoteSyncView &sync, QObject *parent = nullptr);

    // What refuses a switch of mixer 1..16, channel 1..8 before anything is
    // read of what it asks (404, 403); none when it may be asked.
    std::optional<SwitchOutcome> refusal(int mixer, int channel) const;
    // Asks for a switch; `answer` is called once, now or when it settled,
    // unless `owner` is gone by then. Emits pressed() when it pressed.
    void ask(int mixer, int channel, bool on, QPointer<QObject> owner, Answer answer);
    // Follows switches the meeting console made (全員オフ, 次の発言者):
    // `answer` is called once all of them settled, with the first that
    // failed, or None when the mixer holds them all.
    struct Seat
    {
        int mixer = 0; // 1..16
        int channel = 0;
        bool on = false;
    };
    void await(const std::vector<Seat> &seats, QPointer<QObject> owner, Answer answer);
    // Answers the switches whose outcome is known now; with a modal window
    // holding the loop (`blocked`), all of them (503), pressing back.
    void settle(const QString &blocked);
    // Answers every waiting switch 503 Stopped.
    void stopAll();
    int waiting() const { return int(m_waiting.size()); }

signals:
    // A switch pressed the panel's button: the system changed.
    void pressed();

private:
    struct Switch
    {
        QPointer<QObject> owner;
        Answer answer;
        int mixer = 0;  // 1..16
        int channel = 0;
        bool on = false;
        bool pressed = false;    // this request pressed the button
        bool pressBack = true;   // a modal window answering it presses it back
        bool sawWaiting = false;
        double deadline = 0;
    };
    // Whether a waiting switch is settled now; answers it if so.
    bool settleOne(Switch &s);
    void holdBack(const QString &blocked);
    // The mixer was last read holding both values the channel's switch wants.
    bool holdsWanted(int mixer, int channel) const;
    // A press on the panel's button; Limit when the meeting refused it for
    // the microphone limit.
    SwitchError press(int panelMixer, int slot);

    const RemoteHost &m_host;
    RemoteSyncView &m_sync;
    std::vector<Switch> m_waiting;
    // Runs only while a switch waits: answers the ones past their deadline.
    QTimer m_deadlineTimer;
};
