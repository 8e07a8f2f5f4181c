// The remote server's decoders and rules without sockets: routes, bodies,
// tokens and the token file, the request budget, the sync view and the
// events between two snapshots.

#include "link/linkstate.h"
#include "remote/controlline.h"
#include "remote/controlwords.h"
#include "remote/remoteaccess.h"
#include "remote/remotejson.h"
#include "remote/remotemeeting.h"
#include "remote/remoterequest.h"
#include "remote/remotesync.h"
#include "tests/remote/fakesync.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

Q_DECLARE_METATYPE(HttpMethod)
Q_DECLARE_METATYPE(RouteKind)
Q_DECLARE_METATYPE(ControlVerb)

class TestRemoteLogic : public QObject
{
    Q_OBJECT

private slots:
    void routes_data()
    {
        QTest::addColumn<HttpMethod>("method");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<RouteKind>("kind");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<int>("mixer");
        QTest::addColumn<int>("channel");
        using M = HttpMethod;
        using K = RouteKind;
        QTest::newRow("page") << M::Get << QByteArray("/") << K::Page << true << -1 << -1;
        // The page's two scripts, and no other file.
        QTest::newRow("meeting script") << M::Get << QByteArray("/meeting.js") << K::Script << true << -1 << -1;
        QTest::newRow("other script") << M::Get << QByteArray("/other.js") << K::NotFound << false << -1 << -1;
        QTest::newRow("status head") << M::Head << QByteArray("/api/v1/status") << K::Status << true << -1 << -1;
        QTest::newRow("status put") << M::Put << QByteArray("/api/v1/status") << K::Status << false << -1 << -1;
        QTest::newRow("channel") << M::Post << QByteArray("/api/v1/mixers/16/channels/8") << K::Channel << true << 16 << 8;
        QTest::newRow("channel get") << M::Get << QByteArray("/api/v1/mixers/1/channels/1") << K::Channel << false << 1 << 1;
        // Out of range or not a number: still the route, so the answer is 404 "not linked".
        QTest::newRow("mixer 0") << M::Post << QByteArray("/api/v1/mixers/0/channels/1") << K::Channel << true << 0 << 1;
        QTest::newRow("mixer text") << M::Post << QByteArray("/api/v1/mixers/x/channels/1") << K::Channel << true << -1 << 1;
        QTest::newRow("mixer long") << M::Post << QByteArray("/api/v1/mixers/0001/channels/1") << K::Channel << true << -1 << 1;
        QTest::newRow("signed") << M::Post << QByteArray("/api/v1/mixers/-1/channels/+1") << K::Channel << true << -1 << -1;
        QTest::newRow("extra part") << M::Post << QByteArray("/api/v1/mixers/1/channels/1/x") << K::NotFound << false << -1 << -1;
        QTest::newRow("trailing slash") << M::Get << QByteArray("/api/v1/status/") << K::NotFound << false << -1 << -1;
        QTest::newRow("other version") << M::Get << QByteArray("/api/v2/status") << K::NotFound << false << -1 << -1;
        QTest::newRow("events") << M::Get << QByteArray("/api/v1/events") << K::Events << true << -1 << -1;
        QTest::newRow("dot dot") << M::Get << QByteArray("/api/v1/../v1/status") << K::NotFound << false << -1 << -1;
        QTest::newRow("huge") << M::Get << QByteArray(100000, '/') << K::NotFound << false << -1 << -1;
        QTest::newRow("meeting") << M::Get << QByteArray("/api/v1/meeting") << K::Meeting << true << -1 << -1;
        QTest::newRow("meeting post") << M::Post << QByteArray("/api/v1/meeting") << K::Meeting << false << -1 << -1;
        QTest::newRow("all off") << M::Post << QByteArray("/api/v1/meeting/all-off") << K::MeetingAllOff << true << -1 << -1;
        QTest::newRow("next get") << M::Get << QByteArray("/api/v1/meeting/next") << K::MeetingNext << false << -1 << -1;
        QTest::newRow("request") << M::Post << QByteArray("/api/v1/meeting/requests") << K::MeetingRequests << true << -1 << -1;
        QTest::newRow("withdraw") << M::Delete << QByteArray("/api/v1/meeting/requests/2/7") << K::MeetingRequest << true << 2 << 7;
        QTest::newRow("withdraw post") << M::Post << QByteArray("/api/v1/meeting/requests/2/7") << K::MeetingRequest << false << 2 << 7;
        QTest::newRow("settings") << M::Put << QByteArray("/api/v1/meeting/settings") << K::MeetingSettings << true << -1 << -1;
    }
    void routes()
    {
        QFETCH(HttpMethod, method);
        QFETCH(QByteArray, path);
        const Route r = routeOf(method, path);
        QTEST(r.kind, "kind");
        QTEST(r.methodAllowed, "allowed");
        if (r.kind == RouteKind::Channel || r.kind == RouteKind::MeetingRequest) {
            QTEST(r.mixer, "mixer");
            QTEST(r.channel, "channel");
            QCOMPARE(r.allowed, QByteArray(r.kind == RouteKind::Channel ? "POST" : "DELETE"));
        }
    }

    // A request to speak names a seat; the meeting's rules change only
    // within their ranges, and what a body leaves out stays.
    void meetingBodies()
    {
        const SeatBody seat = parseSeatBody(R"({"mixer": 2, "channel": 7})");
        QVERIFY(seat.error.isEmpty());
        QCOMPARE(seat.mixer, 2);
        QCOMPARE(seat.channel, 7);
        for (const QByteArray &bad : {QByteArray(R"({"mixer": 2})"), QByteArray(R"({"mixer": 2, "channel": 1.5})"),
                                      QByteArray(R"({"mixer": "2", "channel": 7})"), QByteArray("[2, 7]")})
            QVERIFY2(!parseSeatBody(bad).error.isEmpty(), bad.constData());
        MeetingSettings current;
        current.speakingLimit = 300;
        QString error;
        const auto fifo = parseMeetingSettings(R"({"limit": {"max": 2, "mode": "fifo"}})", current, error);
        QVERIFY2(fifo, qPrintable(error));
        QCOMPARE(fifo->micLimit, 2);
        QCOMPARE(fifo->micMode, MicLimitMode::Fifo);
        QCOMPARE(fifo->speakingLimit, 300);
        const auto none = parseMeetingSettings(R"({"limit": {"max": null}, "speakingLimit": {"seconds": null, "atEnd": "off"}})",
                                               *fifo, error);
        QVERIFY2(none, qPrintable(error));
        QCOMPARE(none->micLimit, 0);
        QCOMPARE(none->speakingLimit, 0);
        QCOMPARE(none->atEnd, SpeakingEnd::SwitchOff);
        for (const QByteArray &bad : {QByteArray(R"({"limit": {"max": 0}})"), QByteArray(R"({"limit": {"max": 33}})"),
                                      QByteArray(R"({"limit": {"mode": "lifo"}})"),
                                      QByteArray(R"({"speakingLimit": {"seconds": 59}})"),
                                      QByteArray(R"({"speakingLimit": {"seconds": 3601}})"),
                                      QByteArray(R"({"speakingLimit": {"warning": null}})"),
                                      QByteArray(R"({"limits": {}})"), QByteArray("nonsense")}) {
            error.clear();
            QVERIFY2(!parseMeetingSettings(bad, current, error), bad.constData());
            QVERIFY(!error.isEmpty());
        }
    }

    void switchBodies()
    {
        QCOMPARE(parseSwitchBody(R"({"on": true})").on, std::optional<bool>(true));
        QCOMPARE(parseSwitchBody(R"( {"on":false} )").on, std::optional<bool>(false));
        // Everything else is refused with a reason, never taken as "off".
        for (const QByteArray &bad : {QByteArray(), QByteArray("{}"), QByteArray(R"({"on": 1})"),
                                      QByteArray(R"({"on": "true"})"), QByteArray(R"({"On": true})"),
                                      QByteArray(R"({"on": true, "x": 1})"), QByteArray("[true]"),
                                      QByteArray(R"({"on": tru)"), QByteArray("\xff\xfe{"),
                                      // The same name twice: a reader keeps the last.
                                      QByteArray(R"({"on": false, "on": true})"),
                                      QByteArray(R"({"on":"=","on":true})"),
                                      QByteArray("{\"o\\u006e\": false, \"on\": true}")}) {
            const SwitchBody b = parseSwitchBody(bad);
            QVERIFY2(!b.on, bad.constData());
            QVERIFY(!b.error.isEmpty());
        }
        QVERIFY(!parseSwitchBody(R"({"on": true})" + QByteArray(5000, ' ')).on);
        // The reasons are for the client's author: English whatever the
        // language of Qt's own texts.
        QTranslator japanese;
        QVERIFY(japanese.load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
        QCoreApplication::installTranslator(&japanese);
        const QString reason = parseSwitchBody(R"({"on": tru)").error;
        QCoreApplication::removeTranslator(&japanese);
        QVERIFY2(reason.contains("illegal value"), qPrintable(reason));
    }

    // Where a browser's request comes from: its Origin must be this
    // server's own, scheme, host and port; without one Sec-Fetch-Site must
    // not name another site; a client that sends neither is no page.
    void origins()
    {
        const QByteArray host = "127.0.0.1:8340";
        QVERIFY(sameOrigin("http://127.0.0.1:8340", {}, host, false));
        QVERIFY(sameOrigin("HTTP://127.0.0.1:8340", "same-origin", host, false));
        QVERIFY(sameOrigin("https://[::1]:8340", {}, "[::1]:8340", true));
        QVERIFY(!sameOrigin("http://127.0.0.1:8341", {}, host, false)); // another port of the host
        QVERIFY(!sameOrigin("https://127.0.0.1:8340", {}, host, false));
        QVERIFY(!sameOrigin("http://evil.example", "same-origin", host, false));
        QVERIFY(!sameOrigin("null", {}, host, false));
        QVERIFY(!sameOrigin("http://127.0.0.1:8340", {}, {}, false));  // no Host to compare with
        QVERIFY(sameOrigin({}, {}, host, false));                      // curl, a room controller
        QVERIFY(sameOrigin({}, "same-origin", host, false));
        QVERIFY(!sameOrigin({}, "same-site", host, false));
        QVERIFY(!sameOrigin({}, "cross-site", host, false));
        QVERIFY(isJsonType("application/json"));
        QVERIFY(isJsonType("Application/JSON; charset=utf-8"));
        QVERIFY(!isJsonType("text/plain"));
        QVERIFY(!isJsonType("application/jsonp"));
        QVERIFY(!isJsonType({}));
        // The name the interface's description gives, one for each port.
        QCOMPARE(cookieName(8340), QByteArray("zkremote-8340"));
        QVERIFY(cookieName(8340) != cookieName(8341));
    }

    // A connection's bytes framed request by request, however they are
    // cut: the fields of each head counted on their own, bodies skipped by
    // their length, and every kind of refusal.
    void framing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<int>("requests");
        using V = RequestFraming::Verdict;
        const auto fields = [](int n) {
            QByteArray out;
            for (int i = 0; i < n; ++i)
                out += "X-" + QByteArray::number(i) + ": 1\r\n";
            return out;
        };
        const QByteArray get = "GET / HTTP/1.1\r\n";
        const QByteArray post = "POST /a HTTP/1.1\r\n";
        QTest::newRow("pipelined") << post + "Content-Length: 14\r\n\r\n{\"on\":\n\n\ntrue}" + get + "Host: x\r\n\r\n"
                                   << int(V::Fine) << 2;
        QTest::newRow("fields of two heads")
            << post + fields(60) + "Content-Length: 3\r\n\r\n\n\n\n" + get + fields(64) + "\r\n" << int(V::Fine) << 2;
        QTest::newRow("bare line ends") << "\r\n" + get + "Host: x\n\n" << int(V::Fine) << 1;
        QTest::newRow("64 fields") << get + fields(64) + "\r\n" << int(V::Fine) << 1;
        QTest::newRow("65 fields") << get + fields(65) << int(V::HeadTooLarge) << 0;
        QTest::newRow("10000 fields") << get + fields(10000) << int(V::HeadTooLarge) << 0;
        QTest::newRow("one long field") << get + "X: " + QByteArray(Remote::MaxHeadBytes, 'a') << int(V::HeadTooLarge) << 0;
        QTest::newRow("body too large") << post + "Content-Length: 4097\r\n\r\n" << int(V::BodyTooLarge) << 1;
        QTest::newRow("largest body") << post + "Content-Length: 4096\r\n\r\n" + QByteArray(4096, '\n') + get + "\r\n"
                                      << int(V::Fine) << 2;
        QTest::newRow("chunked") << post + "Transfer-Encoding: chunked\r\n\r\n" << int(V::LengthRequired) << 1;
        QTest::newRow("signed length") << post + "Content-Length: -1\r\n\r\n" << int(V::Malformed) << 1;
        QTest::newRow("length with a plus") << post + "Content-Length: +5\r\n\r\n" << int(V::Malformed) << 1;
        QTest::newRow("two lengths") << post + "Content-Length: 1\r\nContent-Length: 2\r\n\r\n" << int(V::Malformed) << 1;
        QTest::newRow("huge length") << post + "Content-Length: 99999999999999999999\r\n\r\n" << int(V::Malformed) << 1;
    }
    void framing()
    {
        QFETCH(QByteArray, bytes);
        for (const int cut : {int(bytes.size()), 1, 7}) {
            RequestFraming framing;
            for (qsizetype i = 0; i < bytes.size(); i += cut)
                framing.feed(bytes.mid(i, cut));
            QTEST(int(framing.verdict()), "verdict");
            QTEST(framing.requests(), "requests");
        }
    }

    void tokensAndHeaders()
    {
        const RemoteTokens t = RemoteTokens::generate();
        QVERIFY(t.valid());
        QVERIFY(t.operate != RemoteTokens::generate().operate);
        QCOMPARE(t.accessOf(t.operate), RemoteAccess::Operate);
        QCOMPARE(t.accessOf(t.watch), RemoteAccess::Watch);
        QCOMPARE(t.accessOf({}), RemoteAccess::None);
        QCOMPARE(t.accessOf(t.operate.chopped(1)), RemoteAccess::None);
        QCOMPARE(t.accessOf(t.operate + "\r\nX: y"), RemoteAccess::None);

        QCOMPARE(bearerToken("Bearer abc"), QByteArray("abc"));
        QCOMPARE(bearerToken("bearer   abc  "), QByteArray("abc"));
        QCOMPARE(bearerToken("Basic abc"), QByteArray());
        QCOMPARE(bearerToken("Bearer"), QByteArray());
        QCOMPARE(bearerToken("Bearerabc"), QByteArray());
        QCOMPARE(cookieValue("a=1; zkremote=T0k; b=2", "zkremote"), QByteArray("T0k"));
        QCOMPARE(cookieValue("xzkremote=1", "zkremote"), QByteArray());
        QCOMPARE(cookieValue("=;;=", "zkremote"), QByteArray());
        // The bearer token goes before the cookie; either alone is taken.
        QCOMPARE(presentedToken("Bearer abc", "zkremote=T0k", "zkremote"), QByteArray("abc"));
        QCOMPARE(presentedToken("Basic abc", "zkremote=T0k", "zkremote"), QByteArray("T0k"));
        QCOMPARE(presentedToken({}, "a=1", "zkremote"), QByteArray());
    }

    // The request budget: 20 in any second per client, others unaffected;
    // a refused request does not count, so the client is let in again.
    void rateLimit()
    {
        RateLimiter limiter;
        const QHostAddress a("192.0.2.1");
        const QHostAddress b("192.0.2.2");
        int admitted = 0;
        for (int i = 0; i < 200; ++i)
            admitted += limiter.admit(a, 10.0 + i * 0.001);
        QCOMPARE(admitted, 20);
        QVERIFY(limiter.admit(b, 10.2));
        QVERIFY(limiter.retryAfter(a, 10.5) > 0.4);
        QVERIFY(!limiter.admit(a, 10.99));
        // The same client over IPv4-mapped IPv6 is one client.
        QVERIFY(!limiter.admit(QHostAddress("::ffff:192.0.2.1"), 10.99));
        QVERIFY(limiter.admit(a, 11.0));
        limiter.prune(20.0);
        QCOMPARE(limiter.clients(), 0);
    }

    void tokenFile()
    {
        QTemporaryDir dir;
        const RemoteTokens t = RemoteTokens::generate();
        const QString path = dir.filePath("tokens");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(t.operate + "\n" + t.watch + "\n");
        f.close();
        RemoteTokens read;
        QString error;
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY2(readTokenFile(path, read, error), qPrintable(error));
        QCOMPARE(read.operate, t.operate);
        QCOMPARE(read.watch, t.watch);
        // Readable by the group: refused, nothing taken.
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        RemoteTokens none;
        QVERIFY(!readTokenFile(path, none, error));
        QVERIFY(error.contains("chmod 600"));
        QVERIFY(none.operate.isEmpty());
        // One line only, or the same token twice: refused.
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(t.operate + "\n" + t.operate);
        f.close();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(!readTokenFile(path, none, error));
        QVERIFY(!readTokenFile(dir.filePath("missing"), none, error));
        QVERIFY(!readTokenFile(dir.path(), none, error));
    }

    void listenAddresses()
    {
        QString address;
        quint16 port = 0;
        QVERIFY(parseListenAddress("0.0.0.0:8340", address, port));
        QCOMPARE(address, QString("0.0.0.0"));
        QCOMPARE(port, quint16(8340));
        QVERIFY(parseListenAddress("[::1]:80", address, port));
        QCOMPARE(address, QString("::1"));
        for (const char *bad : {"8340", "host:8340", "1.2.3.4:", "1.2.3.4:0", "1.2.3.4:70000", ":80", "1.2.3.4:8x"})
            QVERIFY2(!parseListenAddress(bad, address, port), bad);
    }

    // A channel's switch is two values; it shows the worse of them, and only
    // changes of those two values are passed on.
    void channelStates()
    {
        FakeSync status;
        RemoteSyncView view;
        QSignalSpy changed(&view, &RemoteSyncView::changed);
        const int on3 = channelKeyId(ChannelFamily::RemoteOn, 3);
        const int off3 = channelKeyId(ChannelFamily::RemoteOff, 3);
        QCOMPARE(view.channelState(1, 3), RemoteValueState::Settled); // no link yet
        view.attach(&status);
        status.set(1, on3, ValueState::Waiting);
        QCOMPARE(view.channelState(1, 3), RemoteValueState::Waiting);
        status.set(1, on3, ValueState::Verified);
        QCOMPARE(view.channelState(1, 3), RemoteValueState::Verified); // RemoteOff not written
        status.set(1, off3, ValueState::Waiting);
        QCOMPARE(view.channelState(1, 3), RemoteValueState::Waiting);
        status.set(1, off3, ValueState::Failed);
        QCOMPARE(view.channelState(1, 3), RemoteValueState::Failed);
        status.set(1, channelKeyId(ChannelFamily::InputGain, 3), ValueState::Waiting);
        QCOMPARE(changed.count(), 5); // the attach and four switch values
        QCOMPARE(view.state(0, on3), RemoteValueState::Settled);
        QCOMPARE(view.state(1, channelKeyId(ChannelFamily::InputGain, 3)), RemoteValueState::Settled);
        view.attach(nullptr);
        QCOMPARE(view.channelState(1, 3), RemoteValueState::Settled);
    }

    void snapshotsAndEvents()
    {
        MixerState mixers;
        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        FakeSync status{mixers};
        RemoteSyncView view;
        view.attach(&status);
        mixers.MixerCount = 1;
        const RemoteSnapshot a = RemoteSnapshot::take(mixers, link, view, true, false);
        QVERIFY(a.connected);
        QCOMPARE(statusJson(a).value("mixers").toArray().size(), 1);
        QCOMPARE(statusJson(a)["mixers"][0]["channels"].toArray().size(), 8);
        QVERIFY(eventsBetween(a, a).empty());

        mixers.MixerCount = 2;
        status.submit(1, {{channelKeyId(ChannelFamily::RemoteOn, 2), 1}, {channelKeyId(ChannelFamily::RemoteOff, 2), 0}},
                      Submit::Copy);
        status.set(1, channelKeyId(ChannelFamily::RemoteOn, 2), ValueState::Waiting);
        const RemoteSnapshot b = RemoteSnapshot::take(mixers, link, view, true, true);
        const std::vector<QJsonObject> events = eventsBetween(a, b);
        // Count, panel, mixer 1 channel 2, and the eight channels of the new mixer.
        QCOMPARE(events.size(), size_t(11));
        QCOMPARE(events[0]["type"].toString(), QString("mixerCount"));
        QCOMPARE(events[1]["executing"].toBool(), true);
        QCOMPARE(events[2]["mixer"].toInt(), 1);
        QCOMPARE(events[2]["channel"].toInt(), 2);
        QCOMPARE(events[2]["on"].toBool(), true);
        QCOMPARE(events[2]["reported"].toBool(), false);
        QCOMPARE(events[2]["sync"].toString(), QString("waiting"));

        link.closed = true;
        const RemoteSnapshot c = RemoteSnapshot::take(mixers, link, view, true, true);
        QCOMPARE(eventsBetween(b, c).front()["link"].toObject()["connected"].toBool(), false);
        QCOMPARE(cssColor(0x0080FF), QString("#FF8000"));
    }

    void panelDescription()
    {
        PanelState panel;
        ButtonSlot &b = panel.slot(1, 2);
        b.IconEnable = true;
        b.IconText = QStringLiteral("議長\r\nマイク\r\n3行目");
        b.IconLeft = 100;
        b.IconColorOn = 0x0000FF;
        b.IconOnOff = true;
        panel.slot(1, Panel::OutputSlot).IconEnable = true;
        panel.slot(2, 0).IconEnable = true; // beyond the panel's mixers
        const QJsonObject p = panelJson(panel, 2, true);
        const QJsonArray buttons = p["buttons"].toArray();
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons[0]["mixer"].toInt(), 2);
        QCOMPARE(buttons[0]["channel"].toInt(), 3);
        QCOMPARE(buttons[0]["caption"].toArray().size(), 2);
        QCOMPARE(buttons[0]["onColor"].toString(), QString("#FF0000"));
        QCOMPARE(buttons[0]["on"].toBool(), true);
        QVERIFY(!buttons[1].toObject().contains("channel"));
        QVERIFY(!buttons[1].toObject().contains("on"));
    }

    // A room controller's lines: the command words in any case, numbers of
    // at most two digits, nothing missing and nothing left over.
    void controlLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<ControlVerb>("verb");
        QTest::addColumn<int>("mixer");
        QTest::addColumn<int>("channel");
        using V = ControlVerb;
        QTest::newRow("login") << QByteArray("LOGIN abc-DEF_123") << V::Login << 0 << 0;
        QTest::newRow("mic on, any case, tabs") << QByteArray("mic\ton  1   3") << V::MicOn << 1 << 3;
        QTest::newRow("mic off") << QByteArray("MIC OFF 16 8") << V::MicOff << 16 << 8;
        QTest::newRow("query") << QByteArray("MIC? 2 5") << V::MicQuery << 2 << 5;
        QTest::newRow("out of range is the server's 404") << QByteArray("MIC ON 99 0") << V::MicOn << 99 << 0;
        QTest::newRow("request") << QByteArray("REQUEST 1 2") << V::Request << 1 << 2;
        QTest::newRow("withdraw") << QByteArray("WITHDRAW 1 2") << V::Withdraw << 1 << 2;
        QTest::newRow("alloff") << QByteArray("ALLOFF") << V::AllOff << 0 << 0;
        QTest::newRow("next") << QByteArray(" next ") << V::Next << 0 << 0;
        QTest::newRow("status") << QByteArray("STATUS?") << V::Status << 0 << 0;
        QTest::newRow("help") << QByteArray("HELP") << V::Help << 0 << 0;
        QTest::newRow("quit") << QByteArray("QUIT") << V::Quit << 0 << 0;
        for (const char *bad : {"LOGIN", "LOGIN a b", "MIC ON 1", "MIC ON 1 3 4", "MIC SIDEWAYS 1 3", "MIC ON 100 1",
                                "MIC ON -1 3", "MIC ON x 3", "MIC? 1", "STATUS? now", "QUIT please", "REQUEST 1",
                                "MIC ON 1 3\x01", "JUMP"})
            QTest::newRow(bad) << QByteArray(bad) << V::Malformed << 0 << 0;
    }

    void controlLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(ControlVerb, verb);
        QFETCH(int, mixer);
        QFETCH(int, channel);
        const ControlCommand c = parseControlLine(line);
        QCOMPARE(c.verb, verb);
        QCOMPARE(c.problem.isEmpty(), verb != ControlVerb::Malformed);
        if (verb == ControlVerb::Malformed)
            return;
        QCOMPARE(c.mixer, mixer);
        QCOMPARE(c.channel, channel);
        if (verb == ControlVerb::Login)
            QCOMPARE(c.token, QByteArray("abc-DEF_123"));
        QCOMPARE(meetingVerb(verb), verb == ControlVerb::AllOff || verb == ControlVerb::Next
                                        || verb == ControlVerb::Request || verb == ControlVerb::Withdraw);
    }

    // CR, LF and CR LF end lines, cut anywhere; 256 bytes are a line, 257
    // close the client, as does a byte above 0x7F; HTTP is recognised.
    void controlFraming()
    {
        LineFraming f;
        QCOMPARE(f.feed("HELP\r\nSTA"), QList<QByteArray>{"HELP"});
        QCOMPARE(f.feed("TUS?\rQUIT\n\n"), (QList<QByteArray>{"STATUS?", "QUIT"}));
        QCOMPARE(f.verdict(), LineFraming::Verdict::Fine);
        const QByteArray full(Control::MaxLineBytes, 'x');
        QCOMPARE(f.feed(full + "\n"), QList<QByteArray>{full});
        QCOMPARE(f.feed(full + "x\n"), QList<QByteArray>{});
        QCOMPARE(f.verdict(), LineFraming::Verdict::LineTooLong);
        QCOMPARE(f.feed("HELP\n"), QList<QByteArray>{}); // the refusal sticks
        LineFraming g;
        QCOMPARE(g.feed("HELP\nMIC ON 1 \xe3\n"), QList<QByteArray>{"HELP"});
        QCOMPARE(g.verdict(), LineFraming::Verdict::NotAscii);
        QVERIFY(looksLikeHttp("POST / HTTP/1.1"));
        QVERIFY(looksLikeHttp("Origin: http://elsewhere.example"));
        QVERIFY(!looksLikeHttp("MIC ON 1 3"));
        QVERIFY(!looksLikeHttp("LOGIN abc"));
    }

    // The line protocol's words for the same snapshots and outcomes the page
    // gets: a switch's answer, the status, and events only for a seat that
    // settled (verified or failed), the link, the count and the panel.
    void controlWords()
    {
        QCOMPARE(switchLine({SwitchError::None, {}, true}, 1, 3, true), QByteArray("OK MIC 1 3 ON"));
        QCOMPARE(switchLine({SwitchError::NotVerified, {}, true}, 1, 3, false), QByteArray("ERR 504 not verified"));
        QCOMPARE(switchLine({SwitchError::NotExecuting}, 1, 3, true), QByteArray("ERR 409 panel not executing"));
        QCOMPARE(switchLine({SwitchError::Blocked, "message"}, 1, 3, true), QByteArray("ERR 503 blocked message"));
        QCOMPARE(switchLine({SwitchError::NotLinked}, 9, 3, true), QByteArray("ERR 404 not linked"));
        QCOMPARE(switchLine({SwitchError::NoWriteAccess}, 1, 3, true), QByteArray("ERR 403 no write access"));

        MixerState mixers;
        LinkState link;
        link.linkKind = LinkKind::Ethernet;
        FakeSync status{mixers};
        RemoteSyncView view;
        view.attach(&status);
        mixers.MixerCount = 2;
        mixers.MixerData[2].channel(ChannelFamily::RemoteOn, 5) = 1;
        const RemoteSnapshot a = RemoteSnapshot::take(mixers, link, view, true, false);
        QCOMPARE(statusLine(a), QByteArray("OK STATUS LINK=UP MIXERS=2 PANEL=DESIGN BLOCKED=NONE ON=2/5"));
        QVERIFY(eventLines(a, a).isEmpty());

        const int on3 = channelKeyId(ChannelFamily::RemoteOn, 3);
        status.submit(1, {{on3, 1}, {channelKeyId(ChannelFamily::RemoteOff, 3), 0}}, Submit::Copy);
        status.set(1, on3, ValueState::Waiting);
        const RemoteSnapshot b = RemoteSnapshot::take(mixers, link, view, true, true);
        QCOMPARE(eventLines(a, b), QList<QByteArray>{"EVT PANEL EXECUTING"}); // waiting says nothing yet
        status.set(1, on3, ValueState::Verified);
        const RemoteSnapshot c = RemoteSnapshot::take(mixers, link, view, true, true);
        QCOMPARE(eventLines(b, c), QList<QByteArray>{"EVT MIC 1 3 ON"});
        status.set(1, on3, ValueState::Failed);
        link.closed = true;
        mixers.MixerCount = 1;
        RemoteSnapshot d = RemoteSnapshot::take(mixers, link, view, false, false);
        d.blocked = QStringLiteral("message");
        QCOMPARE(eventLines(c, d), (QList<QByteArray>{"EVT LINK DOWN", "EVT MIXERS 1", "EVT PANEL CLOSED",
                                                      "EVT BLOCKED MESSAGE", "EVT MIC 1 3 ON FAILED"}));
    }
};

ZK_TEST_GUILESS_MAIN(TestRemoteLogic)
#include "tst_remotelogic.moc"
