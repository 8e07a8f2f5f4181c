// How fast the receivers decode, and how long a round trip over loopback TCP
// takes through MdlComm and the protocol wait. Prints one line per figure.

#include "base/clock.h"
#include "base/dialogs.h"
#include "link/comm.h"
#include "link/etherframe.h"
#include "link/protocol.h"
#include "link/serialframe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>

#include <memory>

namespace {
QTextStream out(stdout);

void receivers()
{
    QByteArray msg(2064, '\0');
    for (int i = 0; i < msg.size(); ++i)
        msg[i] = char(i * 13);
    const QByteArray serial = serialFrames(msg).repeated(200);
    const QByteArray ether = etherFrame(msg).repeated(200);

    QElapsedTimer t;
    SerialReceiver srx;
    t.start();
    int got = 0;
    for (char c : serial)
        if (srx.feed(quint8(c)).messageComplete) {
            srx.takeMessage();
            ++got;
        }
    const double sMs = double(t.nsecsElapsed()) / 1e6;
    out << "serial receiver: " << got << " messages, " << serial.size() / 1e6 / (sMs / 1000) << " MB/s\n";

    EtherReceiver erx;
    t.restart();
    got = 0;
    for (int at = 0; at < ether.size(); at += 1460) {
        got += erx.feed(ether.mid(at, 1460));
        erx.takeMessage();
    }
    const double eMs = double(t.nsecsElapsed()) / 1e6;
    out << "stream receiver: " << got << " messages, " << ether.size() / 1e6 / (eMs / 1000) << " MB/s\n";
}

void tcpRoundTrip()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0))
        return;
    EtherReceiver mixerRx;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket *s = server.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, [s, &mixerRx] {
            mixerRx.feed(s->readAll());
            QByteArray r;
            while (mixerRx.takeMessage(r))
                s->write(etherFrame(QByteArray::fromHex("4D4E0001")));
        });
    });
    LinkState link;
    link.linkKind = LinkKind::Ethernet;
    SystemClock clock;
    ScriptedDialogs dialogs;
    LinkEndpoints ep;
    ep.tcpPort = server.serverPort();
    ep.chooseEthernetAddress = [](bool &chose) { chose = true; return QStringLiteral("127.0.0.1"); };
    MdlComm comm(link, clock, dialogs, std::move(ep));
    if (!comm.CommOpen())
        return;
    const int rounds = 500;
    QElapsedTimer t;
    t.start();
    int ok = 0;
    for (int i = 0; i < rounds; ++i)
        ok += sendAndWait(comm, modelRequest(1)).has_value();
    out << "tcp round trip: " << ok << "/" << rounds << " replies, "
        << double(t.nsecsElapsed()) / 1e3 / rounds << " us each\n";
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    receivers();
    tcpRoundTrip();
    out.flush();
    return 0;
}
