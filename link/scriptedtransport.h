#pragma once

// A transport without a wire, for tests of everything above MdlComm: each
// sent request goes to a handler that returns the replies to queue (message
// bytes without the 55 AA trailer), and fetch hands them out one by one.
// Put it behind MdlComm with LinkEndpoints::makeTransport.

#include "link/transport.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

class ScriptedTransport final : public LinkTransport
{
public:
    ~ScriptedTransport() override;
    OpenOutcome open() override { ++opens; return openOutcome; }
    void close() override;
    bool send(const quint8 *data, int count) override;
    int fetch(quint8 *buffer, int capacity) override;
    void abortSend() override { ++aborts; }
    void cancel() override;
    bool deliversTrailer() const override { return withTrailer; }

    void queue(const QByteArray &reply) { pending.push_back(reply); }

    // The connection as a test makes it go and come back: while it is not
    // Up, sends fail and nothing is answered.
    LinkHealth health() const override { return m_health; }
    void setHealth(LinkHealth health);

    std::function<QList<QByteArray>(const QByteArray &request)> onSend;
    // Runs inside send after onSend, where a real transport waits and lets
    // events run.
    std::function<void()> whileSending;
    // When set, records "send", "cancel", "close" and "end" (or "end inside
    // a call"), so a test can follow the transport past its end.
    QStringList *lifeEvents = nullptr;
    std::deque<QByteArray> pending;
    QList<QByteArray> sent;
    OpenOutcome openOutcome = OpenOutcome::Opened;
    bool sendResult = true;
    bool withTrailer = false;     // behave like USB: replies carry 55 AA already
    int opens = 0;
    int closes = 0;
    int aborts = 0;
    int fetches = 0;
    int dropped = 0;              // replies too long for the caller's buffer

private:
    void note(const QString &event);
    int m_inSend = 0;
    LinkHealth m_health = LinkHealth::Up;
};
