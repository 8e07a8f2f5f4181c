#pragma once

// The remote server (and the line control) alone on loopback ports, over system state the test
// sets: two linked mixers, a panel with the button of mixer 1 channel 3,
// presses that toggle the button and set its values waiting as a click
// does, and write runs the test ends verified or failed. Raw-socket helpers
// for what no well-behaved client sends.

#include "base/clock.h"
#include "link/linkstate.h"
#include "remote/controlserver.h"
#include "remote/remoteserver.h"
#include "tests/remote/fakesync.h"
#include "tests/remote/remoteclient.h"

#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

struct ServerRig
{
    explicit ServerRig(bool manualClock = false) : clock(manualClock ? static_cast<Clock &>(manual) : system)
    {
        link.linkKind = LinkKind::Ethernet;
        mixers.MixerCount = 2;
        mixers.Model[1] = mixers.Model[2] = 1;
        addButton(0, 2);
        mixers.FileMixerCount = 2;
        RemoteHost host{mixers, panel, link, clock, [] { return true; }, [this] { return executing; },
                        [this](int m, int s) { return press(m, s); }, [this] { return virtualMixers; },
                        [this] { return settingsFile; }, [this] { return blocked; }, {}, {}};
        sync.attach(&status);
        control = std::make_unique<ControlServer>(host, sync);
        server = std::make_unique<RemoteServer>(std::move(host), sync);
        QString error;
        started = server->start("127.0.0.1", 0, tokens, error) && control->start("127.0.0.1", 0, tokens, error);
        api.setPort(server->port());
    }
    void addButton(int mixer, int slot)
    {
        ButtonSlot &b = panel.slot(mixer, slot);
        b.IconEnable = true;
        b.IconLeft = 300 + slot * 1700;
        b.IconTop = 600;
        b.IconWidth = b.IconHeight = 1500;
        b.IconText = QStringLiteral("議員席\r\nCH%1").arg(slot + 1);
        b.IconColorDef = 0xC0FFC0;
        b.IconColorOn = 0x0080FF;
    }
    bool press(int m, int s)
    {
        ButtonSlot &b = panel.slot(m, s);
        b.IconOnOff = !b.IconOnOff;
        status.submit(m + 1, {{channelKeyId(ChannelFamily::RemoteOn, s + 1), b.IconOnOff},
                              {channelKeyId(ChannelFamily::RemoteOff, s + 1), !b.IconOnOff}},
                      Submit::Copy);
        // The next poll sees them waiting.
        QTimer::singleShot(0, &status.events(), [this, m, s] {
            for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff})
                status.set(m + 1, channelKeyId(f, s + 1), ValueState::Waiting);
        });
        ++presses;
        return true;
    }
    // A write run ended: every waiting switch value verified or failed.
    void runEnds(bool verified)
    {
        QTest::qWait(20); // the poll that sees the pressed values waiting
        mixers.clearPending(); // every pressed value was sent
        for (int m = 1; m <= 2; ++m)
            for (int c = 1; c <= ChannelCount; ++c)
                for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff}) {
                    const int id = channelKeyId(f, c);
                    if (status.valueStatus(m, id).state != ValueState::Waiting)
                        continue;
                    if (verified)
                        mixers.MixerData[size_t(m)].channel(f, c) = mixers.MixerSetData[size_t(m)].channel(f, c);
                    status.set(m, id, verified ? ValueState::Verified : ValueState::Failed);
                }
    }
    QByteArray origin() const { return "http://127.0.0.1:" + QByteArray::number(server->port()); }
    QByteArray cookie(const QByteArray &token) const { return cookieName(server->port()) + '=' + token; }

    SystemClock system;
    ManualClock manual;
    Clock &clock;
    LinkState link;
    MixerState mixers;
    PanelState panel;
    FakeSync status{mixers};
    RemoteSyncView sync;
    RemoteTokens tokens = RemoteTokens::generate();
    bool executing = true;
    bool virtualMixers = false;
    QString settingsFile;
    QString blocked;
    int presses = 0;
    std::unique_ptr<RemoteServer> server;
    std::unique_ptr<ControlServer> control; // the line control beside it
    bool started = false;
    ApiClient api;
};

// A connection of its own, connected, for bytes no client library sends.
inline std::unique_ptr<QTcpSocket> rawConnection(quint16 port, const QHostAddress &from = {})
{
    auto s = std::make_unique<QTcpSocket>();
    if (!from.isNull())
        s->bind(from);
    s->connectToHost(QHostAddress::LocalHost, port);
    if (!QTest::qWaitFor([&] { return s->state() == QAbstractSocket::ConnectedState; }, 3000))
        return nullptr;
    return s;
}

// What came back on `s` within `ms` once `done` holds for it (or the
// connection ended); the server runs on this thread, so the wait turns its loop.
inline QByteArray rawRead(QTcpSocket &s, const std::function<bool(const QByteArray &)> &done, int ms = 2000)
{
    QByteArray got;
    (void)QTest::qWaitFor([&] {
        got += s.readAll();
        return done(got) || s.state() != QAbstractSocket::ConnectedState;
    }, ms);
    return got + s.readAll();
}

// Bytes sent on a connection of their own, and the head of what came back.
inline QByteArray rawExchange(quint16 port, const QByteArray &request)
{
    const auto s = rawConnection(port);
    if (!s)
        return {};
    s->write(request);
    return rawRead(*s, [](const QByteArray &got) { return got.contains("\r\n\r\n"); });
}

// The WebSocket handshake by hand, from `from`: the socket once it was
// answered (its first line says how), for a client that then never reads.
inline std::unique_ptr<QTcpSocket> rawUpgrade(quint16 port, const QByteArray &headers, QByteArray &answer,
                                              const QHostAddress &from = {})
{
    auto s = rawConnection(port, from);
    if (!s)
        return nullptr;
    s->write("GET /api/v1/events HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port)
             + "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
               "Sec-WebSocket-Version: 13\r\n"
             + headers + "\r\n");
    answer = rawRead(*s, [](const QByteArray &got) { return got.contains("\r\n\r\n"); });
    return s;
}
