// A chairperson's PC, the whole program against a virtual mixer chain on
// loopback TCP: `zkvr340a --operate FILE --link ethernet --fullscreen`
// connects without asking, opens the file without a dialog and operates its
// panel, locked. The channels are switched off while it operates, a wrong
// passphrase leaves them so, and quitting with the right one gives them back.

#include "app/ui/frmmain.h"
#include "base/clock.h"
#include "base/strings.h"
#include "panel/heldchannels.h"
#include "panel/operatorlock.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmmdi.h"
#include "tests/support/programrig.h"
#include "tests/support/testmain.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWindow>
#include <QtTest>

namespace {

void addButton(PanelState &panel, int slot, int left, const QString &caption)
{
    ButtonSlot &b = panel.slot(0, slot);
    b.IconEnable = true;
    b.IconLeft = left;
    b.IconTop = 1500;
    b.IconWidth = b.IconHeight = 1400;
    b.IconText = caption;
    b.IconOnOff = false;
    ++panel.IconNum;
}

SimOptions twoMixers()
{
    SimOptions options;
    options.mixers = 2;
    return options;
}

// Channels 1 and 2 of mixer 1 switched on or off.
void switchChannels(SimChain &chain, bool on)
{
    for (int ch : {1, 2}) {
        chain.setBlockByte(1, channelKeyId(ChannelFamily::RemoteOn, ch), on ? 1 : 0);
        chain.setBlockByte(1, channelKeyId(ChannelFamily::RemoteOff, ch), on ? 0 : 1);
    }
}

bool channelOn(const SimChain &chain, int ch)
{
    return chain.blockByte(1, channelKeyId(ChannelFamily::RemoteOn, ch)) == 1
           && chain.blockByte(1, channelKeyId(ChannelFamily::RemoteOff, ch)) == 0;
}

bool channelOff(const SimChain &chain, int ch)
{
    return chain.blockByte(1, channelKeyId(ChannelFamily::RemoteOn, ch)) == 0;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A click on a toolbar button of the main window, as the window system
// delivers it: to the window, not straight to the button.
void clickMainWindowTool(FrmMain *main, const char *name)
{
    QWidget *button = main->Toolbar1()->widgetForAction(main->findChild<QAction *>(QLatin1String(name)));
    QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, button->mapTo(main, button->rect().center()));
}

// What the X server tells when a desktop tool destroys the window outright
// (xdotool windowclose): DestroyNotify, as xcb delivers it to the program.
void destroyNativeWindow(QWidget *window)
{
    struct
    {
        quint8 responseType = 17;
        quint8 pad = 0;
        quint16 sequence = 0;
        quint32 event = 0;
        quint32 window = 0;
    } notify;
    notify.event = notify.window = quint32(window->internalWinId());
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &notify, &result);
}

} // namespace

class TestOperateMode : public QObject
{
    Q_OBJECT

private slots:
    // The per-user store outlives a run: each case starts without a passphrase.
    void init()
    {
        OperatorLock::userStore().write(QString());
        HeldChannels().discard();
    }

    // Every way out of the locked panel: its commands and close box, the
    // hidden main window's close (as the desktop sends it), the desktop's
    // session end, the panel's window destroyed from outside, and a right
    // click that would open a channel's settings. Only the passphrase lets
    // the program end, the channels then given back, the room's file as it was.
    void lockedPanelGivesChannelsBackOnlyAfterThePassphrase()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("議場.ini");
        // The technician's file: two buttons on mixer 1, their channels off,
        // saved from the program.
        {
            EthernetProgram prepare(twoMixers());
            QVERIFY2(prepare.listening, qPrintable(prepare.error));
            switchChannels(prepare.chain, false);
            bool saved = false;
            drive(prepare.program, 30.0, [&] {
                World &world = prepare.world;
                if (world.mixers.MixerCount != 2 || world.loop.StartupPolls != 0
                    || !prepare.program.mainWindow()->action("MenNewSave")->isEnabled())
                    return false;
                addButton(world.panel, 0, 0, QStringLiteral("議長"));
                addButton(world.panel, 1, 1500, QStringLiteral("委員"));
                prepare.dialogs.fileNames = {file};
                prepare.program.mainWindow()->action("MenNewSave")->trigger();
                return true;
            }, saved);
            QCOMPARE(prepare.program.run(), 0);
            QVERIFY(saved && QFileInfo::exists(file));
        }
        const QByteArray roomFile = fileBytes(file);
        QCOMPARE(OperatorLock().change({}, QStringLiteral("gavel")), OperatorLock::Change::Set);

        ManualClock idleClock; // the lock's idle time, moved on by hand
        EthernetProgram run(twoMixers(), {"zkvr340a", "--operate", file, "--link", "ethernet", "--fullscreen"});
        QVERIFY2(run.listening, qPrintable(run.error));
        qunsetenv("ZKVR340A_LINK"); // --link alone names the link
        switchChannels(run.chain, true); // as the room left them
        Application &program = run.program;
        ScriptedDialogs &dialogs = run.dialogs;
        enum { Starting, Locked, Lost, MixerMode, Back, Switched, AllOff, Quitting } stage = Starting;
        bool waitedForIdleTime = false;
        bool fullScreen = false;
        QString lockedTitle;
        bool dialogOpened = true;
        bool mainTookInput = true;
        bool sessionRefused = false;
        qsizetype promptsBeforeLoss = 0;
        bool held = false;
        bool allOffWhileLocked = false;
        bool finished = false;
        const QPointer<QTimer> driver = drive(program, 60.0, [&] {
            FrmMdi *panel = program.panelWindow();
            switch (stage) {
            case Starting:
                // Straight into the locked execution state, the channels taken.
                if (!panel || !panel->isVisible() || !panel->executing() || !channelOff(run.chain, 1)
                    || !channelOff(run.chain, 2) || run.world.mixers.anyPending(1))
                    return false;
                fullScreen = panel->windowState().testFlag(Qt::WindowFullScreen);
                lockedTitle = panel->windowTitle();
                stage = Locked;
                return false;
            case Locked:
                // A wrong passphrase for 停止, a cancelled one for 終了, a
                // wrong one at the close box and at the hidden main window's.
                dialogs.passphrases = {QStringLiteral("hammer"), std::nullopt, QStringLiteral("GAVEL"),
                                       QStringLiteral("mallet")};
                panel->action(PanelCommand::Stop)->trigger();
                panel->action(PanelCommand::Quit)->trigger();
                panel->close();
                program.mainWindow()->windowHandle()->close();
                // Mapped by a desktop tool, the hidden main window takes no
                // click: its 終了 button would ask as its close does.
                promptsBeforeLoss = dialogs.passphrasePrompts.size();
                clickMainWindowTool(program.mainWindow(), "tool_close");
                mainTookInput = dialogs.passphrasePrompts.size() != promptsBeforeLoss
                                || program.mainWindow()->menuBar()->isEnabled();
                sessionRefused = !program.sessionEnding([] { return true; });
                QTest::mouseClick(panel->executionButton(ButtonRef{0, 0}), Qt::RightButton);
                dialogOpened = program.settingsDialog() != nullptr;
                // The panel's window destroyed, and the passphrase it then
                // asks for cancelled.
                promptsBeforeLoss = dialogs.passphrasePrompts.size();
                destroyNativeWindow(panel);
                stage = Lost;
                return false;
            case Lost:
                if (dialogs.passphrasePrompts.size() == promptsBeforeLoss)
                    return false;
                held = panel->isVisible() && panel->executing() && panel->locked() && channelOff(run.chain, 1)
                       && channelOff(run.chain, 2);
                // The technician stops the panel with the passphrase and
                // goes to the mixer mode.
                dialogs.passphrases = {QStringLiteral("gavel")};
                panel->action(PanelCommand::Stop)->trigger();
                panel->action(PanelCommand::Close)->trigger();
                stage = MixerMode;
                return false;
            case MixerMode: {
                if (panel || !program.mainWindow()->isVisible())
                    return false;
                // Left alone there for the idle time, the PC goes back to
                // its panel, operating and locked.
                OperatorLock &lock = program.operatorLock();
                lock.setClock(&idleClock);
                lock.noteInput();
                idleClock.advance(4 * 60);
                program.watchIdle();
                waitedForIdleTime = !program.panelWindow();
                idleClock.advance(60);
                program.watchIdle();
                stage = Back;
                return false;
            }
            case Back:
                if (!panel || !panel->isVisible() || !panel->executing() || !panel->locked()
                    || !channelOff(run.chain, 1) || run.world.mixers.anyPending(1))
                    return false;
                // The chairperson gives the floor: a switch, no design change.
                QTest::mouseClick(panel->executionButton(ButtonRef{0, 0}), Qt::LeftButton);
                stage = Switched;
                return false;
            case Switched:
                if (!channelOn(run.chain, 1) || run.world.mixers.anyPending(1))
                    return false;
                // The meeting goes on under the lock: 全員オフ, asking for nothing.
                promptsBeforeLoss = dialogs.passphrasePrompts.size();
                panel->findChild<QAction *>(QStringLiteral("mnuAllOff"))->trigger();
                stage = AllOff;
                return false;
            case AllOff:
                if (!channelOff(run.chain, 1) || run.world.mixers.anyPending(1))
                    return false;
                allOffWhileLocked = panel->locked() && dialogs.passphrasePrompts.size() == promptsBeforeLoss;
                // The right passphrase at the hidden main window's close,
                // then the usual end question.
                dialogs.passphrases = {QStringLiteral("gavel")};
                stage = Quitting;
                program.mainWindow()->windowHandle()->close();
                return false;
            case Quitting:
                return false; // the program ends by itself
            }
            return false;
        }, finished);
        QCOMPARE(program.run(), 0);
        delete driver.data();
        QCOMPARE(int(stage), int(Quitting));
        // Nothing asked how to connect or which file to open.
        QVERIFY(dialogs.fileRequests.isEmpty());
        QVERIFY(fullScreen);
        QVERIFY2(lockedTitle.contains(QStringLiteral("議場.ini")) && lockedTitle.endsWith(QStringLiteral("[ロック中]")),
                 qPrintable(lockedTitle));
        QVERIFY(!dialogOpened);
        QVERIFY(!mainTookInput);
        QVERIFY(sessionRefused);
        QVERIFY(dialogs.texts().contains(str(14002)));
        QVERIFY(held);
        QVERIFY(allOffWhileLocked);
        QVERIFY(waitedForIdleTime);
        QCOMPARE(dialogs.texts().count(str(12104)), 3);
        QVERIFY(dialogs.texts().contains(str(1311))); // 終了します。よろしいですか？
        // Quitting gave the channels back as they were, and left the room's
        // file as it was: nobody chose to save.
        QVERIFY(channelOn(run.chain, 1));
        QVERIFY(channelOn(run.chain, 2));
        QCOMPARE(fileBytes(file), roomFile);
        for (const QString &text : dialogs.texts())
            QVERIFY2(!text.contains(str(2732)), qPrintable(text));
        // Every passphrase given is in the activity log.
        int refused = 0, right = 0;
        for (const ActivityEntry &e : run.world.activity.entries())
            if (e.kind == ActivityKind::Access && e.detail == str(12113))
                (e.outcome == ActivityOutcome::Refused ? refused : right) += 1;
        QCOMPARE(refused, 3);
        QCOMPARE(right, 2);
    }

    // No passphrase set: the panel still operates the file's panel, and says
    // it is not locked rather than pretending to be. An unattended PC waits
    // on no box: what the start has to say stands in the status line. The
    // desktop's session end then ends the program, the channels given back
    // before the link closes.
    void withoutAPassphraseThePanelSaysItIsNotLocked()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("room.ini");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly)); // a file that is no settings file
            f.write("not a settings file\r\n");
        }
        EthernetProgram run(twoMixers(), {"zkvr340a", "--operate", file});
        QVERIFY2(run.listening, qPrintable(run.error));
        switchChannels(run.chain, true);
        bool done = false;
        bool unlocked = false;
        QString notice;
        bool sessionEnds = false;
        drive(run.program, 30.0, [&] {
            FrmMdi *panel = run.program.panelWindow();
            if (!panel || !panel->isVisible() || !panel->executing() || !channelOff(run.chain, 1)
                || run.world.mixers.anyPending(1))
                return false;
            unlocked = !panel->locked() && !panel->windowState().testFlag(Qt::WindowFullScreen);
            notice = panel->noticeLine() && panel->noticeLine()->isVisibleTo(panel) ? panel->noticeLine()->text() : QString();
            if (qEnvironmentVariableIsSet("ZKVR340A_SCREENSHOTS"))
                panel->grab().save(qEnvironmentVariable("ZKVR340A_SCREENSHOTS") + "/frmMDI_operate_notice.png");
            sessionEnds = run.program.sessionEnding([] { return true; });
            return true;
        }, done);
        QCOMPARE(run.program.run(), 0);
        QVERIFY(done);
        QVERIFY(unlocked);
        QVERIFY(sessionEnds);
        QVERIFY(channelOn(run.chain, 1));
        QVERIFY(channelOn(run.chain, 2));
        QVERIFY2(run.dialogs.shown.empty(), qPrintable(run.dialogs.texts().join('|')));
        QVERIFY2(notice.contains(str(12114).arg(file)), qPrintable(notice));
        QVERIFY2(notice.contains(str(12111).replace('\n', ' ')), qPrintable(notice));
        QVERIFY(run.dialogs.fileRequests.isEmpty());
    }
};

ZK_TEST_MAIN(TestOperateMode)
#include "tst_operatemode.moc"
