// The remote server alone on a loopback port, over system state the test
// sets: the page and its cookie, tokens on every route, the limits, and a
// switch answered only once the value's state says how it went. The whole
// program against the virtual mixer is tst_remoteprogram.

#include "base/clock.h"
#include "base/dialogs.h"
#include "link/linkstate.h"
#include "remote/remoteserver.h"
#include "remote/ui/frmremote.h"
#include "remote/ui/qrcodeview.h"
#include "tests/remote/fakesync.h"
#include "tests/remote/remoteclient.h"
#include "tests/support/englishtexts.h"
#include "tests/support/testmain.h"

#include <QProcess>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Rig
{
    Rig()
    {
        link.linkKind = LinkKind::Ethernet;
        mixers.MixerCount = 2;
        mixers.Model[1] = mixers.Model[2] = 1;
        panel.slot(0, 2).IconEnable = true;
        panel.slot(0, 2).IconWidth = panel.slot(0, 2).IconHeight = 1500;
        mixers.FileMixerCount = 2;
        RemoteHost host{mixers, panel, link, clock, [] { return true; }, [this] { return executing; },
                        [this](int m, int s) {
                            ButtonSlot &b = panel.slot(m, s);
                            b.IconOnOff = !b.IconOnOff;
                            mixers.setPending(m + 1, channelKeyId(ChannelFamily::RemoteOn, s + 1), b.IconOnOff);
                            mixers.setPending(m + 1, channelKeyId(ChannelFamily::RemoteOff, s + 1), !b.IconOnOff);
                            // The next poll sees them waiting.
                            QTimer::singleShot(0, &status.events(), [this, m, s] {
                                for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff})
                                    status.set(m + 1, channelKeyId(f, s + 1), ValueState::Waiting);
                            });
                            ++presses;
                            return true;
                        }};
        sync.attach(&status);
        server = std::make_unique<RemoteServer>(std::move(host), sync);
        QString error;
        started = server->start("127.0.0.1", 0, tokens, error);
        api.setPort(server->port());
    }
    // A write run ended: every waiting switch value verified or failed.
    void runEnds(bool verified)
    {
        QTest::qWait(20); // the poll that sees the pressed values waiting
        for (int m = 1; m <= 2; ++m)
            for (int c = 1; c <= ChannelCount; ++c)
                for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff}) {
                    const int id = channelKeyId(f, c);
                    if (status.valueStatus(m, id).state != ValueState::Waiting)
                        continue;
                    mixers.SetDataPending[size_t(m)][size_t(id)] = false;
                    if (verified)
                        mixers.MixerData[size_t(m)].channel(f, c) = mixers.MixerSetData[size_t(m)].channel(f, c);
                    status.set(m, id, verified ? ValueState::Verified : ValueState::Failed);
                }
    }

    SystemClock clock;
    LinkState link;
    MixerState mixers;
    PanelState panel;
    FakeSync status;
    RemoteSyncView sync;
    RemoteTokens tokens = RemoteTokens::generate();
    bool executing = true;
    int presses = 0;
    std::unique_ptr<RemoteServer> server;
    bool started = false;
    ApiClient api;
};

// Bytes sent on a connection of their own, and what came back within a
// second or two; the server runs on this thread, so the waits turn its loop.
QByteArray rawExchange(quint16 port, const QByteArray &request)
{
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (!QTest::qWaitFor([&] { return s.state() == QAbstractSocket::ConnectedState; }, 3000))
        return {};
    s.write(request);
    QByteArray got;
    (void)QTest::qWaitFor([&] {
        got += s.readAll();
        return got.contains("\r\n\r\n") || s.state() != QAbstractSocket::ConnectedState;
    }, 2000);
    return got;
}

} // namespace

class TestRemoteServer : public QObject
{
    Q_OBJECT

private slots:
    // The page: a link with a valid token sets an HttpOnly, SameSite=Strict
    // cookie and sends the browser on without the token in the address; the
    // cookie then opens the page and the interface. A wrong token, or none,
    // shows no panel and no state.
    void pageAndCookie()
    {
        Rig rig;
        QVERIFY(rig.started);
        rig.api.send("link", "GET", "/?token=" + rig.tokens.watch);
        QVERIFY(rig.api.wait("link"));
        const ApiAnswer &link = rig.api.answers["link"];
        QCOMPARE(link.status, 303);
        QCOMPARE(link.header("Location"), QByteArray("/"));
        const QByteArray cookie = link.header("Set-Cookie");
        QVERIFY(cookie.contains("HttpOnly"));
        QVERIFY(cookie.contains("SameSite=Strict"));
        const QByteArray pair = cookie.left(cookie.indexOf(';'));
        QCOMPARE(pair, "zkremote=" + rig.tokens.watch);

        rig.api.send("page", "GET", "/", {}, {}, pair);
        rig.api.send("script", "GET", "/panel.js", {}, {}, pair);
        rig.api.send("panel", "GET", "/api/v1/panel", {}, {}, pair);
        rig.api.send("bad", "GET", "/?token=" + QByteArray(32, 'x'));
        rig.api.send("none", "GET", "/");
        rig.api.send("scriptNone", "GET", "/panel.js");
        QVERIFY(rig.api.wait("page") && rig.api.wait("script") && rig.api.wait("panel") && rig.api.wait("bad")
                && rig.api.wait("none") && rig.api.wait("scriptNone"));
        QCOMPARE(rig.api.answers["page"].status, 200);
        QVERIFY(rig.api.answers["page"].body.contains("/panel.js"));
        QVERIFY(rig.api.answers["page"].header("Content-Security-Policy").contains("frame-ancestors 'none'"));
        QCOMPARE(rig.api.answers["script"].status, 200);
        QCOMPARE(rig.api.answers["panel"].status, 200);
        QCOMPARE(rig.api.answers["panel"].json()["buttons"].toArray().size(), 1);
        for (const char *name : {"bad", "none", "scriptNone"}) {
            QCOMPARE(rig.api.answers[name].status, 401);
            QVERIFY(!rig.api.answers[name].body.contains("buttons"));
            QVERIFY(rig.api.answers[name].header("Set-Cookie").isEmpty());
        }
    }

    // Every route refuses a request without a valid token before it reads
    // anything; the watch token may read, not switch.
    void tokensOnEveryRoute()
    {
        Rig rig;
        QVERIFY(rig.started);
        const QByteArray body = R"({"on": true})";
        rig.api.send("status", "GET", "/api/v1/status");
        rig.api.send("panel", "GET", "/api/v1/panel", "wrong-token-wrong-token");
        rig.api.send("switch", "POST", "/api/v1/mixers/1/channels/3", {}, body);
        rig.api.send("events", "GET", "/api/v1/events");
        rig.api.send("watchSwitch", "POST", "/api/v1/mixers/1/channels/3", rig.tokens.watch, body);
        rig.api.send("watchStatus", "GET", "/api/v1/status", rig.tokens.watch);
        rig.api.send("unknown", "GET", "/api/v1/mixers", rig.tokens.operate);
        rig.api.send("method", "DELETE", "/api/v1/panel", rig.tokens.operate);
        rig.api.send("unlinked", "POST", "/api/v1/mixers/3/channels/1", rig.tokens.operate, body);
        rig.api.send("channel9", "POST", "/api/v1/mixers/1/channels/9", rig.tokens.operate, body);
        rig.api.send("badBody", "POST", "/api/v1/mixers/1/channels/3", rig.tokens.operate, R"({"on": 1})");
        rig.api.send("noButton", "POST", "/api/v1/mixers/1/channels/4", rig.tokens.operate, body);
        rig.api.send("big", "POST", "/api/v1/mixers/1/channels/3", rig.tokens.operate, QByteArray(5000, ' '));
        for (const auto &[name, a] : rig.api.answers)
            QVERIFY2(rig.api.wait(name), qPrintable(name));
        const std::map<QString, int> expected{
            {"status", 401}, {"panel", 401}, {"switch", 401}, {"events", 401}, {"watchSwitch", 403},
            {"watchStatus", 200}, {"unknown", 404}, {"method", 405}, {"unlinked", 404}, {"channel9", 404},
            {"badBody", 400}, {"noButton", 409}, {"big", 413}};
        for (const auto &[name, status] : expected)
            QVERIFY2(rig.api.answers[name].status == status,
                     qPrintable(name + ": " + QString::number(rig.api.answers[name].status)));
        QCOMPARE(rig.api.answers["method"].header("Allow"), QByteArray("GET, HEAD"));
        QVERIFY(!rig.api.answers["status"].body.contains("mixers"));
        QCOMPARE(rig.api.answers["watchStatus"].json()["mixers"].toArray().size(), 2);
        QCOMPARE(rig.presses, 0);
    }

    // A switch is answered when its outcome is known: 200 once verified, 504
    // when the passes ran out, 409 while the panel is not executing; one for
    // the state the button already has needs no press.
    void switchOutcomes()
    {
        Rig rig;
        QVERIFY(rig.started);
        const QString path = "/api/v1/mixers/1/channels/3";
        rig.api.send("on", "POST", path, rig.tokens.operate, R"({"on": true})");
        QTRY_COMPARE(rig.presses, 1);
        QTRY_COMPARE(rig.server->waitingSwitches(), 1);
        QVERIFY(!rig.api.done("on"));
        rig.runEnds(true);
        QVERIFY(rig.api.wait("on"));
        QCOMPARE(rig.api.answers["on"].status, 200);
        QCOMPARE(rig.api.answers["on"].json()["verified"].toBool(), true);
        QCOMPARE(rig.mixers.MixerSetData[1].RemoteOn(3), quint8(1));

        rig.api.send("again", "POST", path, rig.tokens.operate, R"({"on": true})");
        QVERIFY(rig.api.wait("again"));
        QCOMPARE(rig.api.answers["again"].status, 200);
        QCOMPARE(rig.presses, 1);

        rig.api.send("off", "POST", path, rig.tokens.operate, R"({"on": false})");
        QTRY_COMPARE(rig.server->waitingSwitches(), 1);
        rig.runEnds(false);
        QVERIFY(rig.api.wait("off"));
        QCOMPARE(rig.api.answers["off"].status, 504);
        QCOMPARE(rig.api.answers["off"].json()["verified"].toBool(), false);

        rig.executing = false;
        rig.api.send("design", "POST", path, rig.tokens.operate, R"({"on": true})");
        QVERIFY(rig.api.wait("design"));
        QCOMPARE(rig.api.answers["design"].status, 409);
        QCOMPARE(rig.presses, 2);
    }

    // Limits: a burst of 200 requests gets 20 through and 429 for the rest
    // with a time to retry; at most 32 event clients; the events need a token.
    void limits()
    {
        Rig rig;
        QVERIFY(rig.started);
        for (int i = 0; i < 200; ++i)
            rig.api.send(QString::number(i), "GET", "/api/v1/status", rig.tokens.watch);
        QTRY_VERIFY_WITH_TIMEOUT(rig.api.allDone(), 20000);
        int ok = 0;
        int limited = 0;
        for (const auto &[name, a] : rig.api.answers) {
            ok += a.status == 200;
            limited += a.status == 429;
            if (a.status == 429)
                QVERIFY(a.header("Retry-After").toInt() >= 1);
        }
        QVERIFY2(ok >= 20 && ok <= 40, qPrintable(QString::number(ok))); // the burst may straddle a second
        QCOMPARE(ok + limited, 200);
        QTest::qWait(1100);

        std::vector<std::unique_ptr<EventsClient>> clients;
        for (int i = 0; i < Remote::MaxEventClients; ++i) {
            clients.push_back(std::make_unique<EventsClient>());
            clients.back()->open(rig.server->port(), rig.tokens.watch);
            if (i % 15 == 14)
                QTest::qWait(1050); // the upgrades count against the request budget too
        }
        QTRY_COMPARE_WITH_TIMEOUT(rig.server->eventClients(), Remote::MaxEventClients, 10000);
        QTest::qWait(1050);
        EventsClient extra;
        extra.open(rig.server->port(), rig.tokens.watch);
        QTRY_VERIFY(extra.socket.state() == QAbstractSocket::UnconnectedState);
        QCOMPARE(rig.server->eventClients(), Remote::MaxEventClients);
        // Each client got the whole status first.
        QTRY_COMPARE(clients.front()->of("status").size(), 1);
        clients.pop_back();
        QTRY_COMPARE(rig.server->eventClients(), Remote::MaxEventClients - 1);
        EventsClient noToken;
        noToken.open(rig.server->port(), {});
        QTRY_VERIFY(noToken.socket.state() == QAbstractSocket::UnconnectedState);
        QVERIFY(noToken.messages.isEmpty());
    }

    // Events: the whole status first, then one object per change; a renewed
    // token puts the watchers out.
    void events()
    {
        Rig rig;
        QVERIFY(rig.started);
        EventsClient watcher;
        watcher.open(rig.server->port(), rig.tokens.watch);
        QTRY_COMPARE(watcher.of("status").size(), 1);
        rig.api.send("on", "POST", "/api/v1/mixers/1/channels/3", rig.tokens.operate, R"({"on": true})");
        QTRY_COMPARE(rig.server->waitingSwitches(), 1);
        rig.runEnds(true);
        QVERIFY(rig.api.wait("on"));
        QTRY_VERIFY(watcher.of("channel").size() >= 2);
        const QList<QJsonObject> changes = watcher.of("channel");
        QStringList states;
        for (const QJsonObject &c : changes)
            states << c["sync"].toString();
        QVERIFY2(states.contains("waiting"), qPrintable(states.join(',')));
        QCOMPARE(changes.last()["sync"].toString(), QString("verified"));
        QCOMPARE(changes.last()["channel"].toInt(), 3);
        QCOMPARE(changes.last()["on"].toBool(), true);
        rig.mixers.MixerCount = 1;
        rig.server->refresh();
        QTRY_COMPARE(watcher.of("mixerCount").size(), 1);
        rig.server->setTokens(RemoteTokens::generate());
        QTRY_VERIFY(watcher.closed);
    }

    // Bytes that are no HTTP, a header bomb: answered or dropped, the server
    // stays up for the next client.
    void garbageKeepsServing()
    {
        Rig rig;
        QVERIFY(rig.started);
        rawExchange(rig.server->port(), QByteArray("\x00\xff\r\n\r\n", 6));
        rawExchange(rig.server->port(), "GET / HTTP/1.1\r\nHost: x\r\nX: " + QByteArray(20000, 'a') + "\r\n\r\n");
        // A body far beyond the limit is refused while it arrives, not kept.
        const QByteArray huge = rawExchange(rig.server->port(),
                                            "POST /api/v1/mixers/1/channels/1 HTTP/1.1\r\nContent-Length: 999999999\r\n\r\n"
                                                + QByteArray(200000, '{'));
        QVERIFY2(huge.startsWith("HTTP/1.1 413"), huge.left(80).constData());
        const QByteArray status = rawExchange(rig.server->port(),
                                              "GET /api/v1/status HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer "
                                                  + rig.tokens.watch + "\r\n\r\n");
        QVERIFY2(status.startsWith("HTTP/1.1 200"), status.constData());
    }

    // The page speaks the program's language: its texts come from the string
    // table, Japanese or English as the program runs.
    void pageSpeaksTheProgramsLanguage()
    {
        const auto fetch = [](Rig &rig) {
            rig.api.send("page", "GET", "/", {}, {}, "zkremote=" + rig.tokens.watch);
            return rig.api.wait("page") ? rig.api.answers["page"].body : QByteArray();
        };
        {
            Rig rig;
            const QByteArray page = fetch(rig);
            QVERIFY(page.contains("<html lang=\"ja\">"));
            QVERIFY(page.contains(str(12425).toUtf8())); // 確認済み
        }
        EnglishTexts english;
        QVERIFY(english.loaded);
        Rig rig;
        const QByteArray page = fetch(rig);
        QVERIFY(page.contains("<html lang=\"en\">"));
        QVERIFY2(page.contains(str(12425).toUtf8()) && str(12425) != QStringLiteral("確認済み"),
                 qPrintable(str(12425)));
    }

    // With the user's certificate and key the server speaks only HTTPS: a
    // client that accepts the certificate gets the interface, plain HTTP on
    // the same port gets no answer, and files that hold no certificate or
    // key keep the server off with a message.
    void httpsWithTheUsersCertificate()
    {
        if (!QSslSocket::supportsSsl())
            QSKIP("this Qt has no TLS backend");
        const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
        if (openssl.isEmpty())
            QSKIP("openssl is needed to make a test certificate");
        QTemporaryDir dir;
        const QString cert = dir.filePath(QStringLiteral("cert.pem"));
        const QString key = dir.filePath(QStringLiteral("key.pem"));
        QProcess make;
        make.start(openssl, {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                             "-days", "2", "-subj", "/CN=localhost"});
        QVERIFY(make.waitForFinished(30000) && make.exitCode() == 0);

        Rig rig;
        QString error;
        QVERIFY2(rig.server->start("127.0.0.1", 0, rig.tokens, error, cert, key), qPrintable(error));
        const quint16 port = rig.server->port();

        QSslSocket tls;
        tls.setPeerVerifyMode(QSslSocket::VerifyNone); // the test's own self-signed certificate
        tls.connectToHostEncrypted(QStringLiteral("127.0.0.1"), port);
        QVERIFY(QTest::qWaitFor([&] { return tls.isEncrypted(); }, 5000));
        tls.write("GET /api/v1/status HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer " + rig.tokens.watch + "\r\n\r\n");
        QByteArray got;
        QVERIFY(QTest::qWaitFor([&] {
            got += tls.readAll();
            return got.contains("\r\n\r\n");
        }, 5000));
        QVERIFY2(got.startsWith("HTTP/1.1 200"), got.left(80).constData());

        const QByteArray plain = rawExchange(port, "GET /api/v1/status HTTP/1.1\r\nHost: x\r\nAuthorization: Bearer "
                                                       + rig.tokens.watch + "\r\n\r\n");
        QVERIFY(!plain.contains("HTTP/1.1 200"));

        QVERIFY(!rig.server->start("127.0.0.1", 0, rig.tokens, error, key, cert)); // the two files swapped
        QVERIFY(!error.isEmpty());
    }

    // The dialog shows the address to open with the operate token, and its
    // QR code encodes exactly that.
    void dialogAddressAndCode()
    {
        RemoteSettings s;
        s.address = "127.0.0.1";
        s.tokens = RemoteTokens::generate();
        ScriptedDialogs dialogs;
        FrmRemote::Hooks hooks;
        quint16 port = 0;
        hooks.apply = [&](const RemoteSettings &) { port = 8340; return QString(); };
        hooks.listeningPort = [&] { return port; };
        hooks.clients = [] { return 3; };
        FrmRemote dialog(s, dialogs, hooks);
        QVERIFY(dialog.txtOpenAddress->text().isEmpty());
        dialog.chkRemoteEnable->setChecked(true);
        dialog.applyFields();
        const QString open = "http://127.0.0.1:8340/?token=" + QString::fromLatin1(s.tokens.operate);
        QCOMPARE(dialog.txtOpenAddress->text(), open);
        QCOMPARE(dialog.picQrCode->text(), open);
        QVERIFY(dialog.picQrCode->modules() >= 21);
        QVERIFY(dialog.lblRemoteState->text().contains('3'));
        // Renewing while running asks first; the new tokens are shown.
        dialogs.answers = {MsgAnswer::Yes};
        dialog.renewTokens();
        QVERIFY(dialog.txtOperateToken->text().toLatin1() != s.tokens.operate);
        QVERIFY(dialog.txtOpenAddress->text().endsWith(dialog.txtOperateToken->text()));
        const QByteArray stored = RemoteSettings::load().tokens.operate;
        QCOMPARE(QString::fromLatin1(stored), dialog.txtOperateToken->text());
        if (qEnvironmentVariableIsSet("ZKVR340A_SCREENSHOTS"))
            dialog.grab().save(qEnvironmentVariable("ZKVR340A_SCREENSHOTS") + "/FrmRemote.png");
        dialog.txtRemoteAddress->setText("no address");
        dialog.applyFields();
        QCOMPARE(dialogs.shown.size(), size_t(2));
    }
};

ZK_TEST_MAIN(TestRemoteServer)
#include "tst_remoteserver.moc"
