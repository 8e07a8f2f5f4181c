// The meeting's routes of the remote server: read the seats, requests and
// rules; 全員オフ and 次の発言者, answered once the mixers hold every switch
// they made; requests to speak and their withdrawal; the rules of the
// 会議設定 dialog. The actions are the meeting console's own calls, so the
// interface follows exactly the rules the panel does.

#include "remote/remoteserver.h"

#include "link/linkstate.h"
#include "panel/meetingconsole.h"
#include "remote/remoteconnection.h"
#include "remote/remotemeeting.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QByteArray compactJson(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

const QByteArray JsonContent = "application/json";

int refusalStatus(MeetingRefusal why)
{
    return why == MeetingRefusal::NoSeat ? 404 : 409;
}

} // namespace

void RemoteServer::handleMeeting(const Route &route, const Request &request, RemoteAccess access, QTcpSocket *socket)
{
    auto answer = [&](int status, const QByteArray &body) {
        reply(socket, request.place,
              httpResponse(status, JsonContent, body, {}, request.method == HttpMethod::Head));
    };
    MeetingConsole *console = m_host.meeting ? m_host.meeting() : nullptr;
    if (route.kind == RouteKind::Meeting) {
        if (!console)
            return answer(409, errorJson(QString::fromLatin1(refusalName(MeetingRefusal::NotExecuting))));
        return answer(200, compactJson(meetingJson(*console)));
    }
    if (access != RemoteAccess::Operate)
        return answer(403, errorJson(QStringLiteral("watch-only")));
    // A body is JSON or none: a form or a text/plain post is what a page
    // elsewhere can send without asking the browser first.
    const bool bodied = route.kind == RouteKind::MeetingRequests || route.kind == RouteKind::MeetingSettings;
    if (!isJsonType(request.contentType) && (bodied || !request.contentType.isEmpty()))
        return answer(415, errorJson(QStringLiteral("unsupported-media-type"),
                                     QStringLiteral("the body must be sent as application/json")));
    if (!console || (!console->executing() && route.kind != RouteKind::MeetingSettings))
        return answer(409, errorJson(QString::fromLatin1(refusalName(MeetingRefusal::NotExecuting))));
    if (const QString blocked = m_host.blocked ? m_host.blocked() : QString(); !blocked.isEmpty()) {
        QJsonObject o{{QStringLiteral("error"), QStringLiteral("blocked")}, {QStringLiteral("blocked"), blocked}};
        return answer(503, compactJson(o));
    }
    if (route.kind == RouteKind::MeetingSettings) {
        QString error;
        const auto settings = parseMeetingSettings(request.body, console->settings(), error);
        if (!settings)
            return answer(400, errorJson(QStringLiteral("bad-body"), error));
        console->setSettings(*settings);
        answer(200, compactJson(meetingJson(*console)));
        return refresh();
    }
    if (route.kind == RouteKind::MeetingAllOff || route.kind == RouteKind::MeetingNext)
        return meetingSwitch(route, request, *console, socket);
    int mixer = route.mixer;
    int channel = route.channel;
    if (route.kind == RouteKind::MeetingRequests) {
        const SeatBody body = parseSeatBody(request.body);
        if (!body.error.isEmpty())
            return answer(400, errorJson(QStringLiteral("bad-body"), body.error));
        mixer = body.mixer;
        channel = body.channel;
    }
    const ButtonRef seat{mixer - 1, channel - 1};
    if (!console->isSeat(seat))
        return answer(404, errorJson(QString::fromLatin1(refusalName(MeetingRefusal::NoSeat))));
    const MeetingRefusal why =
        route.kind == RouteKind::MeetingRequests ? console->request(seat) : console->withdraw(seat);
    if (why != MeetingRefusal::None)
        return answer(refusalStatus(why), errorJson(QString::fromLatin1(refusalName(why))));
    answer(200, compactJson(meetingJson(*console)));
    refresh();
}

void RemoteServer::meetingSwitch(const Route &route, const Request &request, MeetingConsole &console,
                                 QTcpSocket *socket)
{
    // Nothing reaches the mixers while the link is down.
    if (m_host.link.down()) {
        reply(socket, request.place, httpResponse(503, JsonContent, errorJson(switchErrorWord(SwitchError::LinkDown))));
        return;
    }
    const MeetingSwitching done = switchMeeting(console, route.kind == RouteKind::MeetingAllOff);
    if (done.refusal != MeetingRefusal::None) {
        reply(socket, request.place,
              httpResponse(refusalStatus(done.refusal), JsonContent,
                           errorJson(QString::fromLatin1(refusalName(done.refusal)))));
        return;
    }
    QJsonArray list;
    for (const RemoteSwitches::Seat &s : done.seats)
        list.append(QJsonObject{{QStringLiteral("mixer"), s.mixer},
                                {QStringLiteral("channel"), s.channel},
                                {QStringLiteral("on"), s.on}});
    const quint64 place = request.place;
    const QPointer<QTcpSocket> client(socket);
    m_switches.await(done.seats, QPointer<QObject>(socket), [this, client, place, list](const SwitchOutcome &o) {
        if (!client)
            return;
        QJsonObject a{{QStringLiteral("switched"), list}, {QStringLiteral("verified"), o.verified()}};
        if (const QString word = switchErrorWord(o.error); !word.isEmpty())
            a.insert(QStringLiteral("error"), word);
        const bool stopped = o.error == SwitchError::Stopped;
        reply(client, place, httpResponse(o.status(), JsonContent, compactJson(a)), stopped);
        if (HttpConnection *connection = stopped ? HttpConnection::of(client) : nullptr)
            connection->detach();
    });
    refresh();
}
