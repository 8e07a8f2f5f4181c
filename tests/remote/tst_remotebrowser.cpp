// A real browser against the whole program: Debian's chromium, headless,
// driven over its DevTools protocol, opens the page with the operate token,
// taps a channel button, and the virtual mixer holds the switch while the
// page shows it verified. A wrong token shows no panel. The page's
// screenshot is kept (ZKVR340A_SCREENSHOTS names the folder).

#include "app/ui/frmmain.h"
#include "app/ui/remoteoperation.h"
#include "panel/ui/frmmdi.h"
#include "remote/remoteserver.h"
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

namespace {

// The browser's DevTools: one page, commands by id, results kept by id.
class DevTools
{
public:
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

private:
    QByteArray m_stderr;
    quint16 m_port = 0;
    QNetworkAccessManager m_net;
    QWebSocket m_socket;
    QHash<int, QJsonObject> m_results;
    int m_next = 0;
};

} // namespace

class TestRemoteBrowser : public QObject
{
    Q_OBJECT

private slots:
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
        QTemporaryDir profile;
        QProcess browser;
        DevTools tools;
        QString base;
        QString error;
        int pending = 0;
        QJsonObject rect;
        QString buttonClass;
        QByteArray screenshot;
        bool refusedShown = false;
        int heldWhenVerified = -1;
        enum { Live, Design, Executing, Browser, Page, Tap, Shot, Wrong, Done } stage = Live;
        bool done = false;
        drive(program, 120.0, [&] {
            switch (stage) {
            case Live:
                if (world.mixers.MixerCount != 1 || world.loop.StartupPolls != 0
                    || !program.mainWindow()->action("MenModeChange")->isEnabled())
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
                    b.IconText = QStringLiteral("議長席\r\nマイク %1").arg(slot + 1);
                    b.IconOnOff = slot == 1;
                }
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
                // The button of channel 3, once the page has built it and the
                // events have told its state.
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
                    " if (!b || document.getElementById('link').textContent === '') return null;"
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
                        pending = tools.send("Page.captureScreenshot", {{"format", "png"}});
                        stage = Shot;
                        return false;
                    }
                }
                pending = tools.evaluate("document.querySelector('.btn[data-mixer=\"1\"][data-channel=\"3\"]').className");
                return false;
            case Shot:
                if (!tools.has(pending))
                    return false;
                screenshot = QByteArray::fromBase64(tools.result(pending)["data"].toString().toLatin1());
                tools.send("Page.navigate", {{"url", base + "/?token=" + QString(32, 'A')}});
                pending = 0;
                stage = Wrong;
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
        QVERIFY2(done, qPrintable(QString("stage %1, class '%2', browser: %3").arg(int(stage)).arg(buttonClass,
                                                                                          QString::fromUtf8(tools.log()))));
        QVERIFY(buttonClass.contains("on"));
        QCOMPARE(heldWhenVerified, 1);
        QCOMPARE(world.panel.slot(0, 2).IconOnOff, true);
        QVERIFY(refusedShown);
        QVERIFY(screenshot.startsWith("\x89PNG"));
        const QString folder = qEnvironmentVariable("ZKVR340A_SCREENSHOTS", QDir::tempPath());
        QFile shot(folder + "/remote-page.png");
        QVERIFY(shot.open(QIODevice::WriteOnly));
        shot.write(screenshot);
    }
};

ZK_TEST_MAIN(TestRemoteBrowser)
#include "tst_remotebrowser.moc"
