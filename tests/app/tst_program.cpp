// The whole program in-process: start-up, connect step, job loop, polling
// and writing, against a virtual mixer chain on a real loopback TCP socket.

#include "base/clock.h"
#include "base/dialogs.h"
#include "base/instancelock.h"
#include "base/strings.h"
#include "app/runninginstance.h"
#include "app/ui/application.h"
#include "app/ui/frmmain.h"
#include "app/ui/frminterface.h"
#include "app/ui/frmselect.h"
#include "editor/ui/frmmixer.h"
#include "editor/ui/frmparameter.h"
#include "editor/ui/settingsdialog.h"
#include "editor/valueentry.h"
#include "link/comm.h"
#include "link/ui/frmethersetting.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmmdi.h"
#include "app/world.h"
#include "sim/simchain.h"
#include "sim/simsearch.h"
#include "sim/simtcp.h"
#include "sim/simusb.h"
#include "tests/support/programrig.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QToolBar>
#include <QApplication>
#include <QLineEdit>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QLabel>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A settings file without the extended values of the slave sections. The
// file keeps each mixer's own extended values, but loading gives every mixer
// the master's; a slave whose editor never opened still holds the start
// values, so only these lines may differ after a load.
QByteArray withoutSlaveExtended(const QByteArray &file)
{
    static const QList<QByteArray> extendedKeys = {
        "ThresholdMax=", "ThresholdMin=", "ThresholdK=", "MuteK=", "OutPeakLEDK=", "PriorityDef=",
        "ThresholdMaxDef=", "ThresholdMinDef=", "MuteAttDef=", "ThresholdActDef=", "Noise_Detection=",
        "Noise_Detection_Reference=", "Noise_Detection_Threshold=", "Head_Lack_Prevention=",
        "Silent_Time=", "Hold_Time2=", "ThresholdK2="};
    QByteArray out;
    bool slave = false;
    for (const QByteArray &line : file.split('\n')) {
        if (line.startsWith('['))
            slave = line.startsWith("[Mixer_Slave");
        const bool extended = std::any_of(extendedKeys.begin(), extendedKeys.end(),
                                          [&](const QByteArray &k) { return line.startsWith(k); });
        if (!(slave && extended))
            out += line + '\n';
    }
    return out;
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void offlineStartReachesAnIdleMainWindow()
    {
        qputenv("ZKVR340A_LINK", "offline");
        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        world.loop.DataFileName = "/somewhere/room.ini";
        Application program(world, {"zkvr340a"});
        bool idle = false;
        drive(program, 5.0, [&] {
            FrmMain *w = program.mainWindow();
            return w && w->isVisible() && !w->menu("MenDownLoad")->menuAction()->isEnabled()
                   && !w->action("MenIP")->isEnabled() && world.loop.StartupPolls == 0;
        }, idle);
        QCOMPARE(program.run(), 0);
        QVERIFY(idle);
        for (int m = 1; m <= 16; ++m)
            QCOMPARE(world.mixers.Model[size_t(m)], qint16(-1));
        QCOMPARE(world.mixers.MixerCount, qint16(0));
        QVERIFY(dialogs.shown.empty());
    }

    void ethernetStartPollsAndWritesThroughTheLoop()
    {
        SimOptions options;
        options.mixers = 3;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        SimChain &chain = run.chain;
        World &world = run.world;
        ScriptedDialogs &dialogs = run.dialogs;
        Application &program = run.program;
        enum { WaitingForMixers, WaitingForWrite, ChoosingMixer } stage = WaitingForMixers;
        bool done = false;
        drive(program, 20.0, [&] {
            FrmMain *w = program.mainWindow();
            if (stage == WaitingForMixers) {
                if (world.mixers.MixerCount != 3 || !w->menu("MenFile")->menuAction()->isEnabled())
                    return false;
                // An edit: submitted, the loop does the rest.
                program.sync()->submit(2, 41, 30, Submit::Copy);
                stage = WaitingForWrite;
                return false;
            }
            if (stage == WaitingForWrite) {
                if (!(chain.blockByte(2, 41) == 30 && world.mixers.MixerData[2].InputGain(1) == 30
                      && !world.mixers.anyPending(2)))
                    return false;
                // The first editor opened with the program; pick slave 2 instead.
                if (!world.mixers.EditorOpen[1])
                    return false;
                w->action("MenVisual")->trigger();
                auto *select = w->findChild<FrmSelect *>();
                if (!select)
                    return false;
                select->list()->setCurrentRow(2);
                select->CmdJob(0)->click();
                stage = ChoosingMixer;
                return false;
            }
            return world.mixers.EditorOpen[3] && !world.mixers.EditorOpen[1];
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(done, qPrintable(QString("mixers %1").arg(world.mixers.MixerCount)));
        QCOMPARE(world.mixers.Model[1], qint16(1));
        QVERIFY(world.mixers.WriteAccess);
        QVERIFY(dialogs.shown.empty());
    }

    // Over USB the windows keep answering while the program polls and writes:
    // no devbridge read holds up the event loop, and none is made while no
    // reply is owed.
    void usbPollsAndWritesWithoutFreezing()
    {
        SimOptions options;
        options.mixers = 2;
        SimChain chain(options);
        QTemporaryDir root;
        SimUsbDevice device(chain, root.path(), "zkvr0");
        QString error;
        QVERIFY2(device.start(error), qPrintable(error));
        qputenv("DEVBRIDGE_DEVICE_ROOT", root.path().toLocal8Bit());
        qputenv("ZKVR340A_LINK", "usb");
        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        Application program(world, {"zkvr340a"});

        // The longest time the event loop went without serving a timer.
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
            if (sinceTick.isValid())
                longestGap = std::max(longestGap, sinceTick.elapsed());
            sinceTick.start();
        });
        ticker.start(20);

        bool editMade = false, done = false;
        QElapsedTimer sinceVerified;
        drive(program, 30.0, [&] {
            if (!editMade) {
                if (world.mixers.MixerCount != 2 || !program.mainWindow()->menu("MenFile")->menuAction()->isEnabled())
                    return false;
                program.sync()->submit(2, 41, 30, Submit::Copy);
                editMade = true;
                return false;
            }
            // Verified, and polled on for a while after the write.
            if (!(chain.blockByte(2, 41) == 30 && world.mixers.MixerData[2].InputGain(1) == 30
                  && !world.mixers.anyPending(2)))
                return false;
            if (!sinceVerified.isValid())
                sinceVerified.start();
            return sinceVerified.elapsed() > 1500;
        }, done);
        QCOMPARE(program.run(), 0);
        qunsetenv("DEVBRIDGE_DEVICE_ROOT");
        QVERIFY2(done, qPrintable(QString("edit made: %1; %2").arg(editMade).arg(dialogs.texts().join(" / "))));
        QVERIFY2(longestGap < 400, qPrintable(QString("%1 ms").arg(longestGap)));
        QCOMPARE(world.mixers.Model[1], qint16(1));
        QVERIFY(dialogs.shown.empty());
    }

    // What a newcomer does: choose Ethernet, search for the user ID, connect.
    void linkChoiceAndSearchReachLiveMixers()
    {
        SimOptions options;
        options.mixers = 3;
        options.address = "127.0.0.1";
        options.userId = "room42";
        SimChain chain(options);
        SimTcpFront front(chain);
        QString error;
        QVERIFY2(front.listen("127.0.0.1", 0, error), qPrintable(error));
        SimSearchResponder search(chain);
        QVERIFY2(search.bind("127.0.0.1", 0, 41502, error), qPrintable(error));
        qunsetenv("ZKVR340A_LINK");
        qputenv("ZKVR340A_TCP_PORT", QByteArray::number(front.port()));
        qputenv("ZKVR340A_SEARCH_ADDRESS", "127.0.0.1");
        qputenv("ZKVR340A_SEARCH_PORT", QByteArray::number(search.port()));
        qputenv("ZKVR340A_SEARCH_REPLY_PORT", "41502");
        writeIni("192.168.100.200");

        // Answers the modal dialogs as they come up.
        bool clickedLink = false, searched = false;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, &answer, [&] {
            if (auto *choice = qobject_cast<FrmInterface *>(QApplication::activeModalWidget());
                choice && !clickedLink) {
                clickedLink = true;
                choice->CmdJob(3)->click();
            } else if (auto *ether = qobject_cast<FrmEtherSetting *>(QApplication::activeModalWidget());
                       ether && !searched) {
                searched = true;
                ether->Text(1)->setText("room42");
                ether->CmdJob(FrmEtherSetting::SearchButton)->click();
            }
        });
        answer.start(50);

        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        Application program(world, {"zkvr340a"});
        bool live = false;
        drive(program, 40.0, [&] {
            return world.mixers.MixerCount == 3 && world.mixers.Model[1] == 1;
        }, live);
        QCOMPARE(program.run(), 0);
        QVERIFY(clickedLink && searched);
        QVERIFY2(live, qPrintable(dialogs.texts().join(" / ")));
        QCOMPARE(world.link.linkKind, LinkKind::Ethernet);
        // The found address is remembered for the next start.
        QCOMPARE(IniConfig().ipSettings().address, QString("127.0.0.1"));
        QCOMPARE(IniConfig().ipSettings().userId, QString("room42"));
        for (const char *v : {"ZKVR340A_TCP_PORT", "ZKVR340A_SEARCH_ADDRESS", "ZKVR340A_SEARCH_PORT",
                              "ZKVR340A_SEARCH_REPLY_PORT"})
            qunsetenv(v);
    }

    // Save as, change the mixer, open the file again through the menu: the
    // loaded value goes back into the mixer, and saving again writes the
    // same bytes.
    void openAndSaveThroughTheMenuRoundTripAFile()
    {
        SimOptions options;
        options.mixers = 2;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        SimChain &chain = run.chain;
        World &world = run.world;
        ScriptedDialogs &dialogs = run.dialogs;
        Application &program = run.program;
        QTemporaryDir dir;
        const QString path = dir.filePath("hall.ini");
        constexpr int InputGain1 = 41;

        auto mixerHolds = [&](int value) {
            return chain.blockByte(2, InputGain1) == value
                   && world.mixers.MixerData[2].InputGain(1) == value && !world.mixers.anyPending(2);
        };
        enum { Live, FirstValue, SecondValue, Loaded } stage = Live;
        QByteArray saved;
        bool done = false;
        drive(program, 30.0, [&] {
            FrmMain *w = program.mainWindow();
            switch (stage) {
            case Live:
                // The editor opened at start reads the extended data; that
                // read has to be back before the file is saved.
                if (world.mixers.MixerCount != 2 || !w->menu("MenFile")->menuAction()->isEnabled()
                    || world.mixers.ExtendedData[1].Silent_Time != 50)
                    return false;
                program.sync()->submit(2, InputGain1, 30, Submit::Copy);
                stage = FirstValue;
                return false;
            case FirstValue:
                if (!mixerHolds(30))
                    return false;
                dialogs.fileNames = {path};
                w->action("MenNewSave")->trigger();
                saved = readAll(path);
                program.sync()->submit(2, InputGain1, 10, Submit::Copy);
                stage = SecondValue;
                return false;
            case SecondValue:
                if (!mixerHolds(10))
                    return false;
                dialogs.fileNames = {path};
                answerLoadComparison(Qt::Key_Return); // the window lists the one changed gain
                w->action("MenLoad")->trigger();
                stage = Loaded;
                return false;
            case Loaded:
                if (!mixerHolds(30))
                    return false;
                w->action("MenSave")->trigger();
                return true;
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(done, qPrintable(QString("stage %1; %2").arg(stage).arg(dialogs.texts().join(" / "))));
        QVERIFY(saved.contains("\r\n"));
        QCOMPARE(withoutSlaveExtended(readAll(path)), withoutSlaveExtended(saved));
        QCOMPARE(dialogs.fileRequests.size(), 2); // save as and open; save asks for no name
        QCOMPARE(world.loop.DataFileName, path);
        QCOMPARE(program.mainWindow()->windowTitle(), path + " - ZK-VR340a");
    }

    // The download menu (with DEBUG) sends the chosen image in the progress
    // window, reconnecting around it, and the loop polls again afterwards.
    // From the first R to the end no command of the main window starts: the
    // mode change clicked in the reconnect's wait does not open the panel.
    void downloadThroughTheDebugMenu()
    {
        SimOptions options;
        options.model = 0;     // a mixer of the older model, for its main program
        options.delayMs = 150; // the progress window stays up while the mixer takes the image
        EthernetProgram run(options, {"zkvr340a", "DEBUG"});
        QVERIFY2(run.listening, qPrintable(run.error));
        QTemporaryDir dir;
        const QString path = dir.filePath("main.bin");
        QByteArray image(3000, Qt::Uninitialized);
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(i * 7);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(image) == image.size());
        f.close();
        World &world = run.world;
        enum { Live, Asked, Sent } stage = Live;
        bool editorClosed = false, windowSeen = false, clicked = false, commandsOff = false, panelSeen = false;
        int requestsAfter = 0;
        bool done = false;
        drive(run.program, 30.0, [&] {
            FrmMain *w = run.program.mainWindow();
            switch (stage) {
            case Live:
                if (!w->menu("MenDownLoad")->menuAction()->isEnabled() || !world.mixers.EditorOpen[1])
                    return false;
                run.dialogs.fileNames = {path};
                w->action("MenDownMain")->trigger();
                editorClosed = !world.mixers.EditorOpen[1] && world.jobs.waiting(JobKind::Download);
                stage = Asked;
                return false;
            case Asked:
                windowSeen = windowSeen || topLevel("FrmProgressBar");
                panelSeen = panelSeen || run.program.panelWindow();
                if (!clicked && run.chain.inDownloadMode() && !topLevel("FrmProgressBar")) {
                    // The mixer took R; the link is being made again.
                    clicked = true;
                    commandsOff = !w->menu("MenFile")->menuAction()->isEnabled() && !w->Toolbar1()->isEnabled();
                    QTest::mouseClick(w->Toolbar1()->widgetForAction(w->findChild<QAction *>("tool_icon")),
                                      Qt::LeftButton);
                }
                if (world.jobs.waiting(JobKind::Download))
                    return false;
                requestsAfter = run.chain.requestCount();
                stage = Sent;
                return false;
            case Sent:
                // Polling again, with the commands back.
                return run.chain.requestCount() > requestsAfter + 3 && w->Toolbar1()->isEnabled()
                       && w->menu("MenFile")->menuAction()->isEnabled();
            }
            return false;
        }, done);
        QCOMPARE(run.program.run(), 0);
        QVERIFY2(done, qPrintable(QString("stage %1; %2").arg(stage).arg(run.dialogs.texts().join(" / "))));
        QVERIFY(editorClosed);
        QVERIFY(windowSeen);
        QVERIFY(clicked);
        QVERIFY(!panelSeen);
        QVERIFY(commandsOff);
        const QList<SimDownload> &got = run.chain.downloads();
        QCOMPARE(got.size(), 2);
        QCOMPARE(got[0].command, 'R');
        QCOMPARE(got[1].target, quint8(0x4D));
        QCOMPARE(got[1].data, image);
        QVERIFY(got[1].accepted());
        QCOMPARE(run.dialogs.fileRequests, QStringList{"ダウンロードするファイルを選択して下さい。"});
        QCOMPARE(run.dialogs.texts(), QStringList{"ダウンロードが完了しました。"});
    }

    // The mode change asked for while the job window is up disables the main
    // window at once; the panel comes when the job has ended.
    void modeChangeWhileAJobRunsWaitsForIt()
    {
        SimOptions options;
        options.delayMs = 60; // the extended read takes about a second
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        World &world = run.world;
        ScriptedDialogs &dialogs = run.dialogs;
        Application &program = run.program;
        enum { Live, JobAsked, ModeAsked } stage = Live;
        bool disabledDuringJob = false, panelAfterJob = false;
        bool done = false;
        drive(program, 30.0, [&] {
            FrmMain *w = program.mainWindow();
            switch (stage) {
            case Live:
                if (!w->menu("MenFile")->menuAction()->isEnabled())
                    return false;
                world.jobs.request(JobWork::extendedRead()); // as the editor asks for it
                stage = JobAsked;
                return false;
            case JobAsked:
                if (!program.jobWindowVisible())
                    return false;
                w->action("MenModeChange")->trigger();
                disabledDuringJob = !w->isEnabled() && world.jobs.waiting(JobKind::ModeChange)
                                    && !topLevel("frmMDI");
                stage = ModeAsked;
                return false;
            case ModeAsked:
                if (program.jobWindowVisible() || !topLevel("frmMDI"))
                    return false;
                panelAfterJob = !w->isVisible();
                return true;
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(done, qPrintable(QString("stage %1").arg(stage)));
        QVERIFY(disabledDuringJob);
        QVERIFY(panelAfterJob);
        QVERIFY2(dialogs.shown.empty(), qPrintable(dialogs.texts().join(" / ")));
    }

    // The user closes the main window while a write keeps failing (eleven
    // passes, over a minute): the program ends at once, and the failure
    // message never comes up after its windows have gone.
    void closingDuringAWriteEndsAtOnce()
    {
        SimOptions options;
        options.mixers = 2;
        SimStuck keyLock;
        keyLock.mixer = 1;
        keyLock.keyId = 84;
        keyLock.value = 1;
        options.stuck << keyLock;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        World &world = run.world;
        Application &program = run.program;
        bool writing = false;
        QElapsedTimer sinceEdit;
        double closedAt = 0;
        bool closed = false;
        drive(program, 30.0, [&] {
            FrmMain *w = program.mainWindow();
            if (!writing) {
                if (world.mixers.MixerCount != 2 || !w->menu("MenFile")->menuAction()->isEnabled())
                    return false;
                program.sync()->submit(1, 84, 0, Submit::Copy);
                sinceEdit.start();
                writing = true;
                return false;
            }
            if (sinceEdit.elapsed() < 1500)
                return false;
            w->confirmClose = [] { return true; };
            closedAt = run.clock.now();
            w->close();
            return closed = true;
        }, closed);
        QCOMPARE(program.run(), 0);
        QVERIFY(closed);
        const double took = run.clock.now() - closedAt;
        QVERIFY2(took < 1.0, qPrintable(QString::number(took)));
        QVERIFY2(run.dialogs.shown.empty(), qPrintable(run.dialogs.texts().join(" / ")));
        QVERIFY(!program.comm()->isOpen());
    }

    // The panel takes the channels over while it is open: its mode change
    // gives them back and brings the main window again; its quit gives them
    // back and ends the program once they have reached the mixer (the quit job).
    void panelHoldsTheChannelsUntilItCloses()
    {
        SimOptions options;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        SimChain &chain = run.chain;
        World &world = run.world;
        ScriptedDialogs &dialogs = run.dialogs;
        Application &program = run.program;
        const int override1 = channelKeyId(ChannelFamily::RemoteOn, 1);
        chain.setBlockByte(1, override1, 1);
        enum { Live, PanelOpen, Back, PanelAgain, Quitting } stage = Live;
        bool done = false;
        const QPointer<QTimer> driver = drive(program, 30.0, [&] {
            FrmMain *w = program.mainWindow();
            switch (stage) {
            case Live:
                // The panel records what the mixer reported: wait for it.
                if (!w->menu("MenFile")->menuAction()->isEnabled() || world.loop.StartupPolls != 0
                    || world.mixers.MixerData[1].RemoteOn(1) != 1)
                    return false;
                w->action("MenModeChange")->trigger();
                stage = PanelOpen;
                return false;
            case PanelOpen:
                if (!topLevel("frmMDI") || w->isVisible() || chain.blockByte(1, override1) != 0)
                    return false;
                program.panelWindow()->action(PanelCommand::Close)->trigger();
                stage = Back;
                return false;
            case Back:
                if (topLevel("frmMDI") || !w->isVisible() || chain.blockByte(1, override1) != 1)
                    return false;
                w->action("MenModeChange")->trigger();
                stage = PanelAgain;
                return false;
            case PanelAgain:
                if (!topLevel("frmMDI") || chain.blockByte(1, override1) != 0)
                    return false;
                dialogs.answers = {MsgAnswer::No, MsgAnswer::Ok};   // do not save; quit
                program.panelWindow()->action(PanelCommand::Quit)->trigger();
                stage = Quitting;
                return false;
            case Quitting:
                return false;   // the program ends by itself
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        delete driver.data();
        QCOMPARE(stage, Quitting);
        QVERIFY(program.ended());
        QCOMPARE(chain.blockByte(1, override1), quint8(1));
        QVERIFY(world.jobs.waiting(JobKind::Quit));
        QVERIFY(dialogs.texts().contains("終了します。よろしいですか？"));
    }

    // The editor window opened with the program: it prints to a PDF file, a
    // typed gain reaches the mixer, and the extended write sends what its
    // entries hold.
    void editorEditsReachTheMixer()
    {
        EthernetProgram run(SimOptions{});
        QVERIFY2(run.listening, qPrintable(run.error));
        SimChain &chain = run.chain;
        World &world = run.world;
        Application &program = run.program;
        QTemporaryDir dir;
        const QString pdf = dir.filePath("editor.pdf");
        run.dialogs.printAnswers.push_back([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return PrintAnswer::Print;
        });
        enum { Live, GainTyped, TabOpened, WriteAsked } stage = Live;
        bool printWhileOpen = false;
        bool done = false;
        drive(program, 30.0, [&] {
            FrmMixer *w = program.editor(1);
            switch (stage) {
            case Live:
                if (!w || !program.mainWindow()->menu("MenFile")->menuAction()->isEnabled()
                    || !world.jobs.empty() || program.jobWindowVisible())
                    return false;
                printWhileOpen = program.mainWindow()->action("MenPrint")->isEnabled();
                program.mainWindow()->action("MenPrint")->trigger();
                w->UpDwInpgain(0)->findChild<QLineEdit *>()->setText("-10");
                QTest::keyClick(w->UpDwInpgain(0), Qt::Key_Return);
                stage = GainTyped;
                return false;
            case GainTyped:
                if (chain.blockByte(1, 41) != 32 || world.mixers.anyPending(1))
                    return false;
                w->SSTMixer()->setCurrentIndex(1);
                w->CmdOpen(0)->click();
                w->SSTMixer()->setCurrentIndex(2); // reads the extended data first
                stage = TabOpened;
                return false;
            case TabOpened:
                if (!world.jobs.empty() || program.jobWindowVisible())
                    return false;
                w->UpDwParam(1)->setCode(250); // ThresholdK 2.50
                w->CmdMixer(0)->click();
                stage = WriteAsked;
                return false;
            case WriteAsked:
                return chain.extRegister(1, 3) == 250 && world.jobs.empty()
                       && !program.jobWindowVisible();
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(done, qPrintable(QString("stage %1; %2").arg(stage).arg(run.dialogs.texts().join(" / "))));
        QVERIFY(printWhileOpen);
        QCOMPARE(run.dialogs.printRequests, 1);
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        QCOMPARE(world.mixers.ExtendedData[1].ThresholdK, 250); // read back after the write
    }

    // A double-click on an editor's row label shows that row across the
    // linked mixers; on the panel, a right click on the output button opens
    // the output dialog, whose Cancel puts the mixer's level back.
    void gridAndOutputDialogOpenWhereAsked()
    {
        EthernetProgram run(SimOptions{});
        QVERIFY2(run.listening, qPrintable(run.error));
        SimChain &chain = run.chain;
        World &world = run.world;
        Application &program = run.program;
        const int outputGain = 74;
        chain.setBlockByte(1, 41 + 1, 32); // channel 2 at -10.0 dB
        chain.setBlockByte(1, outputGain, 40);
        enum { Live, GridShown, PanelOpen, DialogOpen, Changed, Cancelled, Back } stage = Live;
        bool done = false;
        drive(program, 30.0, [&] {
            FrmMixer *editor = program.editor(1);
            switch (stage) {
            case Live:
                if (!editor || !program.mainWindow()->menu("MenFile")->menuAction()->isEnabled()
                    || !world.jobs.empty() || program.jobWindowVisible()
                    || world.mixers.MixerData[1].OutputGain() != 40)
                    return false;
                QTest::mouseDClick(editor->Lbl1L(4), Qt::LeftButton);
                stage = GridShown;
                return false;
            case GridShown: {
                FrmParameter *grid = program.parameterGrid();
                if (!grid || !grid->isVisible() || grid->GridParam()->rowCount() != 8
                    || grid->GridParam()->item(1, 1)->text() != "-10.0dB"
                    || grid->windowTitle() != "チャンネルレベル(dB)")
                    return false;
                grid->close();
                program.mainWindow()->action("MenModeChange")->trigger();
                stage = PanelOpen;
                return false;
            }
            case PanelOpen: {
                FrmMdi *panel = program.panelWindow();
                if (!panel || !panel->isVisible())
                    return false;
                panel->action(PanelCommand::Execution)->trigger();
                QTest::mousePress(panel->executionButton({0, 8}), Qt::RightButton, {}, QPoint(5, 5));
                stage = DialogOpen;
                return false;
            }
            case DialogOpen: {
                SettingsDialog *dialog = program.settingsDialog();
                if (!dialog || !dialog->isVisible() || !world.panel.runtime.settingsDialogOpen
                    || dialog->objectName() != "frmOutputSetting")
                    return false;
                dialog->gainEntry()->stepBy(8);
                stage = Changed;
                return false;
            }
            case Changed:
                if (chain.blockByte(1, outputGain) != 48)
                    return false;
                program.settingsDialog()->cmdCancel()->click();
                stage = Cancelled;
                return false;
            case Cancelled:
                if (chain.blockByte(1, outputGain) != 40 || world.panel.runtime.settingsDialogOpen
                    || world.editor.SettingsDialogOpen || world.mixers.anyPending(1))
                    return false;
                // The program ends from mixer mode, with the channels given back.
                program.panelWindow()->action(PanelCommand::Stop)->trigger();
                program.panelWindow()->action(PanelCommand::Close)->trigger();
                stage = Back;
                return false;
            case Back:
                return program.mainWindow()->isVisible() && !world.mixers.anyPending(1)
                       && world.jobs.empty();
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY2(done, qPrintable(QString("stage %1; %2").arg(stage).arg(run.dialogs.texts().join(" / "))));
    }

    void disconnectStoresTheSettingsFileName()
    {
        qputenv("ZKVR340A_LINK", "offline");
        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        Application program(world, {"zkvr340a"});
        bool started = false;
        drive(program, 5.0, [&] {
            world.loop.DataFileName = "/rooms/hall.ini";
            return true;
        }, started);
        program.run();
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, "ZK-VR340a", "ZK-VR340a");
        QCOMPARE(store.value("System/DataFileName").toString(), QString("/rooms/hall.ini"));
    }

    // A second start does not vanish: it asks the running program to bring
    // its window forward and says so on stderr.
    void secondStartBringsTheFirstForward()
    {
        const QString bin = qEnvironmentVariable("ZKVR340A_BIN_DIR") + "/zkvr340a";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZKVR340A_LINK", "offline");
        // What an earlier run left is no running program; the socket comes
        // up once the first start holds the lock.
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + u'/';
        const QString socket = runtime + InstanceLock::defaultName().replace(".lock", ".socket");
        QFile::remove(runtime + InstanceLock::defaultName());
        QFile::remove(socket);
        QProcess first;
        first.setProcessEnvironment(env);
        first.start(bin, {});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socket), 20000);
        QProcess second;
        second.setProcessEnvironment(env);
        second.start(bin, {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        const QString said = QString::fromUtf8(second.readAllStandardError());
        QVERIFY2(said.contains(str(13240).arg(first.processId())), qPrintable(said));
        QVERIFY(second.readAllStandardOutput().isEmpty());
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished();
    }

    // The running program answers one short line, even when it comes in
    // pieces; a line that is no request is closed without bringing anything
    // forward.
    void runningProgramAnswersOnlyARaiseRequest()
    {
        RunningInstance running(QStringLiteral("zk-test-%1.lock").arg(QCoreApplication::applicationPid()));
        QCOMPARE(running.claim(), RunningInstance::Outcome::First);
        int raised = 0;
        running.raise = [&raised] { ++raised; };
        const QFileInfo lock(running.lockPath());
        const QString path = lock.dir().filePath(lock.completeBaseName() + ".socket");
        auto ask = [&](const QByteArray &first, const QByteArray &rest) {
            QLocalSocket client;
            client.connectToServer(path);
            QByteArray answer;
            if (!client.waitForConnected(5000))
                return QByteArray("no connection");
            client.write(first);
            client.flush();
            // Lets the program read the first piece before the rest comes.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
            client.write(rest);
            client.flush();
            const QDeadlineTimer deadline(5000);
            while (!deadline.hasExpired() && client.state() != QLocalSocket::UnconnectedState
                   && !answer.contains('\n')) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                answer += client.readAll();
            }
            return answer + client.readAll();
        };
        QCOMPARE(ask("rai", "se\n"), QByteArray("raised\n"));
        QCOMPARE(raised, 1);
        QCOMPARE(ask("look", "\n"), QByteArray());
        QCOMPARE(raised, 1);
    }
};

ZK_TEST_MAIN(TestProgram)
#include "tst_program.moc"
