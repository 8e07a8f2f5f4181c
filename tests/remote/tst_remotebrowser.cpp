// A real browser, Debian's chromium, headless, driven over its DevTools
// protocol. Against the server alone, the page takes every answer the
// interface can give (scripted in the browser's network layer). Against the
// whole program it opens with the operate token, taps a channel button, and
// the virtual mixer holds the switch while the page shows it verified; the
// meeting's times run on the page, a seat asks to speak by key and 次の発言者
// switches it on, held by the mixer; another asks by right-click and its ×
// withdraws it; a wrong token shows no panel. The
// meeting's screenshot is kept (ZKVR340A_SCREENSHOTS names the folder).

#include "app/ui/frmmain.h"
#include "app/ui/remoteoperation.h"
#include "panel/ui/frmmdi.h"
#include "base/strings.h"
#include "remote/remoteserver.h"
#include "tests/remote/serverrig.h"
#include "tests/support/programrig.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QWebSocket>
#include <QtTest>

#include <deque>
#include <optional>

namespace {

// The browser's DevTools: one page, commands by id, results kept by id. With
// the Fetch domain on, the page's requests to the interface pause in the
// browser: reads go on at once (the panel's are counted), switches wait for
// the test to answer them.
class DevTools
{
public:
    struct Paused
    {
        QString id;
        QByteArray body;
    };

    void start(QProcess &browser)
    {
        QObject::connect(&browser, &QProcess::readyReadStandardError, &browser, [this, &browser] {
            m_stderr += browser.readAllStandardError();
            const int at = m_stderr.indexOf("DevTools listening on ws://");
            if (at < 0 || m_port != 0)
                return;
            const QByteArray rest = m_stderr.mid(at + 27);
            m_port = rest.mid(rest.indexOf(':') + 1, rest.indexOf('/') - rest.indexOf(':') - 1).toUShort();
            // The page's own endpoint, from the browser's list of targets.
            QNetworkReply *reply = m_net.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/json/list").arg(m_port))));
            QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply] {
                for (const QJsonValue &t : QJsonDocument::fromJson(reply->readAll()).array())
                    if (t["type"].toString() == "page") {
                        m_socket.open(QUrl(t["webSocketDebuggerUrl"].toString()));
                        break;
                    }
                reply->deleteLater();
            });
        });
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived, &m_socket, [this](const QString &m) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            if (o.contains("id"))
                m_results[o["id"].toInt()] = o;
            else if (o["method"].toString() == "Fetch.requestPaused")
                requestPaused(o["params"].toObject());
        });
    }
    bool ready() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    int send(const QString &method, const QJsonObject &params = {})
    {
        const int id = ++m_next;
        m_socket.sendTextMessage(QString::fromUtf8(
            QJsonDocument(QJsonObject{{"id", id}, {"method", method}, {"params", params}}).toJson(QJsonDocument::Compact)));
        return id;
    }
    int evaluate(const QString &expression)
    {
        return send("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}});
    }
    bool has(int id) const { return m_results.contains(id); }
    QJsonValue value(int id) const { return m_results.value(id)["result"].toObject()["result"].toObject()["value"]; }
    QJsonObject result(int id) const { return m_results.value(id)["result"].toObject(); }
    QByteArray log() const { return m_stderr.right(2000); }

    // For tests whose server needs no program loop: waits for the answer.
    QJsonObject call(const QString &method, const QJsonObject &params = {})
    {
        const int id = send(method, params);
        (void)QTest::qWaitFor([&] { return has(id); }, 10000);
        return result(id);
    }
    QJsonValue run(const QString &expression)
    {
        const int id = evaluate(expression);
        (void)QTest::qWaitFor([&] { return has(id); }, 10000);
        return value(id);
    }
    const std::deque<Paused> &paused() const { return m_paused; }
    // Answers the first waiting switch.
    void fulfil(int status, const QByteArray &body, const QByteArray &header = {})
    {
        QJsonArray headers{QJsonObject{{"name", "Content-Type"}, {"value", "application/json"}}};
        if (!header.isEmpty())
            headers.append(QJsonObject{{"name", QString::fromLatin1(header.left(header.indexOf(':')))},
                                       {"value", QString::fromLatin1(header.mid(header.indexOf(':') + 1).trimmed())}});
        send("Fetch.fulfillRequest", {{"requestId", m_paused.front().id}, {"responseCode", status},
                                      {"responseHeaders", headers}, {"body", QString::fromLatin1(body.toBase64())}});
        m_paused.pop_front();
    }
    // The next read of the panel waits for the test's answer too.
    void holdNextPanel() { m_holdPanel = true; }
    int posts() const { return m_posts; }
    int panelLoads() const { return m_panelLoads; }

private:
    void requestPaused(const QJsonObject &p)
    {
        const QJsonObject request = p["request"].toObject();
        if (request["method"].toString() == "POST") {
            ++m_posts;
            m_paused.push_back({p["requestId"].toString(), request["postData"].toString().toUtf8()});
            return;
        }
        if (request["url"].toString().endsWith("/api/v1/panel")) {
            ++m_panelLoads;
            if (std::exchange(m_holdPanel, false)) {
                m_paused.push_back({p["requestId"].toString(), {}});
                return;
            }
        }
        send("Fetch.continueRequest", {{"requestId", p["requestId"].toString()}});
    }

    QByteArray m_stderr;
    quint16 m_port = 0;
    QNetworkAccessManager m_net;
    QWebSocket m_socket;
    QHash<int, QJsonObject> m_results;
    int m_next = 0;
    std::deque<Paused> m_paused;
    int m_posts = 0;
    int m_panelLoads = 0;
    bool m_holdPanel = false;
};

} // namespace

class TestRemoteBrowser : public QObject
{
    Q_OBJECT

private slots:
    // The page against the server alone, the switches' answers scripted in
    // the browser's own network layer. On a phone held upright it shows
    // buttons a finger can hit, with no mark on seats nobody switched; a
    // burst of taps sends its last wish once; each status the interface can
    // give leaves the panel in place, unreloaded, and the seat as it is;
    // the watch page offers nothing to tap; a page whose program went away
    // says so, and one whose token changed shows the refused page.
    void pageAnswersEveryStatus()
    {
        const QString chromium = QStandardPaths::findExecutable("chromium");
        if (chromium.isEmpty())
            QSKIP("chromium is not installed (scripts/setup.sh installs it)");
        ServerRig rig;
        QVERIFY(rig.started);
        for (int slot : {0, 1, 3})
            rig.addButton(0, slot);
        // The output button where a new panel has it: at the desktop's right edge.
        rig.addButton(0, Panel::OutputSlot);
        rig.panel.slot(0, Panel::OutputSlot).IconLeft = 27240;
        // The panel's opening wrote every channel: all verified, none switched.
        for (int c = 1; c <= ChannelCount; ++c)
            for (ChannelFamily f : {ChannelFamily::RemoteOn, ChannelFamily::RemoteOff})
                rig.status.set(1, channelKeyId(f, c), ValueState::Verified);
        const quint16 port = rig.server->port();
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(port);
        QTemporaryDir profile;
        QProcess browser;
        DevTools tools;
        tools.start(browser);
        browser.start(chromium, {"--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                                 "--remote-debugging-port=0", "--remote-allow-origins=*",
                                 "--user-data-dir=" + profile.path(), "about:blank"});
        QTRY_VERIFY_WITH_TIMEOUT(tools.ready(), 20000);
        tools.call("Emulation.setDeviceMetricsOverride",
                   {{"width", 390}, {"height", 844}, {"deviceScaleFactor", 3}, {"mobile", true}});
        tools.call("Fetch.enable", {{"patterns", QJsonArray{QJsonObject{{"urlPattern", "*/api/v1/*"}}}}});
        tools.call("Page.navigate", {{"url", base + "/?token=" + QString::fromLatin1(rig.tokens.operate)}});
        const QString button = "document.querySelector('.btn[data-channel=\"%1\"]')";
        QTRY_VERIFY_WITH_TIMEOUT(tools.run("document.querySelectorAll('.btn[data-channel]').length === 4"
                                           " && document.getElementById('link').textContent !== ''").toBool(), 10000);
        const QString sizes = tools.run("document.body.className + ' ' + [...document.querySelectorAll('.btn')].map(b => {"
                                        " const r = b.getBoundingClientRect(); return [r.width >= 44 && r.height >= 44"
                                        " && b.scrollHeight <= b.clientHeight + 1, Math.round(r.width),"
                                        " Math.round(r.height), b.scrollHeight].join(':'); }).join(' ')").toString();
        QVERIFY2(sizes.startsWith("flow") && !sizes.contains("false"), qPrintable(sizes));
        QVERIFY(!tools.run("document.querySelector('meta[name=viewport]').content").toString().contains("user-scalable"));
        QVERIFY(tools.run("!!document.querySelector('link[rel=manifest]') && !!document.getElementById('full')").toBool());
        QCOMPARE(tools.run("document.querySelectorAll('.btn.verified').length").toInt(), 0);

        // Seven taps 120 ms apart: one switch, to the last wish.
        tools.run("window.stayed = true; for (let i = 0; i < 7; ++i) setTimeout(() => " + button.arg(3)
                  + ".click(), i * 120)");
        QTRY_COMPARE_WITH_TIMEOUT(tools.paused().size(), 1, 5000);
        QCOMPARE(tools.paused().front().body, QByteArray(R"({"on":true})"));
        tools.fulfil(200, R"({"verified":true,"mixer":1,"channel":3,"on":true})");
        QTRY_VERIFY(tools.run(button.arg(3) + ".className").toString().contains("verified"));
        QCOMPARE(tools.posts(), 1);
        QCOMPARE(tools.run("document.querySelectorAll('.btn.verified').length").toInt(), 1);
        if (qEnvironmentVariableIsSet("ZKVR340A_SCREENSHOTS")) {
            QFile shot(qEnvironmentVariable("ZKVR340A_SCREENSHOTS") + "/remote-phone.png");
            if (shot.open(QIODevice::WriteOnly))
                shot.write(QByteArray::fromBase64(
                    tools.call("Page.captureScreenshot", {{"format", "png"}})["data"].toString().toLatin1()));
        }

        // Every other answer: the panel stays, unreloaded; the seat shows
        // what the answer means.
        const int loads = tools.panelLoads();
        const struct { int status; QByteArray body; QByteArray header; const char *shown; } answers[] = {
            {400, R"({"error":"bad-body","message":"expected exactly one member"})", {}, "notice"},
            {403, R"({"error":"no-write-access"})", {}, "notice"},
            {404, R"({"error":"not-linked"})", {}, "off"},
            {409, R"({"error":"superseded","verified":false})", {}, "off"},
            {409, R"({"error":"limit"})", {}, "limited"}, // the meeting's microphone limit
            {413, R"({"error":"body-too-large"})", {}, "notice"},
            {429, R"({"error":"too-many-requests"})", "Retry-After: 1", "again"},
            {503, R"({"error":"blocked","blocked":"message"})", {}, "held"},
            {504, R"({"verified":false,"mixer":1,"channel":1,"on":true})", {}, "failed"},
        };
        for (const auto &a : answers) {
            const int before = tools.posts();
            tools.run(button.arg(1) + ".click()");
            QTRY_COMPARE_WITH_TIMEOUT(tools.paused().size(), 1, 5000);
            if (a.status == 404)
                tools.holdNextPanel(); // the panel is read again: answered 429, it stays as it is
            tools.fulfil(a.status, a.body, a.header);
            if (a.status == 404) {
                QTRY_COMPARE_WITH_TIMEOUT(tools.paused().size(), 1, 5000);
                tools.fulfil(429, R"({"error":"too-many-requests"})", "Retry-After: 1");
            }
            if (QByteArray(a.shown) == "again") {
                QTRY_COMPARE_WITH_TIMEOUT(tools.paused().size(), 1, 5000); // after Retry-After
                tools.fulfil(200, R"({"verified":true})");
            }
            const QString state = "(() => { const b = " + button.arg(1) + "; return [b.getAttribute('aria-pressed'),"
                                  " b.className, document.getElementById('notice').hidden,"
                                  " document.body.className, document.querySelectorAll('.btn').length,"
                                  " window.stayed === true].join(' '); })()";
            QTRY_VERIFY2(!tools.run(state).toString().contains("waiting"), qPrintable(tools.run(state).toString()));
            const QString seen = tools.run(state).toString();
            QVERIFY2(seen.endsWith(" 5 true"), qPrintable(QString::number(a.status) + ": " + seen));
            const QByteArray shown(a.shown);
            if (shown == "failed")
                QVERIFY2(seen.contains("failed"), qPrintable(seen));
            else if (shown == "again")
                QVERIFY2(seen.startsWith("true") && seen.contains("verified"), qPrintable(seen));
            else
                QVERIFY2(seen.startsWith("false") && !seen.contains("verified"), qPrintable(QString::number(a.status) + ": " + seen));
            if (shown == "notice" || shown == "held" || shown == "limited")
                QVERIFY2(seen.contains(" false "), qPrintable(seen));
            if (shown == "limited")
                QVERIFY2(seen.contains("limited") && tools.run("document.getElementById('notice').textContent").toString()
                             == str(14422), qPrintable(seen));
            if (shown == "held")
                QVERIFY2(seen.contains("held"), qPrintable(seen));
            QVERIFY2(tools.posts() == before + (shown == "again" ? 2 : 1), qPrintable(QString::number(a.status)));
            // Put back what the tap changed, as the next answer expects.
            if (shown == "again" || shown == "failed") {
                tools.run(button.arg(1) + ".click()");
                QTRY_COMPARE_WITH_TIMEOUT(tools.paused().size(), 1, 5000);
                tools.fulfil(200, R"({"verified":true})");
                QTRY_VERIFY(tools.run(button.arg(1) + ".getAttribute('aria-pressed')").toString() == "false");
            }
        }
        QVERIFY2(tools.panelLoads() <= loads + 1, qPrintable(QString::number(tools.panelLoads() - loads)));

        // The watch page: nothing to tap, and it says so. The mixers are
        // the program's own virtual ones, and it names its file.
        rig.virtualMixers = true;
        rig.settingsFile = QStringLiteral("議場.ini");
        tools.call("Page.navigate", {{"url", base + "/?token=" + QString::fromLatin1(rig.tokens.watch)}});
        QTRY_VERIFY_WITH_TIMEOUT(tools.run("document.body.classList.contains('watch')"
                                           " && document.querySelectorAll('.btn[data-channel]').length === 4").toBool(), 10000);
        QTRY_COMPARE(tools.run("document.getElementById('link').textContent").toString(), str(12610).arg(2));
        QCOMPARE(tools.run("document.getElementById('file').textContent").toString(), QStringLiteral("議場.ini"));
        QCOMPARE(tools.run("document.getElementById('readonly').textContent").toString(), str(13400));
        QVERIFY(tools.run("[...document.querySelectorAll('.btn[data-channel]')].every("
                          "b => b.getAttribute('aria-disabled') === 'true')").toBool());
        const int posts = tools.posts();
        tools.run(button.arg(2) + ".click()");
        QVERIFY(!QTest::qWaitFor([&] { return tools.posts() > posts; }, 600));

        // The program goes: after ten seconds the page says so and marks
        // nothing as held by the mixers. It comes back with other tokens:
        // the page shows that its link is no longer valid.
        rig.server->stop();
        QTRY_VERIFY(tools.run("document.getElementById('link').textContent").toString() == str(12427));
        tools.run("(() => { const now = Date.now; Date.now = () => now() + 11000; })()");
        QTRY_VERIFY_WITH_TIMEOUT(tools.run("document.body.classList.contains('gone')").toBool(), 5000);
        QCOMPARE(tools.run("document.getElementById('readonly').textContent").toString(), str(13402));
        QString error;
        QVERIFY2(rig.server->start("127.0.0.1", port, RemoteTokens::generate(), error), qPrintable(error));
        QTRY_VERIFY_WITH_TIMEOUT(tools.run("document.getElementById('refused') !== null").toBool(), 15000);
        browser.kill();
        browser.waitForFinished(5000);
    }

    void tapInTheBrowser()
    {
        const QString chromium = QStandardPaths::findExecutable("chromium");
        if (chromium.isEmpty())
            QSKIP("chromium is not installed (scripts/setup.sh installs it)");
        SimOptions options;
        options.mixers = 1;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        World &world = run.world;
        Application &program = run.program;
        const RemoteTokens tokens = RemoteTokens::generate();
        const int on3 = channelKeyId(ChannelFamily::RemoteOn, 3);
        auto held = [&](int channel) { return run.remoteOnHeld(channel); };
        QTemporaryDir profile;
        QProcess browser;
        DevTools tools;
        QString base;
        QString error;
        int pending = 0;
        QJsonObject rect;
        QString buttonClass;
        QByteArray screenshot;
        int shot = 0;
        bool refusedShown = false;
        int heldWhenVerified = -1;
        QString timers;
        QString afterNext;
        bool keySent = false;
        bool withdrawn = false;
        enum { Live, Design, Executing, Browser, Page, Tap, Request, Timers, Next, Withdraw, Wrong, Done } stage = Live;
        bool done = false;
        // The value of a page expression, once the browser answered it.
        auto ask = [&](const QString &expression) -> std::optional<QJsonValue> {
            if (!pending) {
                pending = tools.evaluate(expression);
                return std::nullopt;
            }
            if (!tools.has(pending))
                return std::nullopt;
            const QJsonValue v = tools.value(std::exchange(pending, 0));
            return v;
        };
        const QString seat = "document.querySelector('.btn[data-mixer=\"1\"][data-channel=\"%1\"]')";
        const QString seatState = "(() => { const b = " + seat + "; return [b.querySelector('.onoff').textContent,"
                                  " b.className, b.getAttribute('aria-description')].join('|'); })()";
        drive(program, 120.0, [&] {
            switch (stage) {
            case Live:
                if (!programLive(program, world, 1))
                    return false;
                if (!program.remote()->server()->start("127.0.0.1", 0, tokens, error))
                    return true;
                base = QStringLiteral("http://127.0.0.1:%1").arg(program.remote()->server()->port());
                program.mainWindow()->action("MenModeChange")->trigger();
                stage = Design;
                return false;
            case Design: {
                if (!program.panelWindow() || !program.panelWindow()->isVisible() || world.mixers.anyPending(1))
                    return false;
                for (int slot : {0, 1, 2, 3}) {
                    ButtonSlot &b = world.panel.slot(0, slot);
                    b.IconEnable = true;
                    b.IconLeft = 300 + slot * 1700;
                    b.IconTop = 600;
                    b.IconWidth = b.IconHeight = 1500;
                    b.IconText = QStringLiteral("%1\r\nマイク %2").arg(slot == 0 ? "議長席" : "議員席").arg(slot + 1);
                    b.IconOnOff = slot == 1;
                }
                // Channel 1 is the chair's; a delegate has two minutes, the
                // last of them a warning.
                world.panel.meeting.setChair(0, 0, true);
                world.panel.meeting.settings.speakingLimit = 120;
                world.panel.meeting.settings.warning = 60;
                world.panel.slot(0, Panel::OutputSlot).IconLeft = 300;
                world.panel.slot(0, Panel::OutputSlot).IconTop = 2400;
                program.panelWindow()->action(PanelCommand::Execution)->trigger();
                stage = Executing;
                return false;
            }
            case Executing:
                if (!program.panelWindow()->executing() || world.mixers.anyPending(1))
                    return false;
                browser.setProcessChannelMode(QProcess::SeparateChannels);
                tools.start(browser);
                browser.start(chromium, {"--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
                                         "--remote-debugging-port=0", "--remote-allow-origins=*",
                                         "--window-size=1024,700", "--user-data-dir=" + profile.path(),
                                         "about:blank"});
                stage = Browser;
                return false;
            case Browser:
                if (!tools.ready())
                    return false;
                tools.send("Page.navigate", {{"url", base + "/?token=" + QString::fromLatin1(tokens.operate)}});
                stage = Page;
                return false;
            case Page:
                // The button of channel 3, once the page has built it, the
                // events have told its state and the meeting stands beside it.
                if (pending && !tools.has(pending))
                    return false;
                if (pending && tools.value(pending).isObject()) {
                    rect = tools.value(pending).toObject();
                    const double x = rect["x"].toDouble() + rect["width"].toDouble() / 2;
                    const double y = rect["y"].toDouble() + rect["height"].toDouble() / 2;
                    for (const char *type : {"mousePressed", "mouseReleased"})
                        tools.send("Input.dispatchMouseEvent",
                                   {{"type", type}, {"x", x}, {"y", y}, {"button", "left"}, {"clickCount", 1}});
                    pending = 0;
                    stage = Tap;
                    return false;
                }
                pending = tools.evaluate(
                    "(() => { const b = document.querySelector('.btn[data-mixer=\"1\"][data-channel=\"3\"]');"
                    " if (!b || document.getElementById('link').textContent === ''"
                    "     || document.getElementById('meeting').hidden) return null;"
                    " const r = b.getBoundingClientRect(); return {x: r.x, y: r.y, width: r.width, height: r.height}; })()");
                return false;
            case Tap:
                if (pending && !tools.has(pending))
                    return false;
                if (pending) {
                    buttonClass = tools.value(pending).toString();
                    // Tapped off to on, and the mixer read back holding it.
                    if (buttonClass.split(' ').contains("on") && buttonClass.contains("verified")) {
                        heldWhenVerified = run.chain.blockByte(1, on3);
                        pending = 0;
                        stage = Request;
                        return false;
                    }
                }
                pending = tools.evaluate("document.querySelector('.btn[data-mixer=\"1\"][data-channel=\"3\"]').className");
                return false;
            case Request:
                // R on seat 4, once the page shows the meeting: it asks to speak.
                if (const auto v = ask("document.getElementById('meeting').hidden ? -1"
                                       " : document.querySelectorAll('#requests li').length")) {
                    if (v->toInt() == 0 && !std::exchange(keySent, true))
                        tools.evaluate("(() => { const b = " + seat.arg(4) + "; b.focus(); b.dispatchEvent("
                                       "new KeyboardEvent('keydown', {key: 'r', bubbles: true})); })()");
                    if (v->toInt() == 1)
                        stage = Timers;
                }
                return false;
            case Timers:
                // A minute and five seconds on the page's clock: seat 3 is in
                // its last minute, counting down, amber.
                if (const auto v = ask("(() => { if (!window.later) { const now = Date.now; window.later = true;"
                                       " Date.now = () => now() + 65000; } return " + seatState.arg(3)
                                       + " + '|' + document.querySelector('#requests li span').textContent; })()")) {
                    timers = v->toString();
                    if (timers.contains("speaking-warning")) {
                        shot = tools.send("Page.captureScreenshot", {{"format", "png"}});
                        stage = Next;
                    }
                }
                return false;
            case Next:
                // Once the picture is taken, 次の発言者: seats 2 and 3 off, seat 4
                // on, all held by the mixer.
                if (!tools.has(shot))
                    return false;
                if (screenshot.isEmpty()) {
                    screenshot = QByteArray::fromBase64(tools.result(shot)["data"].toString().toLatin1());
                    tools.evaluate("document.getElementById('next').click()");
                }
                if (const auto v = ask("[2, 3, 4].map(c => " + seatState.arg("' + c + '")
                                       + ").join(' / ') + ' / ' + document.querySelectorAll('#requests li').length")) {
                    afterNext = v->toString();
                    const QString seat4 = afterNext.split(" / ").at(2);
                    if (held(4) == 1 && held(3) == 0 && held(2) == 0 && afterNext.endsWith("/ 0")
                        && seat4.contains("verified") && seat4.startsWith(str(2912) + " 0:")) {
                        // A right-click on seat 2 asks for it to speak.
                        tools.evaluate(seat.arg(2) + ".dispatchEvent(new MouseEvent('contextmenu',"
                                                     " {bubbles: true, cancelable: true}))");
                        stage = Withdraw;
                    }
                }
                return false;
            case Withdraw:
                // Its × in the list takes the request back.
                if (const auto v = ask("[...document.querySelectorAll('#requests li')].map(li => li.dataset.seat)"
                                       ".join(' ')")) {
                    if (v->toString() == "1/2" && !std::exchange(withdrawn, true))
                        tools.evaluate("document.querySelector('#requests li button').click()");
                    if (v->toString().isEmpty() && withdrawn) {
                        tools.send("Page.navigate", {{"url", base + "/?token=" + QString(32, 'A')}});
                        stage = Wrong;
                    }
                }
                return false;
            case Wrong:
                if (pending && !tools.has(pending))
                    return false;
                if (pending && tools.value(pending).toBool()) {
                    refusedShown = true;
                    stage = Done;
                    return true;
                }
                pending = tools.evaluate("document.getElementById('refused') !== null"
                                         " && document.querySelectorAll('.btn').length === 0");
                return false;
            case Done:
                return true;
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        browser.kill();
        browser.waitForFinished(5000);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(done, qPrintable(QString("stage %1, class '%2', timers '%3', after next '%4', browser: %5")
                                      .arg(int(stage))
                                      .arg(buttonClass, timers, afterNext, QString::fromUtf8(tools.log()))));
        QVERIFY(buttonClass.contains("on"));
        QCOMPARE(heldWhenVerified, 1);
        // The times the page counted on by itself: seat 3's last minute, the
        // request's wait; after 次の発言者 seat 4's time runs from 0.
        const QStringList seat3 = timers.split('|');
        const QRegularExpression lastMinute(QStringLiteral("^ON (0:5\\d)$"));
        const QRegularExpressionMatch left = lastMinute.match(seat3.at(0));
        QVERIFY2(left.hasMatch(), qPrintable(timers));
        QCOMPARE(seat3.at(2), str(14442).arg(left.captured(1)));
        QVERIFY2(seat3.at(3).contains(QRegularExpression(QStringLiteral(" 1:0\\d"))), qPrintable(timers));
        const QStringList seats = afterNext.split(" / ");
        QVERIFY2(seats.at(0).startsWith(str(2913) + '|') && seats.at(1).startsWith(str(2913) + '|'), qPrintable(afterNext));
        QVERIFY2(seats.at(2).startsWith(str(2912) + " 0:0") && !seats.at(2).contains("speaking-"), qPrintable(afterNext));
        QCOMPARE(world.panel.slot(0, 3).IconOnOff, true);
        QVERIFY(refusedShown);
        QVERIFY(screenshot.startsWith("\x89PNG"));
        const QString folder = qEnvironmentVariable("ZKVR340A_SCREENSHOTS", QDir::tempPath());
        QFile file(folder + "/remote-meeting.png");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(screenshot);
    }
};

ZK_TEST_MAIN(TestRemoteBrowser)
#include "tst_remotebrowser.moc"
