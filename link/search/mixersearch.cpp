#include "link/search/mixersearch.h"

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/strings.h"
#include "link/search/searchlog.h"
#include "link/search/searchtexts.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

using namespace SearchTiming;

MixerSearch::MixerSearch(Clock &clock, SearchEndpoints endpoints, QObject *parent)
    : QObject(parent), m_clock(clock), m_endpoints(std::move(endpoints))
{
    m_receiver.onMessage = [this](const QByteArray &message) { checkReply(message); };
}

MixerSearch::~MixerSearch() = default;

SearchResult MixerSearch::run(const QString &userId)
{
    // One search at a time: a second one would take over the sockets of the
    // first. Without a user ID no reply could ever match.
    if (running() || userId.isEmpty())
        return {};
    m_matches = 0;
    m_lastAddress.clear();
    m_heard.clear();
    m_receiver.reset();

    m_replySocket = std::make_unique<QUdpSocket>();
    m_requestSocket = std::make_unique<QUdpSocket>();
    // Shared, so that a second program on the same PC cannot lock the other out.
    if (!m_replySocket->bind(m_endpoints.replyBindAddress(), m_endpoints.replyPort,
                             QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        qCWarning(lcSearch) << "cannot bind the reply port" << m_endpoints.replyPort
                            << m_replySocket->errorString();
        m_replySocket.reset();
        m_requestSocket.reset();
        return {SearchOutcome::PortError, {}, 0};
    }
    const QHostAddress requestBind = m_endpoints.requestBindAddress();
    if (!requestBind.isNull())
        m_requestSocket->bind(requestBind, 0);
    connect(m_replySocket.get(), &QUdpSocket::readyRead, this, &MixerSearch::readReplies);

    // Set last: replies are taken only while a user ID is set.
    m_userId = userId.toLatin1();
    const QByteArray request = searchRequestDatagram();
    const QList<QHostAddress> destinations = m_endpoints.destinations();
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        for (const QHostAddress &to : destinations) {
            const qint64 sent = m_requestSocket->writeDatagram(request, to, m_endpoints.port);
            if (sent != request.size())
                qCWarning(lcSearch) << "request to" << to.toString() << "not sent:"
                                    << m_requestSocket->errorString();
            qCDebug(lcSearch) << "attempt" << attempt << "to" << to.toString() << m_endpoints.port;
        }
        emit requestSent(attempt);
        m_timerStart = m_clock.now();
        bool settled = false;
        for (;;) {
            readReplies();
            const double elapsed = m_clock.now() - m_timerStart;
            if (m_matches > 0 && elapsed > SettleSeconds) {
                settled = true;
                break;
            }
            if (elapsed > AttemptSeconds)
                break;
            const double limit = m_matches > 0 ? SettleSeconds : AttemptSeconds;
            m_clock.waitForEvents(limit - elapsed + Resolution);
        }
        if (settled)
            break;
    }

    m_userId.clear();
    m_replySocket.reset();
    m_requestSocket.reset();

    SearchResult result;
    result.matches = m_matches;
    result.address = m_lastAddress;
    result.outcome = m_matches == 1 ? SearchOutcome::Found
                   : m_matches == 0 ? SearchOutcome::NotFound
                                    : SearchOutcome::Several;
    return result;
}

void MixerSearch::readReplies()
{
    if (!m_replySocket)
        return;
    while (m_replySocket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_replySocket->receiveDatagram();
        if (m_userId.isEmpty()) {
            m_receiver.reset();
            continue;
        }
        m_sender = datagram.senderAddress().toString();
        m_receiver.feed(datagram.data());
    }
}

void MixerSearch::checkReply(const QByteArray &message)
{
    if (m_userId.isEmpty())
        return;
    const std::optional<QString> address = matchSearchReply(message, m_userId);
    if (!address)
        return;
    // A mixer that got the request on several broadcast addresses answers
    // each copy: the same sender with the same address is one mixer.
    const QString who = m_sender + u'/' + *address;
    if (m_heard.contains(who)) {
        qCDebug(lcSearch) << "repeated answer from" << *address;
        return;
    }
    m_heard.insert(who);
    ++m_matches;
    m_lastAddress = *address;
    m_timerStart = m_clock.now();
    qCDebug(lcSearch) << "match" << m_matches << "from" << *address;
    emit matchArrived(*address);
}

QString searchFailureText(const SearchResult &result, const SearchEndpoints &endpoints)
{
    switch (result.outcome) {
    case SearchOutcome::Found:
        return {};
    case SearchOutcome::NotFound:
        return str(SearchStr::NotFound);
    case SearchOutcome::Several:
        return str(SearchStr::Several);
    case SearchOutcome::PortError:
        return str(SearchStr::PortError).arg(endpoints.replyPort);
    }
    return {};
}

bool reportSearchResult(const SearchResult &result, const SearchEndpoints &endpoints, Dialogs &dialogs)
{
    if (result.outcome == SearchOutcome::Found)
        return true;
    dialogs.tell(searchFailureText(result, endpoints), MsgIcon::Error);
    return false;
}
