// The control panel inside the whole program: the panel state a start-up
// leaves for a visit or a save before any file, the recovery file of an
// unsaved design from the crash to the save or the user's No, and channels
// given back to mixers that were off the link when the panel closed.

#include "app/ui/frmmain.h"
#include "base/strings.h"
#include "panel/designrecovery.h"
#include "panel/ui/frmediticon.h"
#include "panel/heldchannels.h"
#include "panel/ui/frmmdi.h"
#include "settings/panelsections.h"
#include "settings/panelsections_keys.h"
#include "panel/ui/panelsurface.h"
#include "tests/support/programrig.h"
#include "tests/support/testmain.h"

#include <QAction>
#include <QProcess>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The value of `key` in "SystemData" of a settings file.
QByteArray systemValue(const QString &path, const QByteArray &key)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1).trimmed();
    return {};
}

// The value of `key` in `section` of a settings file.
QByteArray systemValueOf(const QString &path, const QByteArray &section, const QByteArray &key)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    bool inside = false;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            inside = line == '[' + section + ']';
        else if (inside && line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}

// Channel 1 of `mixer` switched on by remote control before the program came.
void switchChannelOneOn(SimChain &chain, int mixer)
{
    chain.setBlockByte(mixer, channelKeyId(ChannelFamily::RemoteOn, 1), 1);
    chain.setBlockByte(mixer, channelKeyId(ChannelFamily::RemoteOff, 1), 0);
}

// Whether channel 1 of `mixer` is switched on so.
bool channelOneOn(const SimChain &chain, int mixer)
{
    return chain.blockByte(mixer, channelKeyId(ChannelFamily::RemoteOn, 1)) == 1
           && chain.blockByte(mixer, channelKeyId(ChannelFamily::RemoteOff, 1)) == 0;
}

// A recovery file as a crash leaves it: a panel of two buttons on the
// master, from the settings file `source`; `more` is added to its end.
void leaveRecovery(const DesignRecovery &recovery, const QString &source, const QByteArray &more = {})
{
    PanelState p;
    p.defaults = PanelDefaults::fromStrings();
    qint16 mixers = 0;
    ResetPanel(p, mixers, PanelContext{});
    for (int s : {0, 1}) {
        ButtonSlot &b = p.slot(0, s);
        b.IconEnable = true;
        b.IconLeft = 2000 * s;
        b.IconWidth = b.IconHeight = 1500;
        b.IconText = s ? QStringLiteral("副議長") : QStringLiteral("議長");
    }
    p.IconNum = 2;
    SettingsTable t;
    resetFileTable(t);
    StorePanel(p, t, 1);
    t.set(SystemKey::MixerCount, SystemKey::Section, QStringLiteral("1"));
    QVERIFY(recovery.write(t, SetDataKeyTable::build(), 1, source));
    QFile f(recovery.path());
    QVERIFY(f.open(QIODevice::Append));
    f.write(more);
}

int buttonsOn(const PanelState &panel)
{
    return countEnabledButtons(panel);
}

} // namespace

class TestPanelProgram : public QObject
{
    Q_OBJECT

private slots:
    void init() { forgetWhatTheLastProgramLeft(); }

    // Offline no status poll comes: a save made before the panel was ever
    // opened, and the panel opened after it, show the reset look, not black.
    void offlineSaveBeforeThePanelKeepsItsLook()
    {
        qputenv("ZKVR340A_LINK", "offline");
        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        // Only the start-up reset is relied on to make the panel sound.
        world.panel.GUIWindowColor = 0;
        world.panel.table.cellWidths = {};
        Application program(world, {"zkvr340a"});
        QTemporaryDir dir;
        const QString path = dir.filePath("first.ini");
        dialogs.fileNames = {path};
        enum { Start, Saved } stage = Start;
        bool done = false;
        drive(program, 10.0, [&] {
            if (stage == Saved)
                return program.panelWindow() && program.panelWindow()->isVisible();
            FrmMain *w = program.mainWindow();
            if (!w || !w->isVisible())
                return false;
            w->action("MenNewSave")->trigger();
            w->action("MenModeChange")->trigger();
            stage = Saved;
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY(done);
        QCOMPARE(systemValue(path, "GUIWindowColor"), QByteArray::number(0xB5FFFF));
        QCOMPARE(systemValue(path, "GridColor"), QByteArray::number(0xBFBFBF));
        QCOMPARE(systemValue(path, "CellWidth_0"), QByteArray("2010"));
        QCOMPARE(world.panel.GUIWindowColor, 0xB5FFFF);
    }

    // Nothing unsaved, nothing written; a quit where the user chose not to
    // save removes what was.
    void recoveryFileGoesWithAnOrderlyEnd()
    {
        qputenv("ZKVR340A_LINK", "offline");
        const DesignRecovery recovery;
        SystemClock clock;
        ScriptedDialogs dialogs;
        World world(clock, dialogs);
        Application program(world, {"zkvr340a"});
        bool done = false;
        bool written = false;
        drive(program, 10.0, [&] {
            FrmMdi *panel = panelShown(program);
            if (!panel)
                return false;
            if (panel->writeRecovery())
                return false;   // nothing unsaved yet: nothing written
            panel->action(PanelCommand::Grid)->trigger();
            written = panel->writeRecovery() && recovery.leftBehind();
            dialogs.answers = {MsgAnswer::No, MsgAnswer::Ok};
            panel->action(PanelCommand::Quit)->trigger();
            return true;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY(done);
        QVERIFY(written);
        QVERIFY(!recovery.leftBehind());
    }

    // A design changed and never saved, and the program killed before it
    // could end in order: the recovery file it left is offered at the next
    // start, naming when it was written, and the panel comes back as it was,
    // counted as unsaved.
    void recoveryFileComesBackAfterAKill()
    {
        qputenv("ZKVR340A_LINK", "offline");
        const DesignRecovery recovery;
        recovery.discard();
        {
            // The whole program, killed after the recovery timer's work.
            QProcess crash;
            crash.start(qEnvironmentVariable("ZKVR340A_BIN_DIR") + "/designcrash",
                        {QCoreApplication::applicationName()});
            QVERIFY(crash.waitForFinished(30000));
            QCOMPARE(crash.exitStatus(), QProcess::CrashExit);
            QVERIFY2(recovery.leftBehind(), crash.readAllStandardError().constData());
        }
        QCOMPARE(systemValueOf(recovery.path(), "SystemData", "GridOnOff"), QByteArray("True"));

        SystemClock clock;
        ScriptedDialogs dialogs;
        dialogs.answers = {MsgAnswer::Yes};
        World world(clock, dialogs);
        Application program(world, {"zkvr340a"});
        bool done = false;
        bool asked = false;
        drive(program, 10.0, [&] {
            if (!panelShown(program))
                return false;
            // Quitting asks about the unsaved design; No, then Cancel.
            dialogs.answers = {MsgAnswer::No, MsgAnswer::Cancel};
            program.panelWindow()->action(PanelCommand::Quit)->trigger();
            asked = dialogs.texts().contains(str(2703) + QStringLiteral("\r\n") + str(2732));
            return true;
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY(done);
        QVERIFY(!dialogs.shown.empty());
        QVERIFY(dialogs.shown.front().text.contains(QStringLiteral("復元しますか")));
        QVERIFY(world.panel.GridOnOff);
        QVERIFY(asked);
        QVERIFY(!recovery.leftBehind());
    }

    // A recovered design is unsaved until it is saved or given up. The
    // question names its file and its time in the program's language; the
    // main window's cancelled quit asks about it and changes nothing of it;
    // a test run keeps it unsaved and its recovery file written; the No to
    // saving it removes the file until it changes again, a save for good,
    // and an end without the question leaves it for the next start.
    void recoveredDesignStaysUnsavedUntilSavedOrGivenUp()
    {
        qputenv("ZKVR340A_LINK", "offline");
        const DesignRecovery recovery;
        const QString hall = QStringLiteral("/rooms/hall.ini");
        leaveRecovery(recovery, hall);
        QTemporaryDir dir;
        const QString saved = dir.filePath("saved.ini");
        SystemClock clock;
        ScriptedDialogs dialogs;
        dialogs.answers = {MsgAnswer::Yes};
        World world(clock, dialogs);
        Application program(world, {"zkvr340a"});
        const QString saveQuestion = str(2703) + QStringLiteral("\r\n") + str(2732);
        enum { Start, Panel, Tested, Refused, Done } stage = Start;
        QStringList failures;
        QString question;
        auto expect = [&](bool ok, const char *what) {
            if (!ok)
                failures << QLatin1String(what);
        };
        bool done = false;
        drive(program, 20.0, [&] {
            FrmMain *main = program.mainWindow();
            switch (stage) {
            case Start: {
                if (!main || !main->isVisible())
                    return false;
                question = dialogs.shown.empty() ? QString() : dialogs.shown.front().text;
                // Quitting from the main window asks; No, then Cancel.
                dialogs.shown.clear();
                dialogs.answers = {MsgAnswer::No, MsgAnswer::Cancel};
                main->close();
                expect(dialogs.texts().contains(saveQuestion), "the main window's quit did not ask");
                stage = Panel;
                return false;
            }
            case Panel: {
                FrmMdi *panel = panelShown(program);
                if (!panel)
                    return false;
                expect(buttonsOn(world.panel) == 2 && panel->designButton({0, 1}), "the cancelled quit lost buttons");
                panel->action(PanelCommand::Execution)->trigger();
                panel->action(PanelCommand::Stop)->trigger();
                expect(panel->writeRecovery() && recovery.leftBehind(), "no recovery file after a test run");
                dialogs.shown.clear();
                dialogs.answers = {MsgAnswer::No, MsgAnswer::Cancel};
                panel->action(PanelCommand::Quit)->trigger();
                expect(dialogs.texts().contains(saveQuestion), "the panel's quit did not ask");
                expect(!recovery.leftBehind() && !panel->writeRecovery(), "the No left a recovery file");
                stage = Tested;
                return false;
            }
            case Tested: {
                FrmMdi *panel = program.panelWindow();
                // Changed again: kept again; saved: gone, and nothing asked.
                panel->action(PanelCommand::Grid)->trigger();
                expect(panel->writeRecovery(), "a change after the No was not kept");
                dialogs.fileNames = {saved};
                panel->action(PanelCommand::NewSave)->trigger();
                expect(!recovery.leftBehind() && panel->history().atSavedState(), "the save left the design unsaved");
                panel->action(PanelCommand::Grid)->trigger();
                expect(panel->writeRecovery(), "a change after the save was not kept");
                stage = Done;
                return true;
            }
            default:
                return true;
            }
        }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY(done);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
        QVERIFY2(question.contains(hall) && question.contains(QStringLiteral("復元しますか")), qPrintable(question));
        QVERIFY2(QRegularExpression(QStringLiteral("\\d{4}/\\d{1,2}/\\d{1,2}")).match(question).hasMatch(), qPrintable(question));
        QCOMPARE(systemValueOf(saved, "GUI_Master", "IconText_2"), QByteArray("\x95\x9b\x8b\x63\x92\xb7"));
        // Ended without the question: the last change waits for the next start.
        QVERIFY(recovery.leftBehind());
        QCOMPARE(systemValueOf(recovery.path(), "SystemData", "GridOnOff"), QByteArray("False"));
        recovery.discard();
    }

    // A recovery file a newer program wrote, with a damaged line: what can
    // be read comes back, the user is told what was not, and the file is
    // kept aside, out of the next start's way.
    void damagedRecoveryFileIsReadAsFarAsItCan()
    {
        qputenv("ZKVR340A_LINK", "offline");
        const DesignRecovery recovery;
        const QDir folder = QFileInfo(recovery.path()).dir();
        const QStringList asideName{QStringLiteral("design-recovery-*.ini")};
        for (const QString &old : folder.entryList(asideName))
            QFile::remove(folder.filePath(old));
        leaveRecovery(recovery, {}, "FutureKey=1\r\nGridInterval=wide\r\n");
        SystemClock clock;
        ScriptedDialogs dialogs;
        dialogs.answers = {MsgAnswer::Yes};
        World world(clock, dialogs);
        Application program(world, {"zkvr340a"});
        bool done = false;
        drive(program, 10.0, [&] { return panelShown(program) != nullptr; }, done);
        QCOMPARE(program.run(), 0);
        QVERIFY(done);
        QVERIFY(dialogs.texts().size() >= 2);
        QVERIFY2(dialogs.shown[0].text.contains(str(1953)), qPrintable(dialogs.shown[0].text));
        const QString told = dialogs.shown[1].text;
        QVERIFY2(told.contains(QStringLiteral("GridInterval=wide")), qPrintable(told));
        QCOMPARE(buttonsOn(world.panel), 2);
        const QStringList aside = folder.entryList(asideName);
        QCOMPARE(aside.size(), 1);
        QVERIFY2(told.contains(aside.front()), qPrintable(told));
        QVERIFY(QFile::remove(folder.filePath(aside.front())));
        recovery.discard();
    }

    // The program killed while its panel holds the channels: the switches it
    // found are on disk, and the next start offers them back before anything
    // else and gives them back as soon as the mixer answers; then the file goes.
    void channelsComeBackAfterAKill()
    {
        SimOptions options;
        options.mixers = 1;
        EthernetProgram run(options); // its mixer serves the program that dies as well
        QVERIFY2(run.listening, qPrintable(run.error));
        switchChannelOneOn(run.chain, 1);
        HeldChannels held;
        held.discard();
        {
            QProcess crash;
            crash.start(qEnvironmentVariable("ZKVR340A_BIN_DIR") + "/operatecrash",
                        {QCoreApplication::applicationName()});
            QTRY_VERIFY_WITH_TIMEOUT(crash.state() == QProcess::NotRunning, 30000);
            QCOMPARE(crash.exitStatus(), QProcess::CrashExit);
            QVERIFY2(held.leftBehind(), crash.readAllStandardError().constData());
        }
        QVERIFY(!channelOneOn(run.chain, 1)); // left muted

        run.dialogs.answers = {MsgAnswer::Yes};
        bool done = false;
        drive(run.program, 30.0, [&] {
            return channelOneOn(run.chain, 1) && !run.world.mixers.anyPending(1) && !held.leftBehind();
        }, done);
        QCOMPARE(run.program.run(), 0);
        QVERIFY(done);
        QVERIFY(!run.dialogs.shown.empty());
        QVERIFY(run.dialogs.shown.front().text.startsWith(str(14003).section(QStringLiteral("%1"), 0, 0)));
    }

    // The mixers stop answering while the panel holds their channels, and
    // the panel closes: once they answer again, each gets back what it had.
    void channelsGoBackToMixersThatReturn()
    {
        SimOptions options;
        options.mixers = 2;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        const int on1 = channelKeyId(ChannelFamily::RemoteOn, 1);
        switchChannelOneOn(run.chain, 1);
        switchChannelOneOn(run.chain, 2);
        World &world = run.world;
        Application &program = run.program;
        enum { Live, PanelOpen, Silent, Closed } stage = Live;
        bool done = false;
        const QPointer<QTimer> driver = drive(program, 90.0, [&] {
            switch (stage) {
            case Live:
                // Both mixers counted and their channels read.
                if (!programLive(program, world, 2)
                    || world.mixers.MixerData[1].RemoteOn(1) != 1 || world.mixers.MixerData[2].RemoteOn(1) != 1)
                    return false;
                program.mainWindow()->action("MenModeChange")->trigger();
                stage = PanelOpen;
                return false;
            case PanelOpen:
                // Switched off by the panel, then the link falls silent.
                if (!program.panelWindow() || run.chain.blockByte(1, on1) != 0 || run.chain.blockByte(2, on1) != 0
                    || world.mixers.anyPending(1) || world.mixers.anyPending(2))
                    return false;
                run.dialogs.answers = {MsgAnswer::Cancel};   // no save when the count falls
                run.chain.setDropProbability(1.0);
                stage = Silent;
                return false;
            case Silent:
                if (world.mixers.MixerCount != 0)
                    return false;
                program.panelWindow()->action(PanelCommand::Close)->trigger();
                run.chain.setDropProbability(0.0);
                stage = Closed;
                return false;
            case Closed:
                return channelOneOn(run.chain, 1) && channelOneOn(run.chain, 2);
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        delete driver.data();
        QCOMPARE(int(stage), int(Closed));
        QVERIFY(done);
    }

    // The mixers' data replies are late: the mode change asked for as soon
    // as the menus allow waits for them, so that the panel records the
    // switch a channel really has and gives that back when it closes.
    void panelWaitsForTheMixersData()
    {
        SimOptions options;
        options.mixers = 1;
        EthernetProgram run(options);
        QVERIFY2(run.listening, qPrintable(run.error));
        const int on1 = channelKeyId(ChannelFamily::RemoteOn, 1);
        switchChannelOneOn(run.chain, 1);
        run.chain.dropNext(1000000, "DR");
        Application &program = run.program;
        enum { Start, Waiting, Open, Closed } stage = Start;
        int ticks = 0;
        bool openedEarly = false;
        bool editorBeside = false;
        bool done = false;
        const QPointer<QTimer> driver = drive(program, 60.0, [&] {
            FrmMain *main = program.mainWindow();
            switch (stage) {
            case Start:
                // As soon as the menus allow, even before the master's
                // editor is up.
                if (!main || !main->isVisible() || !main->action("MenModeChange")->isEnabled())
                    return false;
                main->action("MenModeChange")->trigger();
                stage = Waiting;
                return false;
            case Waiting:
                // A second of polls without data: no panel, nothing switched.
                if (program.panelWindow() || !channelOneOn(run.chain, 1)) {
                    openedEarly = true;
                    return true;
                }
                if (++ticks == 20) {
                    run.chain.dropNext(0);
                    stage = Open;
                }
                return false;
            case Open:
                if (!program.panelWindow() || run.chain.blockByte(1, on1) != 0 || run.world.mixers.anyPending(1))
                    return false;
                // The editor opened while the change waited went with it.
                editorBeside = run.world.mixers.EditorOpen[1];
                program.panelWindow()->action(PanelCommand::Close)->trigger();
                stage = Closed;
                return false;
            case Closed:
                return channelOneOn(run.chain, 1);
            }
            return false;
        }, done);
        QCOMPARE(program.run(), 0);
        delete driver.data();
        QVERIFY2(!openedEarly, "the panel opened before the mixers' data was read");
        QVERIFY2(!editorBeside, "an editor stayed open beside the panel");
        QCOMPARE(int(stage), int(Closed));
        QVERIFY(done);
    }
};

ZK_TEST_MAIN(TestPanelProgram)
#include "tst_panelprogram.moc"
