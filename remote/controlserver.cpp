#include "remote/controlserver.h"

#include "base/clock.h"
#include "base/strings.h"
#include "link/linkstate.h"
#include "remote/controlline.h"
#include "remote/controlwords.h"
#include "panel/meetingconsole.h"
#include "remote/remotemeeting.h"
#include "remote/remoterequest.h"

#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

Q_LOGGING_CATEGORY(lcControl, "zkvr.remote.control")

namespace {

const QByteArray HelpLine = "OK HELP LOGIN <token> | MIC ON|OFF <mixer> <channel> | MIC? <mixer> <channel> | "
                            "ALLOFF | NEXT | REQUEST <mixer> <channel> | WITHDRAW <mixer> <channel> | STATUS? | "
                            "HELP | QUIT";

} // namespace

// One connected room controller: its socket, the framing of its bytes, its
// budget, the lines waiting behind a switch, and what its token allows.
class ControlClient : public QObject
{
public:
    ControlClient(QTcpSocket *socket, double now, QObject *parent)
        : QObject(parent), socket(socket), connected(now), heard(now)
    {
        socket->setParent(this);
        // Never more than this held unread: a flood stays in the system's buffers.
        socket->setReadBufferSize(4096);
    }

    void send(const QByteArray &line)
    {
        if (closing)
            return;
        if (socket->bytesToWrite() > ControlServer::MaxBacklog) {
            closing = true;
            socket->abort();
            return;
        }
        socket->write(line + "\r\n");
    }
    // Says `last` and closes once it is sent; nothing more is read.
    void close(const QByteArray &last)
    {
        send(last);
        closing = true;
        queue.clear();
        socket->disconnectFromHost();
    }

    QTcpSocket *socket;
    LineFraming framing;
    RateLimiter budget{Control::CommandsPerSecond};
    QList<QByteArray> queue;
    RemoteAccess access = RemoteAccess::None;
    double connected;
    double heard;
    bool busy = false;    // a switch waits for its mixer: later lines wait
    bool pumping = false;
    bool closing = false;
};

ControlServer::ControlServer(RemoteHost host, RemoteSyncView &sync, QObject *parent)
    : QObject(parent), m_host(std::move(host)), m_sync(sync), m_switches(m_host, sync)
{
    connect(&m_switches, &RemoteSwitches::pressed, this, &ControlServer::refresh);
    connect(&m_sync, &RemoteSyncView::changed, this, &ControlServer::refresh);
    // The limits are ten seconds and more: a look every few seconds is enough.
    m_sweepTimer.setInterval(5000);
    connect(&m_sweepTimer, &QTimer::timeout, this, &ControlServer::sweep);
}

ControlServer::~ControlServer()
{
    stop();
}

bool ControlServer::start(const QString &address, quint16 port, const RemoteTokens &tokens, QString &error)
{
    stop();
    error = listenProblem(address, tokens);
    if (!error.isEmpty())
        return false;
    const QHostAddress host(address);
    auto listener = std::make_unique<QTcpServer>();
    listener->setMaxPendingConnections(Control::MaxClients);
    if (!listener->listen(host, port)) {
        error = str(12415).arg(address).arg(port);
        return false;
    }
    m_tokens = tokens;
    m_listener = std::move(listener);
    m_port = m_listener->serverPort();
    connect(m_listener.get(), &QTcpServer::newConnection, this, &ControlServer::accept);
    m_last = snapshot();
    qCInfo(lcControl) << "listening on" << address << m_port;
    return true;
}

void ControlServer::stop()
{
    m_switches.stopAll();
    const QList<ControlClient *> all = findChildren<ControlClient *>(Qt::FindDirectChildrenOnly);
    for (ControlClient *c : all) {
        // The socket outlives its client until its last line has left (or a
        // client that does not read has had a few seconds for it).
        QTcpSocket *socket = c->socket;
        c->close(errorLine(503, "server stopped"));
        socket->setParent(nullptr);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(5000, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        delete c;
    }
    m_listener.reset();
    m_port = 0;
    m_sweepTimer.stop();
    if (!all.isEmpty())
        emit clientsChanged();
}

int ControlServer::clients() const
{
    const QList<ControlClient *> all = findChildren<ControlClient *>(Qt::FindDirectChildrenOnly);
    return int(std::count_if(all.begin(), all.end(), [](const ControlClient *c) { return !c->closing; }));
}

bool ControlServer::makeRoom()
{
    ControlClient *oldest = nullptr;
    for (ControlClient *c : findChildren<ControlClient *>(Qt::FindDirectChildrenOnly))
        if (!c->closing && c->access == RemoteAccess::None && (!oldest || c->connected < oldest->connected))
            oldest = c;
    if (oldest)
        oldest->close(errorLine(503, "too many clients"));
    return oldest != nullptr;
}

void ControlServer::accept()
{
    while (m_listener && m_listener->hasPendingConnections()) {
        QTcpSocket *socket = m_listener->nextPendingConnection();
        if (clients() >= Control::MaxClients && !makeRoom()) {
            socket->write(errorLine(503, "too many clients") + "\r\n");
            socket->disconnectFromHost();
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            continue;
        }
        auto *client = new ControlClient(socket, m_host.clock.now(), this);
        connect(socket, &QTcpSocket::readyRead, client, [this, client] { arrived(*client); });
        connect(socket, &QTcpSocket::disconnected, client, [this, client] {
            client->closing = true;
            client->deleteLater();
            emit clientsChanged();
        });
        m_sweepTimer.start();
        emit clientsChanged();
    }
}

void ControlServer::arrived(ControlClient &client)
{
    if (client.closing)
        return void(client.socket->readAll());
    const double now = m_host.clock.now();
    client.heard = now;
    QByteArray refusal;
    for (const QByteArray &line : client.framing.feed(client.socket->readAll())) {
        // A browser's request: nothing of it is taken.
        if (looksLikeHttp(line))
            return client.close(errorLine(400, "HTTP is not spoken here"));
        if (!client.budget.admit(QStringLiteral("c"), now) || client.queue.size() >= Control::MaxQueuedLines) {
            refusal = errorLine(429, "too many commands");
            break;
        }
        client.queue << line;
    }
    if (refusal.isEmpty() && client.framing.verdict() == LineFraming::Verdict::LineTooLong)
        refusal = errorLine(400, "line too long");
    if (refusal.isEmpty() && client.framing.verdict() == LineFraming::Verdict::NotAscii)
        refusal = errorLine(400, "not ASCII");
    // What came before the breach is answered; the breach closes the client.
    pump(client);
    if (!refusal.isEmpty())
        client.close(refusal);
}

void ControlServer::pump(ControlClient &client)
{
    if (client.pumping)
        return;
    client.pumping = true;
    while (!client.busy && !client.closing && !client.queue.isEmpty())
        take(client, client.queue.takeFirst());
    client.pumping = false;
}

void ControlServer::take(ControlClient &client, const QByteArray &line)
{
    const ControlCommand command = parseControlLine(line);
    switch (command.verb) {
    case ControlVerb::Malformed: return client.send(errorLine(400, command.problem));
    case ControlVerb::Help: return client.send(HelpLine);
    case ControlVerb::Quit: return client.close("OK BYE");
    case ControlVerb::Login:
        client.access = m_tokens.accessOf(command.token);
        if (client.access == RemoteAccess::None)
            return client.send(errorLine(401, "bad token"));
        return client.send(client.access == RemoteAccess::Operate ? "OK LOGIN OPERATE" : "OK LOGIN WATCH");
    default:
        break;
    }
    if (client.access == RemoteAccess::None)
        return client.send(errorLine(401, "login first"));
    switch (command.verb) {
    case ControlVerb::Status: return client.send(statusLine(snapshot()));
    case ControlVerb::MicOn: return mic(client, command, true);
    case ControlVerb::MicOff: return mic(client, command, false);
    case ControlVerb::MicQuery: return query(client, command);
    default: return meeting(client, command);
    }
}

void ControlServer::mic(ControlClient &client, const ControlCommand &command, bool on)
{
    if (client.access != RemoteAccess::Operate)
        return client.send(errorLine(403, "watch only"));
    client.busy = true;
    const QPointer<ControlClient> owner(&client);
    const int mixer = command.mixer;
    const int channel = command.channel;
    m_switches.ask(mixer, channel, on, QPointer<QObject>(owner), [this, owner, mixer, channel, on](const SwitchOutcome &o) {
        if (!owner)
            return;
        owner->send(switchLine(o, mixer, channel, on));
        owner->busy = false;
        // Later, not now: the answer may come while the switches are being
        // settled, and the next line may ask for another.
        QTimer::singleShot(0, owner, [this, owner] { pump(*owner); });
    });
}

void ControlServer::query(ControlClient &client, const ControlCommand &command)
{
    const RemoteSnapshot s = snapshot();
    if (command.mixer < 1 || command.mixer > s.mixerCount || command.channel < 1 || command.channel > ChannelCount)
        return client.send(errorLine(404, "not linked"));
    // What was read of the mixer before the link went down may no longer hold.
    if (m_host.link.down())
        return client.send(errorLine(503, "link down"));
    const bool on = s.channels[size_t(command.mixer)][size_t(command.channel - 1)].reported;
    client.send("OK MIC " + QByteArray::number(command.mixer) + ' ' + QByteArray::number(command.channel)
                + (on ? " ON" : " OFF"));
}

void ControlServer::meeting(ControlClient &client, const ControlCommand &command)
{
    if (client.access != RemoteAccess::Operate)
        return client.send(errorLine(403, "watch only"));
    MeetingConsole *console = m_host.meeting ? m_host.meeting() : nullptr;
    if (!console || !console->executing())
        return client.send(errorLine(409, refusalWords(MeetingRefusal::NotExecuting)));
    if (command.verb == ControlVerb::AllOff || command.verb == ControlVerb::Next)
        return meetingSwitch(client, *console, command.verb == ControlVerb::AllOff);
    const ButtonRef seat{command.mixer - 1, command.channel - 1};
    if (!console->isSeat(seat))
        return client.send(errorLine(404, refusalWords(MeetingRefusal::NoSeat)));
    const bool request = command.verb == ControlVerb::Request;
    const MeetingRefusal why = request ? console->request(seat) : console->withdraw(seat);
    if (why != MeetingRefusal::None)
        return client.send(errorLine(409, refusalWords(why)));
    client.send((request ? "OK REQUEST " : "OK WITHDRAW ") + QByteArray::number(command.mixer) + ' '
                + QByteArray::number(command.channel));
    refresh();
}

void ControlServer::meetingSwitch(ControlClient &client, MeetingConsole &console, bool allOff)
{
    if (m_host.link.down())
        return client.send(errorLine(503, "link down"));
    const MeetingSwitching done = switchMeeting(console, allOff);
    if (done.refusal != MeetingRefusal::None)
        return client.send(errorLine(409, refusalWords(done.refusal)));
    client.busy = true;
    const QPointer<ControlClient> owner(&client);
    const QByteArray ok = allOff ? "OK ALLOFF" : "OK NEXT";
    m_switches.await(done.seats, QPointer<QObject>(owner), [this, owner, ok](const SwitchOutcome &o) {
        if (!owner)
            return;
        const QByteArray word = switchErrorWord(o.error).toLatin1().replace('-', ' ');
        owner->send(o.verified() ? ok : errorLine(o.status(), word.isEmpty() ? "not verified" : word));
        owner->busy = false;
        QTimer::singleShot(0, owner, [this, owner] { pump(*owner); });
    });
    refresh();
}

void ControlServer::refresh()
{
    if (!running())
        return;
    const RemoteSnapshot next = snapshot();
    const QList<QByteArray> events = eventLines(m_last, next);
    m_last = next;
    if (!events.isEmpty()) {
        for (ControlClient *c : findChildren<ControlClient *>(Qt::FindDirectChildrenOnly))
            if (c->access != RemoteAccess::None)
                for (const QByteArray &e : events)
                    c->send(e);
    }
    m_switches.settle(next.blocked);
}

void ControlServer::sweep()
{
    const double now = m_host.clock.now();
    const QList<ControlClient *> all = findChildren<ControlClient *>(Qt::FindDirectChildrenOnly);
    for (ControlClient *c : all) {
        if (c->closing)
            continue;
        if (c->access == RemoteAccess::None && now - c->connected > LoginLimit)
            c->close(errorLine(401, "login timed out"));
        else if (now - c->heard > IdleLimit)
            c->close(errorLine(408, "idle too long"));
    }
    if (clients() == 0)
        m_sweepTimer.stop();
}

RemoteSnapshot ControlServer::snapshot() const
{
    return snapshotOf(m_host, m_sync);
}
