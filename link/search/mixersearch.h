#pragma once

// The search for the mixer that owns a user ID.
//
// A reply socket listens on the reply port; a request socket broadcasts the
// IR request up to three times, each time to every destination of the
// endpoints (the limited broadcast and each interface's broadcast address). Each attempt waits at most 20 seconds; once a
// matching reply has come, the search ends 3 seconds after the last one (every
// match restarts that wait). All waiting goes through the Clock, so the user
// interface keeps running and tests run on virtual time.

#include "link/etherframe.h"
#include "link/search/searchwire.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

class Clock;
class Dialogs;
class QUdpSocket;

enum class SearchOutcome {
    Found,      // exactly one mixer answered
    NotFound,   // no mixer answered
    Several,    // two or more mixers own the user ID
    PortError,  // the reply port could not be opened: nobody could have been heard
};

struct SearchResult
{
    SearchOutcome outcome = SearchOutcome::NotFound;
    QString address;   // the last matching reply's address; valid when Found
    int matches = 0;
};

namespace SearchTiming {
constexpr int Attempts = 3;
constexpr double AttemptSeconds = 20.0;
constexpr double SettleSeconds = 3.0;   // quiet time after the last match
// The limits are "more than": the wait runs this much past them.
constexpr double Resolution = 0.001;
} // namespace SearchTiming

class MixerSearch : public QObject
{
    Q_OBJECT
public:
    explicit MixerSearch(Clock &clock, SearchEndpoints endpoints = searchEndpointsFromEnvironment(),
                         QObject *parent = nullptr);
    ~MixerSearch() override;

    // Runs a whole search for `userId` (valid per isValidUserId; the caller
    // checks) and returns when it has ended. Sockets exist only meanwhile.
    SearchResult run(const QString &userId);

    bool running() const { return !m_userId.isEmpty(); }
    const SearchEndpoints &endpoints() const { return m_endpoints; }

signals:
    // One per datagram sent, with its attempt number 1..3.
    void requestSent(int attempt);
    void matchArrived(const QString &address);

private:
    void readReplies();
    void checkReply(const QByteArray &message);

    Clock &m_clock;
    SearchEndpoints m_endpoints;
    std::unique_ptr<QUdpSocket> m_replySocket;    // socket 1
    std::unique_ptr<QUdpSocket> m_requestSocket;  // socket 2
    EtherReceiver m_receiver{EtherWire::MinSearchLength};
    QByteArray m_userId;          // empty while no search runs
    int m_matches = 0;
    QString m_lastAddress;
    QSet<QString> m_heard;        // sender and found address of every match
    QString m_sender;             // of the datagram being read
    double m_timerStart = 0.0;
};

// The user-visible text for a failed search; empty for Found.
QString searchFailureText(const SearchResult &result, const SearchEndpoints &endpoints);

// Shows the failure message of a search (error icon, the program's title).
// Returns whether the search found exactly one mixer.
bool reportSearchResult(const SearchResult &result, const SearchEndpoints &endpoints, Dialogs &dialogs);
