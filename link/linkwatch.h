#pragma once

// What the user is told about the state of the link: one line for the main
// window's status area, kept up to date, and one message when a connection
// is lost and nothing will bring it back. A link that reconnects by itself
// shows its attempts in that line instead of raising message boxes.

#include "link/comm.h"

#include <QObject>
#include <QString>

#include <functional>

class Dialogs;
class TimeOfDay;

// The link's state as every window shows it: the main window's status area,
// the control panel's status line in both its states and each editor's.
// Empty until the link has opened.
class LinkLine : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    QString text() const { return m_text; }
    LinkHealth health() const { return m_health; }
    // The connection is gone (for good or while it is being re-established).
    bool down() const { return m_health != LinkHealth::Up; }

    void set(const QString &text, LinkHealth health);

signals:
    void changed(const QString &text);

private:
    QString m_text;
    LinkHealth m_health = LinkHealth::Up;
};

class LinkWatch : public QObject
{
    Q_OBJECT
public:
    // `time` tells when a connection came back.
    LinkWatch(Dialogs &dialogs, const TimeOfDay &time, std::function<void(const QString &)> showLine,
              QObject *parent = nullptr);

    // The link has just been opened (at start, or again after a download).
    void opened(const MdlComm::LinkStatus &status);
    // MdlComm::onLinkStatus. Runs inside a socket event: the message for a
    // lost connection is shown once that event has been handled.
    void changed(const MdlComm::LinkStatus &status);

    // The status line for a state; `since` is when the connection came back
    // (empty: it has not been lost).
    static QString statusLine(const MdlComm::LinkStatus &status, const QString &since = {});

    int lossesReported() const { return m_reported; }
    // The program is ending: a message not yet shown never comes up.
    void silence() { m_silent = true; }

    // What the windows show, kept with every change: the watch's own line,
    // or one that outlives the watch (a link opened again gets a new watch).
    LinkLine &line() { return *m_out; }
    void showOn(LinkLine &line) { m_out = &line; }

private:
    Dialogs &m_dialogs;
    const TimeOfDay &m_time;
    std::function<void(const QString &)> m_showLine;
    LinkLine m_line;
    LinkLine *m_out = &m_line;
    LinkHealth m_last = LinkHealth::Up;
    int m_reported = 0;
    bool m_silent = false;
};
