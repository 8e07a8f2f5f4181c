#pragma once

// The figures a building's monitoring scrapes from GET /metrics, in the
// Prometheus text format: the link, the mixers, the write-and-verify
// outcomes, each seat, and the clients of the remote fronts. The counters
// run over the program's whole run, across connections.

#include "mixer/syncstatus.h"
#include "remote/remotejson.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include <map>
#include <optional>

class RemoteMetrics : public QObject
{
    Q_OBJECT

public:
    explicit RemoteMetrics(QObject *parent = nullptr) : QObject(parent) {}

    // The link's synchronisation from now on (nullptr: no link).
    void attach(SyncStatus *status);
    // After each status poll: a good one found the link up and mixers on it.
    void notePoll(bool good, double now);

    quint64 writesVerified() const { return m_verified; }
    quint64 writesFailed() const { return m_failed; }
    std::optional<double> lastGoodPoll() const { return m_lastGoodPoll; }

private:
    void valueChanged(int mixer, int id);

    SyncStatus *m_status = nullptr;
    QPointer<SyncEvents> m_events;
    std::map<std::pair<int, int>, ValueState> m_states;
    quint64 m_verified = 0;
    quint64 m_failed = 0;
    std::optional<double> m_lastGoodPoll;
};

struct MetricsFigures
{
    RemoteSnapshot system;
    std::optional<double> sinceGoodPoll; // none: no good poll yet
    quint64 writesVerified = 0;
    quint64 writesFailed = 0;
    int reconnects = 0;
    int pageClients = 0;      // browsers on the page (its events socket)
    int interfaceClients = 0; // room-control systems on the events with a bearer token
    int lineClients = 0;      // room controllers on the line control
    // Series of other parts of the program, already in the text format:
    // the meeting console's (seats' speaking seconds, requests waiting).
    QByteArray more;
};

// The Prometheus text format 0.0.4, every family with HELP and TYPE.
QByteArray metricsText(const MetricsFigures &figures);

// The meeting console's series (for MetricsFigures::more), from its JSON
// (meetingJson): each seat's speaking seconds and the requests waiting.
QByteArray meetingMetricsText(const QJsonObject &meeting);
