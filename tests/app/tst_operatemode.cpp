// A chairperson's PC, the whole program against a virtual mixer chain on
// loopback TCP: `zkvr340a --operate FILE --link ethernet --fullscreen`
// connects without asking, opens the file without a dialog and operates its
// panel, locked. The channels are switched off while it operates, a wrong
// passphrase leaves them so, and quitting with the right one gives them back.

#include "app/ui/frmmain.h"
#include "base/strings.h"
#include "panel/operatorlock.h"
#include "panel/ui/frmexeicon.h"
#include "panel/ui/frmmdi.h"
#include "tests/support/programrig.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QTemporaryDir>
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

} // namespace

class TestOperateMode : public QObject
{
    Q_OBJECT

private slots:
    // The per-user store outlives a run: each case starts without a passphrase.
    void init() { OperatorLock::userStore().write(QString()); }

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
        QCOMPARE(OperatorLock().change({}, QStringLiteral("gavel")), OperatorLock::Change::Set);

        EthernetProgram run(twoMixers(), {"zkvr340a", "--operate", file, "--link", "ethernet", "--fullscreen"});
        QVERIFY2(run.listening, qPrintable(run.error));
        qunsetenv("ZKVR340A_LINK"); // --link alone names the link
        switchChannels(run.chain, true); // as the room left them
        Application &program = run.program;
        ScriptedDialogs &dialogs = run.dialogs;
        enum { Starting, Locked, Refused, Quitting } stage = Starting;
        bool fullScreen = false;
        QString lockedTitle;
        bool held = false;
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
                // wrong one at the close box: the panel operates on.
                dialogs.passphrases = {QStringLiteral("hammer"), std::nullopt, QStringLiteral("GAVEL")};
                panel->action(PanelCommand::Stop)->trigger();
                panel->action(PanelCommand::Quit)->trigger();
                panel->close();
                stage = Refused;
                return false;
            case Refused:
                held = panel->isVisible() && panel->executing() && panel->locked() && channelOff(run.chain, 1)
                       && channelOff(run.chain, 2);
                // The right passphrase, then the usual end question.
                dialogs.passphrases = {QStringLiteral("gavel")};
                stage = Quitting;
                panel->action(PanelCommand::Quit)->trigger();
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
        QVERIFY(held);
        QCOMPARE(dialogs.texts().count(str(12104)), 2);
        QVERIFY(dialogs.texts().contains(str(1311))); // 終了します。よろしいですか？
        // Quitting gave the channels back as they were.
        QVERIFY(channelOn(run.chain, 1));
        QVERIFY(channelOn(run.chain, 2));
        // Every passphrase given is in the activity log.
        int refused = 0, right = 0;
        for (const ActivityEntry &e : run.world.activity.entries())
            if (e.kind == ActivityKind::Access && e.detail == str(12113))
                (e.outcome == ActivityOutcome::Refused ? refused : right) += 1;
        QCOMPARE(refused, 2);
        QCOMPARE(right, 1);
    }

    // No passphrase set: the panel still operates the file's panel, and says
    // it is not locked rather than pretending to be.
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
        bool done = false;
        bool unlocked = false;
        drive(run.program, 30.0, [&] {
            FrmMdi *panel = run.program.panelWindow();
            if (!panel || !panel->isVisible() || !panel->executing())
                return false;
            unlocked = !panel->locked() && !panel->windowState().testFlag(Qt::WindowFullScreen);
            return true;
        }, done);
        QCOMPARE(run.program.run(), 0);
        QVERIFY(done);
        QVERIFY(unlocked);
        const QStringList said = run.dialogs.texts();
        QVERIFY(said.contains(str(12114).arg(file)));
        QVERIFY(said.contains(str(12111)));
        QVERIFY(run.dialogs.fileRequests.isEmpty());
    }
};

ZK_TEST_MAIN(TestOperateMode)
#include "tst_operatemode.moc"
