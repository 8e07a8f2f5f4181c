// The program when its link to the mixers fails: a dropped Ethernet
// connection with and without the reconnect option, and ending the program
// from the control panel while a write cannot get through.

#include "app/ui/frmmain.h"
#include "link/comm.h"
#include "mixer/mixersync.h"
#include "base/strings.h"
#include "editor/ui/frmmixer.h"
#include "panel/ui/frmmdi.h"
#include "tests/support/programrig.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QtTest>

namespace {
constexpr int Connected = 10752, Lost = 10753, LostMessage = 10755, Reconnected = 10757;
const QString Address = QStringLiteral("127.0.0.1");

bool live(Application &program, World &world, int mixers)
{
    FrmMain *w = program.mainWindow();
    return w && world.mixers.MixerCount == mixers && w->menu("MenFile")->menuAction()->isEnabled()
           && world.loop.StartupPolls == 0;
}
} // namespace

class TestLinkLoss : public QObject
{
    Q_OBJECT
private slots:
    void init() { forgetWhatTheLastProgramLeft(); }

    void droppedConnection_data();
    void droppedConnection();
    void panelQuitWhileTheMixersAreSilent();
    void lossShowsInTheEditorAndThePanel();
};

void TestLinkLoss::droppedConnection_data()
{
    QTest::addColumn<bool>("reconnect");
    QTest::newRow("reconnect off") << false;
    QTest::newRow("reconnect on") << true;
}

void TestLinkLoss::droppedConnection()
{
    // The mixer closes the connection while the program polls. Without the
    // option the status line says so and one message box tells the user;
    // with it the program connects again by itself and polls on, no box.
    // With it the mixer stays away longer than ten silent polls: the open
    // editor stays, greyed while the connection is down, and is live again
    // once it is back.
    QFETCH(bool, reconnect);
    SimOptions options;
    options.mixers = 2;
    EthernetProgram run(options, {"zkvr340a"}, reconnect ? "Reconnect=1\r\n" : "");
    QVERIFY2(run.listening, qPrintable(run.error));
    World &world = run.world;
    Application &program = run.program;
    enum { Live, Cut, Settled } stage = Live;
    QString lineBeforeCut;
    int editorGone = 0, editorLiveWhileDown = 0;
    QElapsedTimer sinceSettled;
    bool done = false;
    const QPointer<QTimer> driver = drive(program, 60.0, [&] {
        FrmMain *w = program.mainWindow();
        switch (stage) {
        case Live:
            if (!live(program, world, 2) || !program.editor(1))
                return false;
            lineBeforeCut = w->linkStatus();
            if (reconnect)
                run.front.switchOff(3500);
            else
                run.front.cutConnections();
            stage = Cut;
            return false;
        case Cut:
            editorGone += !program.editor(1);
            editorLiveWhileDown += world.link.down() && program.editor(1) && program.editor(1)->tabFrame(0)->isEnabled();
            // "… に再接続しました（HH:mm:ss）" or "… との接続が切れました"
            if (reconnect ? !w->linkStatus().startsWith(str(Reconnected).arg(Address, QString()).chopped(2))
                          : w->linkStatus() != str(Lost).arg(Address))
                return false;
            stage = Settled;
            sinceSettled.start();
            return false;
        case Settled:
            // A few seconds more: no second message, and polls go on when back.
            editorGone += !program.editor(1);
            return sinceSettled.elapsed() > 3000 && (!reconnect || live(program, world, 2));
        }
        return false;
    }, done);
    QCOMPARE(program.run(), 0);
    delete driver.data();
    QVERIFY(done);
    QCOMPARE(lineBeforeCut, str(Connected).arg(Address));
    int lostBoxes = 0;
    for (const auto &shown : run.dialogs.shown)
        lostBoxes += shown.text == str(LostMessage);
    QCOMPARE(lostBoxes, reconnect ? 0 : 1);
    if (reconnect) {
        QCOMPARE(editorGone, 0);
        QCOMPARE(editorLiveWhileDown, 0);
        QVERIFY(program.editor(1) && program.editor(1)->tabFrame(0)->isEnabled());
    }
}


void TestLinkLoss::panelQuitWhileTheMixersAreSilent()
{
    // The panel is open and a click's value is on its way when the mixers
    // stop answering; the user quits from the panel.
    SimOptions options;
    options.mixers = 2;
    EthernetProgram run(options);
    QVERIFY2(run.listening, qPrintable(run.error));
    World &world = run.world;
    Application &program = run.program;
    enum { Live, PanelOpen, Writing, Quitting } stage = Live;
    QElapsedTimer sinceQuit;
    bool done = false;
    const QPointer<QTimer> driver = drive(program, 90.0, [&] {
        switch (stage) {
        case Live:
            if (!live(program, world, 2))
                return false;
            program.mainWindow()->action("MenModeChange")->trigger();
            stage = PanelOpen;
            return false;
        case PanelOpen:
            if (!topLevel("frmMDI") || world.mixers.anyPending(1) || world.mixers.anyPending(2))
                return false;
            run.chain.setDropProbability(1.0);
            program.sync()->submit(1, 41, 30, Submit::Copy);
            stage = Writing;
            return false;
        case Writing:
            if (program.sync()->flushDue() || !world.mixers.anyPending(1))
                return false;
            run.dialogs.answers = {MsgAnswer::Ok}; // quit (nothing was loaded or saved: no save question)
            sinceQuit.start();
            program.panelWindow()->action(PanelCommand::Quit)->trigger();
            stage = Quitting;
            return false;
        case Quitting:
            return false; // the program ends by itself
        }
        return false;
    }, done);
    QCOMPARE(program.run(), 0);
    delete driver.data();
    QCOMPARE(stage, Quitting);
    QVERIFY(program.ended());
    // Before, the run went on pass after pass for minutes with no window
    // left; now it ends within seconds and says the values did not go out.
    qInfo("ended %.1f s after the quit", sinceQuit.elapsed() / 1000.0);
    QVERIFY(sinceQuit.elapsed() < 30000);
    QVERIFY(!run.dialogs.shown.empty());
    // It names the value edited (first; the channels given back follow).
    QVERIFY(run.dialogs.shown.back().text.startsWith(
        str(StrId::SetFailed) + "\nマスター ch 1 チャンネルレベル: ミキサーから応答がありません"));
}

void TestLinkLoss::lossShowsInTheEditorAndThePanel()
{
    // The main window (and its status line) is hidden while the panel is
    // up: the panel, in execution, must tell by itself that the mixer went.
    SimOptions options;
    options.mixers = 1;
    EthernetProgram run(options);
    QVERIFY2(run.listening, qPrintable(run.error));
    World &world = run.world;
    Application &program = run.program;
    enum { Live, PanelOpen, Cut, Seen } stage = Live;
    QString editorLine, panelBefore, panelAfter;
    bool panelBold = false;
    bool done = false;
    const QPointer<QTimer> driver = drive(program, 60.0, [&] {
        switch (stage) {
        case Live:
            if (!live(program, world, 1) || !program.editor(1))
                return false;
            editorLine = program.editor(1)->linkLine()->text();
            program.mainWindow()->action("MenModeChange")->trigger();
            stage = PanelOpen;
            return false;
        case PanelOpen:
            if (!program.panelWindow() || !program.panelWindow()->isVisible())
                return false;
            program.panelWindow()->action(PanelCommand::Execution)->trigger();
            panelBefore = program.panelWindow()->linkLine()->text();
            run.front.cutConnections();
            stage = Cut;
            return false;
        case Cut:
            if (program.panelWindow()->linkLine()->text() != str(Lost).arg(Address))
                return false;
            panelAfter = program.panelWindow()->linkLine()->text();
            panelBold = program.panelWindow()->linkLine()->font().bold();
            stage = Seen;
            return true;
        case Seen:
            return true;
        }
        return false;
    }, done);
    QCOMPARE(program.run(), 0);
    delete driver.data();
    QCOMPARE(stage, Seen);
    QCOMPARE(editorLine, str(Connected).arg(Address));
    QCOMPARE(panelBefore, str(Connected).arg(Address));
    QCOMPARE(panelAfter, str(Lost).arg(Address));
    QVERIFY(panelBold);
}

ZK_TEST_MAIN(TestLinkLoss)
#include "tst_linkloss.moc"
