// The remote server alone on a loopback port, over system state the test
// sets: the page and its cookie, tokens on every route, the limits, and a
// switch answered only once the value's state says how it went. The whole
// program against the virtual mixer is tst_remoteprogram.

#include "base/dialogs.h"
#include "remote/remoteevents.h"
#include "remote/ui/frmremote.h"
#include "remote/ui/qrcodeview.h"
#include "tests/remote/serverrig.h"
#include "tests/support/englishtexts.h"
#include "tests/support/testmain.h"

#include <QProcess>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>


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
        ServerRig rig;
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
        QCOMPARE(pair, rig.cookie(rig.tokens.watch));

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
        ServerRig rig;
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
        ServerRig rig;
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

    // With the connection down a switch presses nothing and says why, and
    // the status says the link is not connected. Back, but not yet read
    // again, a switch to the state the panel shows waits for the read; it is
    // answered 200 only once the mixer was read holding both its values.
    void switchWhileTheMixersAreOutOfReach()
    {
        ServerRig rig;
        QVERIFY(rig.started);
        const QString path = "/api/v1/mixers/1/channels/3";
        rig.panel.slot(0, 2).IconOnOff = true;
        rig.mixers.MixerSetData[1].RemoteOn(3) = 1;
        rig.mixers.MixerData[1].RemoteOn(3) = 1;
        rig.link.health = LinkHealth::Reconnecting;
        rig.api.send("down", "POST", path, rig.tokens.operate, R"({"on": false})");
        rig.api.send("status", "GET", "/api/v1/status", rig.tokens.watch);
        QVERIFY(rig.api.wait("down") && rig.api.wait("status"));
        QCOMPARE(rig.api.answers["down"].status, 503);
        QCOMPARE(rig.api.answers["down"].json()["error"].toString(), QString("link-down"));
        QCOMPARE(rig.presses, 0);
        QCOMPARE(rig.api.answers["status"].json()["link"].toObject()["connected"].toBool(), false);

        rig.link.health = LinkHealth::Up;
        rig.status.current = false;
        rig.api.send("shown", "POST", path, rig.tokens.operate, R"({"on": true})");
        QTRY_COMPARE(rig.server->waitingSwitches(), 1);
        rig.server->refresh();
        QVERIFY(!rig.api.done("shown"));
        rig.status.current = true;
        rig.server->refresh();
        QVERIFY(rig.api.wait("shown"));
        QCOMPARE(rig.api.answers["shown"].status, 200);
        QCOMPARE(rig.presses, 0);

        // Read, but holding only one of the two values: no answer yet.
        rig.mixers.MixerSetData[1].RemoteOff(3) = 0;
        rig.mixers.MixerData[1].RemoteOff(3) = 1;
        rig.api.send("half", "POST", path, rig.tokens.operate, R"({"on": true})");
        QTRY_COMPARE(rig.server->waitingSwitches(), 1);
        rig.server->refresh();
        QVERIFY(!rig.api.done("half"));
    }

    // Limits: a burst of 200 requests gets 20 through and 429 for the rest
    // with a time to retry; at most 32 event clients; the events need a token.
    void limits()
    {
        ServerRig rig;
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

        // Every slot taken: eight clients from each of four addresses, half
        // of them with each token.
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        auto open = [&](int i) {
            QByteArray answer;
            const QByteArray token = i % 2 ? rig.tokens.watch : rig.tokens.operate;
            const QHostAddress from(QStringLiteral("127.0.0.%1").arg(1 + i / Remote::MaxEventClientsPerAddress));
            clients.push_back(rawUpgrade(rig.server->port(), "Authorization: Bearer " + token + "\r\n", answer, from));
            return answer.left(12);
        };
        for (int i = 0; i < Remote::MaxEventClients; ++i)
            QCOMPARE(open(i), QByteArray("HTTP/1.1 101"));
        QTRY_COMPARE(rig.server->eventClients(), Remote::MaxEventClients);
        QCOMPARE(open(Remote::MaxEventClients + Remote::MaxEventClientsPerAddress), QByteArray("HTTP/1.1 503"));
        QCOMPARE(rig.server->eventClients(), Remote::MaxEventClients);
        clients.front()->abort();
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
        ServerRig rig;
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

    // The line control's limits, each closing only the client that broke
    // it: more than 20 commands in a second, a line beyond 256 bytes, a byte
    // that is not ASCII, a browser's HTTP. Those that do not log in in
    // time are closed; a ninth client takes the place of the oldest not
    // logged in, and is turned away when all are; a logged-in one silent
    // too long is closed. The calm client beside them is served throughout.
    void lineControlLimits()
    {
        ServerRig rig(true);
        QVERIFY(rig.started);
        const quint16 port = rig.control->port();
        const auto lastLine = [](const QByteArray &got) {
            return got.endsWith("\r\n") ? got.chopped(2).mid(got.chopped(2).lastIndexOf('\n') + 1) : QByteArray();
        };
        const auto ask = [&](QTcpSocket &s, const QByteArray &line) {
            s.write(line + "\r\n");
            return lastLine(rawRead(s, [](const QByteArray &got) { return got.endsWith("\r\n"); }));
        };
        const auto calm = rawConnection(port);
        QVERIFY(calm);
        QCOMPARE(ask(*calm, "LOGIN " + rig.tokens.watch), QByteArray("OK LOGIN WATCH"));
        const struct { const char *name; QByteArray bytes; QByteArray last; int answered; } breaches[] = {
            {"flood", QByteArray("HELP\n").repeated(Control::CommandsPerSecond + 1), "ERR 429 too many commands",
             Control::CommandsPerSecond},
            {"long line", "HELP\n" + QByteArray(Control::MaxLineBytes + 1, 'x') + "\n", "ERR 400 line too long", 1},
            {"not ASCII", "HELP\r\nMIC ON 1 3\xef\xbc\x91\r\n", "ERR 400 not ASCII", 1},
            {"a browser", "POST / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\nLOGIN x\r\n", "ERR 400 HTTP is not spoken here", 0},
        };
        for (const auto &b : breaches) {
            const auto s = rawConnection(port);
            QVERIFY(s);
            s->write(b.bytes);
            const QByteArray got = rawRead(*s, [](const QByteArray &) { return false; });
            QVERIFY2(s->state() == QAbstractSocket::UnconnectedState, b.name);
            QVERIFY2(lastLine(got) == b.last, got.constData());
            QCOMPARE(got.count("OK HELP"), b.answered);
            QVERIFY(ask(*calm, "HELP").startsWith("OK HELP"));
        }
        // Two that never log in are closed after the login's time.
        const auto silent = rawConnection(port);
        const auto silent2 = rawConnection(port);
        QTRY_COMPARE(rig.control->clients(), 3);
        rig.manual.advance(ControlServer::LoginLimit + 1);
        rig.control->sweep();
        QCOMPARE(lastLine(rawRead(*silent, [](const QByteArray &) { return false; })), QByteArray("ERR 401 login timed out"));
        QTRY_COMPARE(rig.control->clients(), 1);
        // Every place taken: a newcomer takes the place of the oldest that
        // has not logged in; once all have, a newcomer is turned away.
        std::vector<std::unique_ptr<QTcpSocket>> more;
        for (int i = 1; i <= Control::MaxClients; ++i)
            more.push_back(rawConnection(port));
        QCOMPARE(lastLine(rawRead(*more.front(), [](const QByteArray &) { return false; })),
                 QByteArray("ERR 503 too many clients"));
        QCOMPARE(rig.control->clients(), Control::MaxClients);
        for (size_t i = 1; i < more.size(); ++i)
            QCOMPARE(ask(*more[i], "LOGIN " + rig.tokens.watch), QByteArray("OK LOGIN WATCH"));
        const auto late = rawConnection(port);
        QVERIFY(late);
        QCOMPARE(lastLine(rawRead(*late, [](const QByteArray &) { return false; })), QByteArray("ERR 503 too many clients"));
        QCOMPARE(ask(*calm, "STATUS?").left(9), QByteArray("OK STATUS"));
        rig.manual.advance(ControlServer::IdleLimit + 1);
        rig.control->sweep();
        QCOMPARE(lastLine(rawRead(*calm, [](const QByteArray &) { return false; })), QByteArray("ERR 408 idle too long"));
        QTRY_COMPARE(rig.control->clients(), 0); // the others fell silent as long
    }

    // Bytes that are no HTTP, a header bomb: answered or dropped, the server
    // stays up for the next client.
    void garbageKeepsServing()
    {
        ServerRig rig;
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
        const auto fetch = [](ServerRig &rig) {
            rig.api.send("page", "GET", "/", {}, {}, rig.cookie(rig.tokens.watch));
            return rig.api.wait("page") ? rig.api.answers["page"].body : QByteArray();
        };
        {
            ServerRig rig;
            const QByteArray page = fetch(rig);
            QVERIFY(page.contains("<html lang=\"ja\">"));
            QVERIFY(page.contains(str(12425).toUtf8())); // 確認済み
        }
        EnglishTexts english;
        QVERIFY(english.loaded);
        ServerRig rig;
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

        ServerRig rig;
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

    // A page served from another port of the same host holds the cookie the
    // browser keeps for the host. None of its ways in gets through: a form or
    // text/plain post, a JSON post naming its origin, a request whose
    // Sec-Fetch-Site says another site, a WebSocket upgrade; nor does a
    // cookie of another port or a body with "on" twice. The page's own
    // request (its origin, JSON) and a room controller's (no Origin) do.
    void foreignOrigins()
    {
        ServerRig rig;
        QVERIFY(rig.started);
        const quint16 port = rig.server->port();
        const QByteArray other = "http://127.0.0.1:" + QByteArray::number(port + 1);
        const QByteArray cookie = "Cookie: " + rig.cookie(rig.tokens.operate) + "\r\n";
        auto post = [&](const QByteArray &headers, const QByteArray &body) {
            return "POST /api/v1/mixers/1/channels/3 HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) + "\r\n"
                   + cookie + headers + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
        };
        const QByteArray on = R"({"on": true})";
        const std::pair<QByteArray, QByteArray> refused[] = {
            {post("Origin: " + other + "\r\nContent-Type: text/plain\r\n", R"({"on":"=","on":true})"), "403"},
            {post("Origin: " + other + "\r\nContent-Type: application/json\r\n", on), "403"},
            {post("Sec-Fetch-Site: same-site\r\nContent-Type: application/json\r\n", on), "403"},
            {post("Origin: " + rig.origin() + "\r\nContent-Type: text/plain\r\n", on), "415"},
            {post("Origin: " + rig.origin() + "\r\nContent-Type: application/json\r\n", R"({"on":false,"on":true})"), "400"},
        };
        for (const auto &[request, status] : refused) {
            const QByteArray got = rawExchange(port, request);
            QVERIFY2(got.startsWith("HTTP/1.1 " + status), got.left(200).constData());
        }
        // The cookie of the name other servers of this host would set.
        rig.api.send("oldName", "POST", "/api/v1/mixers/1/channels/3", {}, on, "zkremote=" + rig.tokens.operate);
        rig.api.send("otherPort", "POST", "/api/v1/mixers/1/channels/3", {}, on,
                     cookieName(port + 1) + '=' + rig.tokens.operate);
        QVERIFY(rig.api.wait("oldName") && rig.api.wait("otherPort"));
        QCOMPARE(rig.api.answers["oldName"].status, 401);
        QCOMPARE(rig.api.answers["otherPort"].status, 401);
        // The events, opened from elsewhere, say nothing.
        for (const QByteArray &origin : {other, QByteArray("http://evil.example")}) {
            QByteArray answer;
            const auto socket = rawUpgrade(port, "Origin: " + origin + "\r\n" + cookie, answer);
            QVERIFY(socket);
            QVERIFY2(!answer.startsWith("HTTP/1.1 101") && !answer.contains("mixers"), answer.constData());
        }
        QCOMPARE(rig.server->eventClients(), 0);
        QCOMPARE(rig.presses, 0);

        // The page's own switch and a room controller's get through.
        const auto own = rawConnection(port);
        own->write(post("Origin: " + rig.origin() + "\r\nSec-Fetch-Site: same-origin\r\nContent-Type: application/json\r\n", on));
        QTRY_COMPARE(rig.presses, 1);
        rig.runEnds(true);
        QVERIFY(rawRead(*own, [](const QByteArray &got) { return got.contains("verified"); }).startsWith("HTTP/1.1 200"));
        rig.api.send("controller", "POST", "/api/v1/mixers/1/channels/3", rig.tokens.operate, R"({"on": false})");
        QTRY_COMPARE(rig.presses, 2);
        rig.runEnds(true);
        QVERIFY(rig.api.wait("controller"));
        QCOMPARE(rig.api.answers["controller"].status, 200);
        QByteArray answer;
        const auto events = rawUpgrade(port, "Origin: " + rig.origin() + "\r\n" + cookie, answer);
        QVERIFY2(answer.startsWith("HTTP/1.1 101"), answer.constData());
    }

    // HTTP as documented: a head of too many fields or bytes gets 431, a
    // body announced too large 413, and the connection closes after either;
    // answers on one connection follow their requests, also when the first
    // waits for its mixer; a server that stops sends a waiting switch its
    // 503 before the connection goes, and closes the events properly.
    void headsBodiesAndOrder()
    {
        ServerRig rig;
        QVERIFY(rig.started);
        const quint16 port = rig.server->port();
        const QByteArray auth = "Authorization: Bearer " + rig.tokens.operate + "\r\n";
        QByteArray fields;
        for (int i = 0; i < 100; ++i)
            fields += "X-Field-" + QByteArray::number(i) + ": 1\r\n";
        QByteArray many;
        for (int i = 0; i < 10000; ++i)
            many += "X: " + QByteArray::number(i) + "\r\n";
        const std::pair<QByteArray, QByteArray> closing[] = {
            {"GET /api/v1/status HTTP/1.1\r\nHost: x\r\n" + auth + fields + "\r\n", "431"},
            {"GET /api/v1/status HTTP/1.1\r\nHost: x\r\n" + auth + many + "\r\n", "431"},
            {"POST /api/v1/mixers/1/channels/3 HTTP/1.1\r\nHost: x\r\n" + auth
                 + "Content-Type: application/json\r\nContent-Length: 5000\r\n\r\n" + QByteArray(5000, ' '), "413"},
        };
        for (const auto &[request, status] : closing) {
            const auto s = rawConnection(port);
            s->write(request);
            const QByteArray got = rawRead(*s, [](const QByteArray &) { return false; }, 3000);
            QVERIFY2(got.startsWith("HTTP/1.1 " + status), got.left(100).constData());
            QVERIFY(got.contains("Connection: close"));
            QCOMPARE(s->state(), QAbstractSocket::UnconnectedState);
        }

        const QByteArray switchOn = "POST /api/v1/mixers/1/channels/3 HTTP/1.1\r\nHost: x\r\n" + auth
                                    + "Content-Type: application/json\r\nContent-Length: 12\r\n\r\n{\"on\": true}";
        const QByteArray status = "GET /api/v1/status HTTP/1.1\r\nHost: x\r\n" + auth + "\r\n";
        const auto s = rawConnection(port);
        s->write(switchOn + status);
        QTRY_COMPARE(rig.server->waitingSwitches(), 1);
        // The status is ready long before the switch: it waits its turn.
        QVERIFY(!QTest::qWaitFor([&] { return s->bytesAvailable() > 0; }, 300));
        rig.runEnds(true);
        const QByteArray both = rawRead(*s, [](const QByteArray &got) { return got.count("HTTP/1.1 200") == 2; });
        QVERIFY2(both.count("HTTP/1.1 200") == 2, both.constData());
        QVERIFY(both.indexOf("\"verified\":true") < both.indexOf("\"mixers\""));

        EventsClient watcher;
        watcher.open(port, rig.tokens.watch);
        QTRY_COMPARE(rig.server->eventClients(), 1);
        const auto stopped = rawConnection(port);
        stopped->write("POST /api/v1/mixers/1/channels/3 HTTP/1.1\r\nHost: x\r\n" + auth
                       + "Content-Type: application/json\r\nContent-Length: 13\r\n\r\n{\"on\": false}");
        QTRY_COMPARE(rig.server->waitingSwitches(), 1);
        rig.server->stop();
        const QByteArray last = rawRead(*stopped, [](const QByteArray &) { return false; });
        QVERIFY2(last.startsWith("HTTP/1.1 503"), last.constData());
        // The event clients are told the server goes, not cut off.
        QTRY_VERIFY(watcher.closed);
        QCOMPARE(watcher.socket.closeCode(), QWebSocketProtocol::CloseCodeGoingAway);
    }

    // The event slots: at most 8 for one address and 16 for one token. A
    // client that answers the pings stays, one that never does is dropped
    // 30 s after it was last heard (the program's clock); renewing the
    // tokens frees every slot at once.
    void eventSlots()
    {
        ServerRig rig(true);
        QVERIFY(rig.started);
        const quint16 port = rig.server->port();
        const QByteArray watch = "Authorization: Bearer " + rig.tokens.watch + "\r\n";
        const QByteArray operate = "Authorization: Bearer " + rig.tokens.operate + "\r\n";
        std::vector<std::unique_ptr<QTcpSocket>> mute;
        auto open = [&](const QByteArray &token, const char *from) {
            QByteArray answer;
            mute.push_back(rawUpgrade(port, token, answer, QHostAddress(QString::fromLatin1(from))));
            return answer.left(12);
        };
        for (int i = 0; i < Remote::MaxEventClientsPerAddress; ++i)
            QCOMPARE(open(watch, "127.0.0.1"), QByteArray("HTTP/1.1 101"));
        QCOMPARE(open(operate, "127.0.0.1"), QByteArray("HTTP/1.1 503"));
        for (int i = 0; i < Remote::MaxEventClientsPerToken - Remote::MaxEventClientsPerAddress; ++i)
            QCOMPARE(open(watch, "127.0.0.2"), QByteArray("HTTP/1.1 101"));
        QCOMPARE(open(watch, "127.0.0.3"), QByteArray("HTTP/1.1 503"));
        QCOMPARE(open(operate, "127.0.0.3"), QByteArray("HTTP/1.1 101"));
        QTRY_COMPARE(rig.server->eventClients(), Remote::MaxEventClientsPerToken + 1);
        rig.server->setTokens(RemoteTokens::generate());
        QCOMPARE(rig.server->eventClients(), 0);

        rig.server->setTokens(rig.tokens);
        mute.clear();
        rig.manual.advance(2); // a new second of requests
        QByteArray answer;
        const auto silent = rawUpgrade(port, watch, answer);
        EventsClient answering;
        answering.open(port, rig.tokens.watch);
        QTRY_COMPARE(rig.server->eventClients(), 2);
        const double start = rig.manual.now();
        rig.manual.advance(RemoteEvents::PingInterval);
        rig.server->events().sweep();
        QTRY_COMPARE(rig.server->events().heardSince(start + 1), 1); // the pong
        rig.manual.advance(RemoteEvents::SilentLimit - RemoteEvents::PingInterval + 1);
        rig.server->events().sweep();
        QCOMPARE(rig.server->eventClients(), 1);
        QTRY_COMPARE(silent->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(answering.socket.state(), QAbstractSocket::ConnectedState);
    }

    // Requests are counted per token, and those without a valid token apart,
    // per address: a flood of refused requests from the client's own address
    // leaves the client's budget alone.
    void refusedRequestsCountApart()
    {
        ServerRig rig;
        QVERIFY(rig.started);
        for (int i = 0; i < 100; ++i) {
            rig.api.send("flood" + QString::number(i), "GET", "/api/v1/status");
            if (i % 10 == 0)
                rig.api.send("client" + QString::number(i), "GET", "/api/v1/status", rig.tokens.watch);
        }
        QTRY_VERIFY_WITH_TIMEOUT(rig.api.allDone(), 10000);
        int limited = 0;
        for (const auto &[name, a] : rig.api.answers) {
            if (name.startsWith("client"))
                QVERIFY2(a.status == 200, qPrintable(name + ": " + QString::number(a.status)));
            else
                limited += a.status == 429;
        }
        QVERIFY(limited > 0);
    }

    // While a modal window holds the program: the status and the events say
    // so, a new switch gets 503 at once and presses nothing, and a switch
    // that was waiting gets 503 and its press is taken back, so that nothing
    // asked now happens once someone answers the window.
    void heldByAModalWindow()
    {
        ServerRig rig;
        QVERIFY(rig.started);
        EventsClient watcher;
        watcher.open(rig.server->port(), rig.tokens.watch);
        QTRY_COMPARE(watcher.of("status").size(), 1);
        const QString path = "/api/v1/mixers/1/channels/3";
        rig.api.send("waiting", "POST", path, rig.tokens.operate, R"({"on": true})");
        QTRY_COMPARE(rig.server->waitingSwitches(), 1);
        rig.blocked = "message";
        QVERIFY(rig.api.wait("waiting"));
        QCOMPARE(rig.api.answers["waiting"].status, 503);
        QCOMPARE(rig.api.answers["waiting"].json()["blocked"].toString(), QString("message"));
        QCOMPARE(rig.presses, 2);
        QCOMPARE(rig.panel.slot(0, 2).IconOnOff, false);
        QTRY_COMPARE(watcher.of("blocked").size(), 1);

        rig.api.send("new", "POST", path, rig.tokens.operate, R"({"on": true})");
        rig.api.send("status", "GET", "/api/v1/status", rig.tokens.watch);
        QVERIFY(rig.api.wait("new") && rig.api.wait("status"));
        QCOMPARE(rig.api.answers["new"].status, 503);
        QVERIFY(rig.api.answers["new"].ms < 1000);
        QCOMPARE(rig.presses, 2);
        QCOMPARE(rig.api.answers["status"].json()["blocked"].toString(), QString("message"));
        rig.blocked.clear();
        QTRY_COMPARE(watcher.of("blocked").size(), 2);
        QVERIFY(watcher.of("blocked").last()["blocked"].isNull());
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
