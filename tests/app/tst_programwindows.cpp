// The program's windows as the user meets them, in-process against a virtual
// mixer chain on loopback TCP: a command asked for again brings its open
// window forward (the editor chosen again too), each menu key leads to one
// item, the direct-access window keeps polling off while it is
// open, windows open wholly on the main window's screen, and writing the IP
// settings brings back only the editor that was open.

#include "app/ui/frmmain.h"
#include "app/ui/frmselect.h"
#include "app/ui/frmver.h"
#include "base/ui/placeform.h"
#include "editor/ui/frmmixer.h"
#include "link/ipsettings/frmipsetting.h"
#include "maintenance/frmdirect.h"
#include "tests/support/accesscheck.h"
#include "tests/support/programrig.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

template <class W>
QList<W *> shown()
{
    QList<W *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *x = qobject_cast<W *>(w); x && x->isVisible())
            out << x;
    return out;
}

bool liveWithEditor(Application &program, World &world)
{
    FrmMain *w = program.mainWindow();
    return w && w->menu("MenFile")->menuAction()->isEnabled() && world.loop.StartupPolls == 0
           && world.mixers.EditorOpen[1];
}

// The main window at the top of its screen, where a dialog centred on the
// short window would reach above the screen.
void mainToTheTop(FrmMain *w)
{
    w->move(screenAreaOf(w).topLeft());
}

bool onMainScreen(FrmMain *main, QWidget *w)
{
    return screenAreaOf(main).contains(w->frameGeometry());
}

} // namespace

class TestProgramWindows : public QObject
{
    Q_OBJECT
private slots:
    void commandsAskedAgainBringTheirWindowForward();
    void jobsAskedBackToBackFromTwoWindowsRunInOrder();
    void ipSettingsBringBackOnlyAnOpenEditor_data();
    void ipSettingsBringBackOnlyAnOpenEditor();
};

void TestProgramWindows::commandsAskedAgainBringTheirWindowForward()
{
    EthernetProgram run(SimOptions{}, {"zkvr340a", "DEBUG"});
    QVERIFY2(run.listening, qPrintable(run.error));
    World &world = run.world;
    Application &program = run.program;
    enum { Live, Chosen, FirstDirect, AgainDirect, Guarded, Quiet, Closed } stage = Live;
    int directs = 0, versions = 0, selects = 0, requests = 0, requestsWhileOpen = -1;
    double quietFrom = 0;
    bool directOnScreen = false;
    QStringList clashes{QStringLiteral("not looked at")};
    bool done = false;
    drive(program, 20.0, [&] {
        FrmMain *w = program.mainWindow();
        switch (stage) {
        case Live: {
            if (!liveWithEditor(program, world))
                return false;
            mainToTheTop(w);
            // The menus as the program puts them together: one item per key.
            clashes = mnemonicClashes(w);
            // The editor already open, chosen again, comes to the front.
            w->action("MenVisual")->trigger();
            FrmSelect *select = shown<FrmSelect>().value(0);
            if (!select)
                return false;
            w->activateWindow();
            select->list()->setCurrentRow(0);
            select->CmdJob(0)->click();
            stage = Chosen;
            return false;
        }
        case Chosen:
            if (QApplication::activeWindow() != program.editor(1))
                return false;
            w->action("MenDebugRead")->trigger();
            stage = FirstDirect;
            return false;
        case FirstDirect:
            if (shown<FrmDirect>().size() != 1 || !world.jobs.pollHeld())
                return false;
            directOnScreen = onMainScreen(w, shown<FrmDirect>().front());
            w->action("MenDebugRead")->trigger();
            for (int i = 0; i < 2; ++i) {
                w->action("MenVerInfo")->trigger();
                w->action("MenVisual")->trigger();
            }
            versions = int(shown<FrmVer>().size());
            selects = int(shown<FrmSelect>().size());
            stage = AgainDirect;
            return false;
        case AgainDirect:
            if (world.jobs.waiting(JobKind::DirectRead))
                return false; // the read command's request is still waiting
            directs = int(shown<FrmDirect>().size());
            // A job that ends while the window is open does not end its hold.
            world.jobs.request(JobWork::extendedRead());
            stage = Guarded;
            return false;
        case Guarded:
            if (!world.jobs.empty() || program.jobWindowVisible())
                return false;
            requests = run.chain.requestCount();
            quietFrom = world.clock.now();
            stage = Quiet;
            return false;
        case Quiet:
            if (world.clock.now() - quietFrom < 3 * world.link.ReplyTimeUnit)
                return false;
            requestsWhileOpen = run.chain.requestCount() - requests;
            for (FrmDirect *d : shown<FrmDirect>())
                d->close();
            requests = run.chain.requestCount();
            stage = Closed;
            return false;
        case Closed:
            // The last direct-access window closed: polling resumes.
            return !world.jobs.pollHeld() && run.chain.requestCount() > requests + 2;
        }
        return false;
    }, done);
    QCOMPARE(program.run(), 0);
    QVERIFY2(done, qPrintable(QStringLiteral("stage %1, %2 direct-access windows").arg(stage).arg(directs)));
    QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(u'\n')));
    QCOMPARE(directs, 1);
    QCOMPARE(versions, 1);
    QCOMPARE(selects, 1);
    QCOMPARE(requestsWhileOpen, 0);
    QVERIFY(directOnScreen);
}

// The editor asks to initialise a channel and, before the loop gets to it,
// the main window asks for direct memory access: both run, in that order.
void TestProgramWindows::jobsAskedBackToBackFromTwoWindowsRunInOrder()
{
    EthernetProgram run(SimOptions{}, {"zkvr340a", "DEBUG"});
    QVERIFY2(run.listening, qPrintable(run.error));
    World &world = run.world;
    Application &program = run.program;
    QList<QByteArray> writes;
    run.chain.onWrite = [&](const QByteArray &rq) { writes << rq; };
    enum { Live, Asked } stage = Live;
    QList<QByteArray> writesBeforeDirect{"none yet"};
    bool done = false;
    drive(program, 20.0, [&] {
        switch (stage) {
        case Live:
            if (!liveWithEditor(program, world) || !world.jobs.empty() || program.jobWindowVisible())
                return false;
            run.dialogs.answers.push_back(MsgAnswer::Ok); // the initialise question
            writes.clear();
            program.editor(1)->findChild<QPushButton *>(QStringLiteral("CmdInitch_3"))->click();
            program.mainWindow()->action("MenDebugRead")->trigger();
            stage = Asked;
            return false;
        case Asked:
            if (shown<FrmDirect>().empty())
                return false;
            writesBeforeDirect = writes;
            for (FrmDirect *d : shown<FrmDirect>())
                d->close();
            return true;
        }
        return false;
    }, done);
    QCOMPARE(program.run(), 0);
    QVERIFY2(done, qPrintable(QStringLiteral("stage %1").arg(stage)));
    QCOMPARE(writesBeforeDirect, QList<QByteArray>{initialiseRequest(1, 3)});
    QCOMPARE(run.dialogs.texts().value(0), initialiseConfirmText(3));
}

void TestProgramWindows::ipSettingsBringBackOnlyAnOpenEditor_data()
{
    QTest::addColumn<bool>("editorOpen");
    QTest::newRow("editor open") << true;
    QTest::newRow("editors closed by a download") << false;
}

void TestProgramWindows::ipSettingsBringBackOnlyAnOpenEditor()
{
    QFETCH(bool, editorOpen);
    EthernetProgram run(SimOptions{});
    QVERIFY2(run.listening, qPrintable(run.error));
    World &world = run.world;
    Application &program = run.program;
    enum { Live, Dialog, Writing, After } stage = Live;
    bool dialogOnScreen = false;
    QPoint editorAt;
    int requests = 0;
    bool done = false;
    drive(program, 30.0, [&] {
        FrmMain *w = program.mainWindow();
        switch (stage) {
        case Live:
            if (!liveWithEditor(program, world) || !w->action("MenIP")->isEnabled())
                return false;
            mainToTheTop(w);
            if (editorOpen)
                editorAt = program.editor(1)->pos();
            else
                w->closeEditors(); // as a download does
            w->action("MenIP")->trigger();
            stage = Dialog;
            return false;
        case Dialog: {
            const QList<FrmIPSetting *> dialogs = shown<FrmIPSetting>();
            if (dialogs.isEmpty())
                return false;
            FrmIPSetting *dlg = dialogs.front();
            dialogOnScreen = onMainScreen(w, dlg);
            // The loopback address, where the virtual mixer listens, with
            // the DHCP client on (a mixer set by hand could not have it).
            dlg->Text(0)->setText(QStringLiteral("127.0.0.1"));
            dlg->Text(1)->setText(QStringLiteral("room2"));
            dlg->Option1(1)->setChecked(true);
            QTimer::singleShot(0, dlg->CmdJob(0), &QPushButton::click);
            stage = Writing;
            return false;
        }
        case Writing:
            if (!run.chain.networkBlock().startsWith(QByteArray::fromHex("7F00000101")) || !shown<FrmIPSetting>().isEmpty()
                || !world.jobs.empty())
                return false;
            requests = run.chain.requestCount();
            stage = After;
            return false;
        case After:
            // Reconnected and polling again.
            return run.chain.requestCount() > requests + 2;
        }
        return false;
    }, done);
    QCOMPARE(program.run(), 0);
    QVERIFY2(done, qPrintable(QStringLiteral("stage %1; %2").arg(stage).arg(run.dialogs.texts().join(" / "))));
    QVERIFY(dialogOnScreen);
    QVERIFY2(run.dialogs.shown.empty(), qPrintable(run.dialogs.texts().join(" / ")));
    FrmMixer *editor = program.editor(1);
    if (editorOpen) {
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->pos(), editorAt);
    } else {
        QVERIFY2(!editor || !editor->isVisible(), "an editor that was closed came back");
    }
}

ZK_TEST_MAIN(TestProgramWindows)
#include "tst_programwindows.moc"
