// The remote interface inside the whole program, against a virtual mixer
// chain over loopback TCP: a switch takes the panel's road to the mixer and
// is answered once the mixer holds it (or the passes ran out), and the
// events show it; the command line's token file is refused unless it is
// its owner's alone.

#include "app/ui/frmmain.h"
#include "app/ui/remoteoperation.h"
#include "base/config.h"
#include "base/strings.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmmdi.h"
#include "remote/controlserver.h"
#include "remote/remoteserver.h"
#include "remote/remotejson.h"
#include "remote/ui/frmremote.h"
#include "tests/remote/remoteclient.h"
#include "tests/remote/remotesoak.h"
#include "tests/support/programrig.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTcpServer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void addButton(PanelState &panel, int mixer, int slot, int left)
{
    ButtonSlot &b = panel.slot(mixer, slot);
    b.IconEnable = true;
    b.IconLeft = left;
    b.IconTop = 1500;
    b.IconWidth = b.IconHeight = 1400;
    b.IconText = QStringLiteral("CH%1").arg(slot + 1);
    b.IconOnOff = false;
    ++panel.IconNum;
}

// What `promtool check metrics` finds wrong with the text; empty when it passes.
QByteArray promtoolProblems(const QString &promtool, const QByteArray &text)
{
    QProcess check;
    check.start(promtool, {"check", "metrics"});
    check.write(text);
    check.closeWriteChannel();
    if (!check.waitForFinished(10000))
        return "promtool did not finish";
    return check.exitCode() == 0 ? QByteArray() : "promtool: " + check.readAll();
}

enum class LiveStart { NotYet, Failed, Started };

// Once both mixers are counted and the mode change is offered: starts the
// page's server and points the client and the watcher's events at it.
LiveStart startWhenLive(EthernetProgram &run, ApiClient &api, EventsClient &events, const RemoteTokens &tokens,
                        QString &startError)
{
    Application &program = run.program;
    if (!programLive(program, run.world, 2))
        return LiveStart::NotYet;
    if (!program.remote()->server()->start("127.0.0.1", 0, tokens, startError))
        return LiveStart::Failed;
    api.setPort(program.remote()->server()->port());
    events.open(program.remote()->server()->port(), tokens.watch);
    return LiveStart::Started;
}

} // namespace

class TestRemoteProgram : public QObject
{
    Q_OBJECT

private slots:
    void init() { forgetWhatTheLastProgramLeft(); }

    void switchesTakeThePanelsRoad()
    {
        SimOptions options;
        options.mixers = 2;
        // Channel 4's switch never takes: the passes run out.
        const int on4 = channelKeyId(ChannelFamily::RemoteOn, 4);
        options.stuck = {SimStuck{1, on4, 0}};
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        World &world = run.world;
        Application &program = run.program;
        const RemoteTokens tokens = RemoteTokens::generate();
        ApiClient api;
        EventsClient events;
        const int on3 = channelKeyId(ChannelFamily::RemoteOn, 3);
        const int off3 = channelKeyId(ChannelFamily::RemoteOff, 3);
        QString startError;
        quint8 heldAfterSwitch = 0xFF;
        bool buttonShownOn = false;
        enum { Live, Design, Executing, Switching, Stuck, Done } stage = Live;
        QElapsedTimer since;
        bool done = false;
        const QPointer<QTimer> driver = drive(program, 100.0, [&] {
            switch (stage) {
            case Live:
                switch (startWhenLive(run, api, events, tokens, startError)) {
                case LiveStart::NotYet:
                    return false;
                case LiveStart::Failed:
                    return true;
                case LiveStart::Started:
                    break;
                }
                // Before the panel executes: refused, and nothing is switched.
                api.send("design", "POST", "/api/v1/mixers/1/channels/3", tokens.operate, R"({"on": true})");
                api.send("status", "GET", "/api/v1/status", tokens.watch);
                program.mainWindow()->action("MenModeChange")->trigger();
                stage = Design;
                return false;
            case Design:
                if (!program.panelWindow() || !program.panelWindow()->isVisible() || !api.allDone()
                    || world.mixers.anyPending(1))
                    return false;
                addButton(world.panel, 0, 2, 0);
                addButton(world.panel, 0, 3, 1500);
                program.panelWindow()->action(PanelCommand::Execution)->trigger();
                stage = Executing;
                return false;
            case Executing:
                if (!program.panelWindow()->executing() || world.mixers.anyPending(1))
                    return false;
                api.send("on", "POST", "/api/v1/mixers/1/channels/3", tokens.operate, R"({"on": true})");
                since.start();
                stage = Switching;
                return false;
            case Switching:
                if (!api.done("on"))
                    return false;
                heldAfterSwitch = quint8(run.chain.blockByte(1, on3));
                if (FrmExeIcon *w = program.panelWindow()->executionButton({0, 2}))
                    buttonShownOn = w->stateText() == QLatin1String("ON");
                api.send("stuck", "POST", "/api/v1/mixers/1/channels/4", tokens.operate, R"({"on": true})");
                stage = Stuck;
                return false;
            case Stuck:
                if (!api.done("stuck"))
                    return false;
                api.send("after", "GET", "/api/v1/status", tokens.watch);
                stage = Done;
                return false;
            case Done:
                return api.allDone();
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(startError.isEmpty(), qPrintable(startError));
        QVERIFY(done);
        QCOMPARE(api.answers["design"].status, 409);
        QCOMPARE(api.answers["status"].json()["mixerCount"].toInt(), 2);
        QCOMPARE(api.answers["on"].status, 200);
        QCOMPARE(api.answers["on"].json()["verified"].toBool(), true);
        // Answered only once the mixer held it, and the panel shows it on.
        QCOMPARE(heldAfterSwitch, quint8(1));
        QCOMPARE(run.chain.blockByte(1, off3), 0);
        QVERIFY(buttonShownOn);
        QCOMPARE(world.panel.slot(0, 2).IconOnOff, true);
        QCOMPARE(api.answers["stuck"].status, 504);
        QCOMPARE(api.answers["stuck"].json()["verified"].toBool(), false);
        const QJsonArray channels = api.answers["after"].json()["mixers"].toArray()[0].toObject()["channels"].toArray();
        QCOMPARE(channels[2].toObject()["sync"].toString(), QString("verified"));
        QCOMPARE(channels[3].toObject()["sync"].toString(), QString("failed"));
        // The watcher saw channel 3 wait and then verify.
        QStringList seen;
        for (const QJsonObject &e : events.of("channel"))
            if (e["mixer"].toInt() == 1 && e["channel"].toInt() == 3)
                seen << e["sync"].toString();
        const qsizetype waited = seen.indexOf("waiting");
        QVERIFY2(waited >= 0 && seen.indexOf("verified", waited) > waited, qPrintable(seen.join(',')));
        QVERIFY(!events.of("panel").isEmpty());
    }

    // The program on its virtual mixers, watched and operated from afar: the
    // status says virtual and names the saved file. While a message box is
    // open on the PC the program waits in it: the status says so, a switch
    // is refused at once and presses nothing, so that answering the box
    // switches nothing later.
    void virtualMixersAndAMessageBox()
    {
        qunsetenv("ZKVR340A_LINK");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("議場.ini"));
        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        Application program(world, {"zkvr340a", "--virtual", "2"});
        const RemoteTokens tokens = RemoteTokens::generate();
        const int on3 = channelKeyId(ChannelFamily::RemoteOn, 3);
        ApiClient api;
        QString error;
        bool pressedDuringBox = true;
        int heldAfter = -1;
        enum { Live, Design, Executing, Boxed, After } stage = Live;
        bool done = false;
        drive(program, 60.0, [&] {
            switch (stage) {
            case Live:
                if (!programLive(program, world, 2))
                    return false;
                dialogs.fileNames = {file};
                program.mainWindow()->action("MenNewSave")->trigger();
                if (!program.remote()->server()->start("127.0.0.1", 0, tokens, error))
                    return true;
                api.setPort(program.remote()->server()->port());
                api.send("status", "GET", "/api/v1/status", tokens.watch);
                program.mainWindow()->action("MenModeChange")->trigger();
                stage = Design;
                return false;
            case Design:
                if (!program.panelWindow() || !program.panelWindow()->isVisible() || world.mixers.anyPending(1))
                    return false;
                addButton(world.panel, 0, 2, 0);
                program.panelWindow()->action(PanelCommand::Execution)->trigger();
                stage = Executing;
                return false;
            case Executing: {
                if (!program.panelWindow()->executing() || world.mixers.anyPending(1))
                    return false;
                stage = Boxed;
                QMessageBox box(QMessageBox::Warning, str(StrId::AppTitle), QStringLiteral("?"), QMessageBox::Ok,
                                program.panelWindow());
                api.send("held", "POST", "/api/v1/mixers/1/channels/3", tokens.operate, R"({"on": true})");
                api.send("heldStatus", "GET", "/api/v1/status", tokens.watch);
                QTimer answered;
                QObject::connect(&answered, &QTimer::timeout, &box, [&] {
                    if (api.allDone())
                        box.accept();
                });
                answered.start(20);
                QTimer::singleShot(10000, &box, &QMessageBox::accept);
                box.exec();
                pressedDuringBox = world.panel.slot(0, 2).IconOnOff
                                   || channelOn(world.mixers.MixerSetData[1], 3);
                stage = After;
                return false;
            }
            case Boxed:
                return false;
            case After:
                // The loop goes on after the box: polls, and no write.
                if (world.loop.StartupPolls != 0 || world.mixers.anyPending(1))
                    return false;
                heldAfter = program.virtualChain()->chain().blockByte(1, on3);
                return true;
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(done);
        const QJsonObject status = api.answers["status"].json();
        QCOMPARE(status["link"]["kind"].toString(), QString("virtual"));
        QCOMPARE(status["file"].toString(), QStringLiteral("議場.ini"));
        QCOMPARE(api.answers["held"].status, 503);
        QCOMPARE(api.answers["held"].json()["blocked"].toString(), QString("message"));
        QVERIFY(api.answers["held"].ms < 2000);
        QCOMPARE(api.answers["heldStatus"].json()["blocked"].toString(), QString("message"));
        QVERIFY(!pressedDuringBox);
        QCOMPARE(heldAfter, 0);
    }

    // The soak, short: switches through the interface against the virtual
    // mixer program losing one reply in twenty, killed half-way and back
    // after an outage longer than ten silent polls, holding other switches.
    // No 200 claims what the mixer does not hold; while it is away switches
    // say so at once and the status says the link is down; no button goes
    // and nobody is asked about a fallen link count; at the end the mixer
    // holds every switch the panel shows (bench_remotesoak runs 300
    // switches).
    void soakThroughAnOutage()
    {
        RemoteSoakPlan plan;
        plan.switches = 12;
        plan.outage = 2.5;
        plan.drop = 0.05;
        plan.secondsLimit = 60;
        const RemoteSoakFigures f = RemoteSoak(plan).run();
        qInfo("%s", qPrintable(f.summary()));
        QVERIFY2(f.finished, qPrintable(f.notes.join("; ")));
        QVERIFY2(f.wrong.isEmpty(), qPrintable(f.wrong.join("; ")));
        QVERIFY2(f.notes.isEmpty(), qPrintable(f.notes.join("; ")));
        QVERIFY(f.outOfReach > 0);
        QVERIFY(f.statusReads > 0);
        QCOMPARE(f.statusDown, f.statusReads);
        QCOMPARE(f.differing, 0);
        QVERIFY(f.backAfter >= 0); // switched again after the mixer came back
        QVERIFY(f.pressedNothing > 0);
    }

    // A room controller's session on the line control against the virtual
    // mixers: every command once and every refusal once, in order, each
    // answered once its outcome is known; MIC ON answered OK only once the
    // mixer holds it, with the watcher told unasked; a switch that never
    // takes answered 504; QUIT closes.
    void lineControlSession()
    {
        SimOptions options;
        options.mixers = 2;
        options.stuck = {SimStuck{1, channelKeyId(ChannelFamily::RemoteOn, 4), 0}};
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        World &world = run.world;
        Application &program = run.program;
        const RemoteTokens tokens = RemoteTokens::generate();
        LineClient op;
        LineClient watch;
        QString startError;
        int heldWhenAnswered = -1;
        enum { Live, Design, Executing, Switching, Done } stage = Live;
        bool done = false;
        const QPointer<QTimer> driver = drive(program, 100.0, [&] {
            switch (stage) {
            case Live:
                if (!programLive(program, world, 2))
                    return false;
                if (!program.remote()->control()->start("127.0.0.1", 0, tokens, startError))
                    return true;
                op.open(program.remote()->control()->port());
                watch.open(program.remote()->control()->port());
                for (const QByteArray &line : {QByteArray("MIC ON 1 3"), "LOGIN " + tokens.operate.left(20) + "xxxx",
                                               QByteArray("HELP"), QByteArray("JUMP"), "LOGIN " + tokens.operate,
                                               QByteArray("MIC ON 1 3"), QByteArray("MIC ON 9 1"), QByteArray("ALLOFF")})
                    op.send(line);
                watch.send("LOGIN " + tokens.watch);
                watch.send("MIC ON 1 3");
                stage = Design;
                return false;
            case Design:
                if (op.answers.size() < 8 || watch.answers.size() < 2)
                    return false;
                if (!panelShown(program) || world.mixers.anyPending(1))
                    return false;
                addButton(world.panel, 0, 2, 0);
                addButton(world.panel, 0, 3, 1500);
                program.panelWindow()->action(PanelCommand::Execution)->trigger();
                stage = Executing;
                return false;
            case Executing:
                if (!program.panelWindow()->executing() || world.mixers.anyPending(1))
                    return false;
                op.send("MIC ON 1 3");
                stage = Switching;
                return false;
            case Switching:
                if (op.answers.size() < 9)
                    return false;
                heldWhenAnswered = run.chain.blockByte(1, channelKeyId(ChannelFamily::RemoteOn, 3));
                // NEXT: the failed seat 4 goes off and the request, seat 3, on.
                for (const char *line : {"MIC? 1 3", "STATUS?", "MIC ON 1 4", "MIC OFF 1 3", "REQUEST 1 3",
                                         "WITHDRAW 1 3", "WITHDRAW 1 3", "REQUEST 1 7", "REQUEST 1 3", "NEXT",
                                         "ALLOFF", "QUIT"})
                    op.send(line);
                stage = Done;
                return false;
            case Done:
                return op.closed && watch.events.contains("EVT MIC 1 3 OFF");
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(startError.isEmpty(), qPrintable(startError));
        QVERIFY2(done, op.answers.join(" | ").constData());
        const QList<QByteArray> expected{"ERR 401 login first", "ERR 401 bad token", "OK HELP", "ERR 400 unknown command",
                                         "OK LOGIN OPERATE", "ERR 409 panel not executing", "ERR 404 not linked",
                                         "ERR 409 not executing", "OK MIC 1 3 ON", "OK MIC 1 3 ON",
                                         "OK STATUS LINK=UP MIXERS=2", "ERR 504 not verified", "OK MIC 1 3 OFF",
                                         "OK REQUEST 1 3", "OK WITHDRAW 1 3", "ERR 409 not requested",
                                         "ERR 404 no seat", "OK REQUEST 1 3", "OK NEXT", "OK ALLOFF", "OK BYE"};
        QCOMPARE(op.answers.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(op.answers[i].startsWith(expected[i]), op.answers[i].constData());
        QVERIFY2(op.answers[10].contains("PANEL=EXECUTING"), op.answers[10].constData());
        QCOMPARE(heldWhenAnswered, 1);
        QCOMPARE(watch.answers, (QList<QByteArray>{"OK LOGIN WATCH", "ERR 403 watch only"}));
        QVERIFY2(watch.events.contains("EVT PANEL EXECUTING") && watch.events.contains("EVT MIC 1 3 ON")
                     && watch.events.contains("EVT MIC 1 4 ON FAILED") && watch.events.contains("EVT REQUEST 1 3"),
                 watch.events.join(" | ").constData());
        QVERIFY(op.events.contains("EVT MIC 1 3 ON"));
    }

    // The meeting from afar: its rules set over the interface (limit 1,
    // 拒否), a second delegate refused for the limit, a request to speak
    // that 次の発言者 then switches on in place of the speaker, 全員オフ that
    // leaves the chair on, a request withdrawn; every switch answered only
    // once the mixer holds it, and the watcher told of the meeting's changes.
    void meetingFromAfar()
    {
        SimOptions options;
        options.mixers = 2;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        World &world = run.world;
        Application &program = run.program;
        const RemoteTokens tokens = RemoteTokens::generate();
        ApiClient api;
        EventsClient events;
        QString startError;
        auto held = [&](int channel) { return run.remoteOnHeld(channel); };
        std::map<QString, std::array<int, 3>> heldAt; // channels 1, 3, 4 when answered
        const QByteArray op = tokens.operate;
        enum { Live, Design, Executing, Rules, Speaking, Requested, Next, Chair, AllOff, Metrics, Withdraw, Done } stage
            = Live;
        bool done = false;
        const QPointer<QTimer> driver = drive(program, 100.0, [&] {
            switch (stage) {
            case Live:
                switch (startWhenLive(run, api, events, tokens, startError)) {
                case LiveStart::NotYet:
                    return false;
                case LiveStart::Failed:
                    return true;
                case LiveStart::Started:
                    break;
                }
                api.send("closed", "POST", "/api/v1/meeting/all-off", op);
                program.mainWindow()->action("MenModeChange")->trigger();
                stage = Design;
                return false;
            case Design:
                if (!panelShown(program) || !api.allDone() || world.mixers.anyPending(1))
                    return false;
                for (int slot : {0, 2, 3})
                    addButton(world.panel, 0, slot, slot * 1500);
                world.panel.meeting.setChair(0, 0, true);
                program.panelWindow()->action(PanelCommand::Execution)->trigger();
                stage = Executing;
                return false;
            case Executing:
                if (!program.panelWindow()->executing() || world.mixers.anyPending(1))
                    return false;
                api.send("rules", "PUT", "/api/v1/meeting/settings", op, R"({"limit": {"max": 1, "mode": "refuse"}})");
                api.send("badRules", "PUT", "/api/v1/meeting/settings", op, R"({"limit": {"max": 33}})");
                api.send("watchNext", "POST", "/api/v1/meeting/next", tokens.watch);
                stage = Rules;
                return false;
            case Rules:
                if (!api.allDone())
                    return false;
                api.send("on3", "POST", "/api/v1/mixers/1/channels/3", op, R"({"on": true})");
                stage = Speaking;
                return false;
            case Speaking:
                if (!api.allDone())
                    return false;
                api.send("limit", "POST", "/api/v1/mixers/1/channels/4", op, R"({"on": true})");
                api.send("request", "POST", "/api/v1/meeting/requests", op, R"({"mixer": 1, "channel": 4})");
                api.send("noSeat", "POST", "/api/v1/meeting/requests", op, R"({"mixer": 1, "channel": 8})");
                stage = Requested;
                return false;
            case Requested:
                if (!api.allDone())
                    return false;
                api.send("next", "POST", "/api/v1/meeting/next", op);
                stage = Next;
                return false;
            case Next:
                if (!api.done("next"))
                    return false;
                heldAt["next"] = {held(1), held(3), held(4)};
                api.send("chair", "POST", "/api/v1/mixers/1/channels/1", op, R"({"on": true})");
                stage = Chair;
                return false;
            case Chair:
                if (!api.done("chair"))
                    return false;
                api.send("allOff", "POST", "/api/v1/meeting/all-off", op);
                stage = AllOff;
                return false;
            case AllOff:
                if (!api.done("allOff"))
                    return false;
                heldAt["allOff"] = {held(1), held(3), held(4)};
                api.send("request3", "POST", "/api/v1/meeting/requests", op, R"({"mixer": 1, "channel": 3})");
                stage = Metrics;
                return false;
            case Metrics:
                if (!api.allDone())
                    return false;
                api.send("metrics", "GET", "/metrics", tokens.watch);
                stage = Withdraw;
                return false;
            case Withdraw:
                if (!api.allDone())
                    return false;
                api.send("withdraw", "DELETE", "/api/v1/meeting/requests/1/3", op);
                api.send("get", "GET", "/api/v1/meeting", tokens.watch);
                stage = Done;
                return false;
            case Done:
                return api.allDone() && api.answers["get"].json()["requests"].toArray().isEmpty();
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(startError.isEmpty(), qPrintable(startError));
        QVERIFY(done);
        auto status = [&](const char *name) { return api.answers[name].status; };
        auto error = [&](const char *name) { return api.answers[name].json()["error"].toString(); };
        QCOMPARE(status("closed"), 409);
        QCOMPARE(error("closed"), QString("not-executing"));
        QCOMPARE(status("rules"), 200);
        QCOMPARE(api.answers["rules"].json()["limit"].toObject()["max"].toInt(), 1);
        QCOMPARE(status("badRules"), 400);
        QCOMPARE(status("watchNext"), 403);
        QCOMPARE(status("on3"), 200);
        QCOMPARE(status("limit"), 409);
        QCOMPARE(error("limit"), QString("limit"));
        QCOMPARE(status("request"), 200);
        QCOMPARE(status("noSeat"), 404);
        // 次の発言者: the speaker off and the request on, held when answered.
        QCOMPARE(status("next"), 200);
        QCOMPARE(api.answers["next"].json()["verified"].toBool(), true);
        QCOMPARE(heldAt["next"], (std::array<int, 3>{0, 0, 1}));
        // The chair is no delegate: the limit lets it on.
        QCOMPARE(status("chair"), 200);
        QCOMPARE(status("allOff"), 200);
        QCOMPARE(heldAt["allOff"], (std::array<int, 3>{1, 0, 0}));
        QCOMPARE(status("withdraw"), 200);
        const QJsonObject meeting = api.answers["get"].json();
        const QJsonArray seats = meeting["seats"].toArray();
        QCOMPARE(seats.size(), 3);
        QCOMPARE(seats[0].toObject()["role"].toString(), QString("chair"));
        QCOMPARE(seats[0].toObject()["on"].toBool(), true);
        QCOMPARE(seats[1].toObject()["caption"].toString(), QString("CH3"));
        QCOMPARE(seats[1].toObject()["role"].toString(), QString("delegate"));
        QCOMPARE(meeting["limit"].toObject()["mode"].toString(), QString("refuse"));
        QVERIFY(meeting["speakingLimit"].toObject()["seconds"].isNull());
        // The watcher heard of the request.
        bool heardRequest = false;
        for (const QJsonObject &e : events.of("meeting"))
            heardRequest = heardRequest || !e["requests"].toArray().isEmpty();
        QVERIFY(heardRequest);
        // Monitoring sees each seat's speaking time and the requests waiting.
        const QByteArray scrape = api.answers["metrics"].body;
        QVERIFY2(scrape.contains("zkvr_requests_waiting 1\n")
                     && scrape.contains("zkvr_seat_speaking_seconds{mixer=\"1\",channel=\"4\"} 0\n"),
                 scrape.constData());
        if (const QString promtool = QStandardPaths::findExecutable("promtool"); !promtool.isEmpty()) {
            const QByteArray problems = promtoolProblems(promtool, scrape);
            QVERIFY2(problems.isEmpty(), problems.constData());
        }
    }

    // Monitoring: GET /metrics without a token is refused; with the watch
    // token it passes promtool's check and says what the program sees. A
    // real Prometheus on loopback scrapes it with the token and finds the
    // series.
    void monitoringScrape()
    {
        const QString promtool = QStandardPaths::findExecutable("promtool");
        const QString prometheus = QStandardPaths::findExecutable("prometheus");
        if (promtool.isEmpty() || prometheus.isEmpty())
            QSKIP("prometheus is not installed (scripts/setup.sh installs it)");
        SimOptions options;
        options.mixers = 2;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        Application &program = run.program;
        const RemoteTokens tokens = RemoteTokens::generate();
        QTemporaryDir dir;
        QTcpServer probe; // a port free a moment ago, for Prometheus
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 promPort = probe.serverPort();
        probe.close();
        ApiClient api;
        ApiClient prom(promPort);
        QProcess server;
        server.setProcessChannelMode(QProcess::MergedChannels);
        QString startError;
        int asked = 0;
        bool done = false;
        const QPointer<QTimer> driver = drive(program, 30.0, [&] {
            if (run.world.mixers.MixerCount != 2 || run.world.loop.StartupPolls != 0)
                return false;
            if (asked++ == 0) {
                if (!program.remote()->server()->start("127.0.0.1", 0, tokens, startError))
                    return true;
                const quint16 port = program.remote()->server()->port();
                api.setPort(port);
                api.send("bare", "GET", "/metrics");
                api.send("scrape", "GET", "/metrics", tokens.watch);
                QFile config(dir.filePath("prometheus.yml"));
                if (!config.open(QIODevice::WriteOnly))
                    return true;
                config.write("global:\n  scrape_interval: 1s\n  scrape_timeout: 1s\nscrape_configs:\n"
                             "  - job_name: zkvr\n    authorization:\n      credentials: " + tokens.watch
                             + "\n    static_configs:\n      - targets: ['127.0.0.1:" + QByteArray::number(port) + "']\n");
                config.close();
                server.start(prometheus, {"--config.file=" + config.fileName(),
                                          "--storage.tsdb.path=" + dir.filePath("data"),
                                          QStringLiteral("--web.listen-address=127.0.0.1:%1").arg(promPort)});
                return false;
            }
            // Asked every half second until the scraped series are there.
            if (asked % 10 == 0 && prom.allDone())
                prom.send("query", "GET", "/api/v1/query?query=zkvr_mixers_linked");
            return prom.done("query") && prom.answers["query"].body.contains("\"2\"]");
        }, done);
        QCOMPARE(program.run(), 0);
        server.kill();
        server.waitForFinished(5000);
        QVERIFY2(startError.isEmpty(), qPrintable(startError));
        QCOMPARE(api.answers["bare"].status, 401);
        const ApiAnswer &scrape = api.answers["scrape"];
        QCOMPARE(scrape.status, 200);
        QVERIFY(scrape.header("Content-Type").startsWith("text/plain; version=0.0.4"));
        for (const char *series : {"zkvr_link_up 1\n", "zkvr_mixers_linked 2\n", "zkvr_writes_failed_total 0\n",
                                   "zkvr_seat_on{mixer=\"2\",channel=\"8\"} 0\n", "zkvr_clients{front=\"line\"} 0\n"})
            QVERIFY2(scrape.body.contains(series), series);
        const QByteArray problems = promtoolProblems(promtool, scrape.body);
        QVERIFY2(problems.isEmpty(), problems.constData());
        QVERIFY2(done, server.readAll().right(2000).constData());
    }

    // The command line: a token file others may read is refused with a
    // message and the servers (the page's, the line control) stay off; one
    // of the owner's alone starts them. --log-journal turns the system's log
    // on, which the view menu shows and turns off.
    // The リモート操作 dialog then shows that server, its tokens and address,
    // and leaves it running whatever is ticked.
    void commandLineTokenFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("tokens");
        const RemoteTokens tokens = RemoteTokens::generate();
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(tokens.operate + "\n" + tokens.watch + "\n");
        f.close();
        // A port free a moment ago: the command line takes no port 0.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const QString address = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
        probe.close();
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const QString control = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
        probe.close();
        for (const bool ownerOnly : {false, true}) {
            QVERIFY(QFile::setPermissions(path, ownerOnly ? QFile::ReadOwner | QFile::WriteOwner
                                                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
            qputenv("ZKVR340A_LINK", "offline");
            SystemClock clock;
            ScriptedDialogs dialogs;
            World world(clock, dialogs);
            Application program(world, {"zkvr340a", "--remote", address, "--remote-tokens", path, "--control", control,
                                        "--log-journal"});
            bool running = false;
            bool journalOn = false;
            bool journalShownOn = false;
            bool controlRunning = false;
            bool done = false;
            QString shownToken;
            QString shownAddress;
            bool stillRunning = false;
            bool shownOn = false;
            drive(program, 10.0, [&] {
                if (!program.mainWindow() || !program.mainWindow()->isVisible())
                    return false;
                running = program.remote()->server()->running();
                controlRunning = program.remote()->control()->running();
                // --log-journal: the system's log follows, and the view menu
                // shows it ticked; unticking it stops it and is kept.
                journalOn = program.journal()->enabled();
                journalShownOn = program.mainWindow()->action("MenLogJournal")->isChecked();
                program.mainWindow()->action("MenLogJournal")->trigger();
                program.mainWindow()->action("MenRemote")->trigger();
                FrmRemote *dialog = program.remote()->dialog();
                shownToken = dialog->txtOperateToken->text();
                shownAddress = dialog->txtOpenAddress->text();
                shownOn = dialog->chkRemoteEnable->isChecked();
                dialog->chkRemoteEnable->setChecked(false);
                dialog->applyFields();
                stillRunning = program.remote()->server()->running() && !dialog->cmdApply->isEnabled();
                if (qEnvironmentVariableIsSet("ZKVR340A_SCREENSHOTS"))
                    dialog->grab().save(qEnvironmentVariable("ZKVR340A_SCREENSHOTS") + "/FrmRemote_commandline.png");
                dialog->close();
                return true;
            }, done);
            QCOMPARE(program.run(), 0);
            QVERIFY(done);
            QCOMPARE(running, ownerOnly);
            QCOMPARE(controlRunning, ownerOnly); // the line control takes the file's tokens too
            QVERIFY(journalOn && journalShownOn);
            QVERIFY(!program.journal()->enabled());
            QCOMPARE(readUserValue("View/LogJournal"), QString("0"));
            // Each server says why it stays off.
            QVERIFY2(dialogs.shown.size() == (ownerOnly ? size_t(0) : size_t(2)), qPrintable(dialogs.texts().join(u"|")));
            if (ownerOnly) {
                QCOMPARE(shownToken, QString::fromLatin1(tokens.operate));
                QCOMPARE(shownAddress, "http://" + address + "/?token=" + QString::fromLatin1(tokens.operate));
                QVERIFY(shownOn);
                QVERIFY(stillRunning);
            }
            if (!ownerOnly)
                QVERIFY(dialogs.shown.front().text.contains("chmod 600"));
        }
    }
};

ZK_TEST_MAIN(TestRemoteProgram)
#include "tst_remoteprogram.moc"
