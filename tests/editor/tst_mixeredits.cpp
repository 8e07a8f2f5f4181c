// What an edit in the mixer editor does to the mixer records, without
// widgets: targets, marking, the two links and the master-only groups.

#include "app/jobqueue.h"
#include "base/dialogs.h"
#include "editor/editorlifecycle.h"
#include "editor/editorrequests.h"
#include "editor/editorrules.h"
#include "editor/extendedentries.h"
#include "editor/mixeredits.h"
#include "recordedsync.h"
#include "tests/editor/keyids.h"
#include "tests/support/testmain.h"

#include <QTest>

namespace {

// Three linked mixers (a fourth exists in the records but is not linked),
// every read mark "fresh", SetData in the middle of its passes.
struct Records
{
    explicit Records(int linked = 3)
    {
        mixers.MixerCount = qint16(linked);
    }
    MixerEdits window(int mixer)
    {
        return MixerEdits({mixers, editor, sync}, mixer);
    }
    bool pending(int mixer, int id) const { return mixers.waiting(mixer, id); }
    int wanted(int mixer, int id) const { return mixers.MixerSetData[size_t(mixer)].value(id); }

    MixerState mixers;
    EditorState editor;
    RecordedSync sync{mixers};
};

} // namespace

class TestMixerEdits : public QObject
{
    Q_OBJECT

private slots:
    void gainEditsFollowCh1Link()
    {
        Records r;
        MixerEdits w = r.window(1);
        QVERIFY(w.gainChanged(2, 30));
        QCOMPARE(r.wanted(1, InputGain1 + 2), 30);
        QVERIFY(r.pending(1, InputGain1 + 2) && !r.pending(1, InputGain1));
        QVERIFY(!r.sync.freshData[1]);
        QCOMPARE(r.sync.retries, 0);

        // Link-On: strip 1's gain and choices go to all eight channels.
        r.mixers.MixerSetData[1].Phantom(1) = 0;
        w.turnCh1LinkOn(12);
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(r.wanted(1, InputGain1 + n - 1), 12);
            QCOMPARE(r.wanted(1, Phantom1 + n - 1), 0);
            QVERIFY(r.pending(1, Phantom1 + n - 1));
        }
        // Channel 3 changes nothing, channel 1 all eight.
        QVERIFY(!w.gainChanged(2, 50));
        QCOMPARE(r.wanted(1, InputGain1 + 2), 12);
        QVERIFY(w.gainChanged(0, 40));
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(r.wanted(1, InputGain1 + n - 1), 40);
        // Nothing is stored while the window shows MixerData.
        r.editor.Refreshing = true;
        QVERIFY(!w.gainChanged(0, 20));
        QCOMPARE(r.wanted(1, InputGain1), 40);
        // Link-Off leaves the values as they are.
        r.editor.Refreshing = false;
        w.turnCh1LinkOff();
        QVERIFY(w.gainChanged(2, 5));
        QCOMPARE(r.wanted(1, InputGain1 + 3), 40);
        QVERIFY(!r.mixers.anyPending(2));
    }

    void mixerLinkReachesTheLinkedMixersThatDiffer()
    {
        Records r;
        MixerEdits w = r.window(1);
        r.mixers.MixerSetData[1].InputGain(5) = 33;
        QVERIFY(w.chooseMixerLink(true));
        // Choosing the link copies the master's channels and output values
        // to the slaves, marked whether or not they differ.
        for (int t : {2, 3}) {
            QCOMPARE(r.wanted(t, InputGain1 + 4), 33);
            QVERIFY(r.pending(t, InputGain1) && r.pending(t, OutputLevel) && r.pending(t, Threshold));
        }
        QVERIFY(!r.mixers.anyPending(4));

        r.mixers.clearPending();
        r.sync.freshData.fill(true);
        r.mixers.MixerData[2].OutputGain() = 20;
        w.outputGainChanged(20);
        QVERIFY(r.pending(1, OutputGain) && r.pending(3, OutputGain));
        QVERIFY(!r.pending(2, OutputGain) && !r.pending(4, OutputGain));
        QCOMPARE(r.wanted(2, OutputGain), 20);
        QCOMPARE(r.wanted(4, OutputGain), 0);
        // System edits lower the read mark of each mixer they marked.
        for (int m = 1; m < MixerSlots; ++m)
            QCOMPARE(r.sync.freshData[size_t(m)], m != 1 && m != 3);
        // Noma and hold time stay with the master.
        w.systemOptionClicked(GroupNoma * 10 + 0);
        QVERIFY(r.pending(1, Noma) && !r.pending(2, Noma));

        // Link-Off copies only the output values once more.
        r.mixers.clearPending();
        w.chooseMixerLink(false);
        QVERIFY(r.pending(2, OutputGain) && !r.pending(2, InputGain1));
        QCOMPARE(r.wanted(3, OutputGain), 20);
        w.outputGainChanged(30);
        QCOMPARE(r.wanted(1, OutputGain), 30);
        QCOMPARE(r.wanted(3, OutputGain), 20);
    }

    void ch1LinkUnderMixerLinkCopiesChannelOneToEverySlave()
    {
        Records r;
        MixerEdits w = r.window(1);
        w.chooseMixerLink(true);
        r.mixers.clearPending();
        r.mixers.MixerSetData[1].LowCutFil(1) = 0;
        w.turnCh1LinkOn(12);
        for (int t : {2, 3})
            for (int n = 1; n <= 8; ++n) {
                QCOMPARE(r.wanted(t, LowCut1 + n - 1), 0);
                QCOMPARE(r.wanted(t, InputGain1 + n - 1), 12);
                QVERIFY(r.pending(t, InputGain1 + n - 1));
            }
        QVERIFY(!r.mixers.anyPending(4));
    }

    void aChoiceEqualToTheMixerIsStoredUnmarked()
    {
        Records r;
        MixerEdits w = r.window(1);
        // Phantom power of channel 1 off (the mixer has it on), then on again.
        QVERIFY(w.channelOptionClicked({0, RowPhantom, 0}));
        QVERIFY(r.pending(1, Phantom1));
        QVERIFY(w.channelOptionClicked({0, RowPhantom, 1}));
        QCOMPARE(r.wanted(1, Phantom1), 1);
        QVERIFY(r.pending(1, Phantom1)); // the earlier flag stays
        // Low cut of channel 3 as the mixer has it: stored, nothing marked.
        r.sync.retries = 7;
        r.sync.freshData[1] = true;
        QVERIFY(w.channelOptionClicked({2, RowLowCutFil, 1}));
        QVERIFY(!r.pending(1, LowCut3));
        QCOMPARE(r.sync.retries, 7);
        QVERIFY(r.sync.freshData[1]);
        QVERIFY(!w.channelOptionClicked({2, RowLowCutFil, 2})); // no such button
        QVERIFY(!w.channelOptionClicked({0, RowPhantom, -1}));
        QVERIFY(!w.channelOptionClicked({8, RowPhantom, 0}));
    }

    void channelOptionButtonsByTheirArrayIndex()
    {
        const ChannelOption last{7, RowRemoteOff, 1};
        QCOMPARE(channelOptionIndex(last), 771);
        const std::optional<ChannelOption> back = channelOptionAt(771);
        QVERIFY(back && back->ch == 7 && back->row == RowRemoteOff && back->choice == 1);
        for (int index : {-1, 800, 50, 12, 772})
            QVERIFY2(!channelOptionAt(index), qPrintable(QString::number(index)));
    }

    void thresholdStaysWithinTheMixersLimits()
    {
        Records r;
        MixerEdits w = r.window(1);
        QCOMPARE(w.thresholdChanged(20000), 16383);
        QCOMPARE(r.wanted(1, Threshold), 16383);
        QVERIFY(r.pending(1, Threshold));
        QVERIFY(!r.sync.freshThresholds[1]);
        QVERIFY(r.sync.freshData[1]);
        QCOMPARE(w.thresholdChanged(50), 100);
        QCOMPARE(r.wanted(1, Threshold), 100);
    }

    void slaveWindowTakesOnlyItsOwnGroups()
    {
        Records r;
        MixerEdits w = r.window(2);
        QVERIFY(!w.systemOptionClicked(GroupNoma * 10 + 0).stored);
        QVERIFY(!w.chooseMixerLink(true));
        QVERIFY(!r.mixers.anyPending(2) && !r.mixers.anyPending(1));
        QVERIFY(w.systemOptionClicked(GroupOutputLevel * 10 + 0).stored);
        QVERIFY(r.pending(2, OutputLevel) && !r.pending(1, OutputLevel));
        QVERIFY(!r.sync.freshData[2]);
        QCOMPARE(w.systemOptionClicked(GroupMuteChange * 10 + 1).mute, MixerEdits::MuteMode::Manual);
        QCOMPARE(w.systemOptionClicked(GroupMuteChange * 10 + 0).mute, MixerEdits::MuteMode::Auto);
    }

    void simultaneousSelectionSetsPrioritiesAndOnlyType()
    {
        Records r;
        MixerEdits w = r.window(1);
        // "All OK" is what the mixer has: written, not marked.
        w.systemOptionClicked(GroupSimultaneous * 10 + 0);
        QVERIFY(!r.mixers.anyPending(1));
        w.systemOptionClicked(GroupSimultaneous * 10 + 3);
        QCOMPARE(r.wanted(1, OnlyType), 2);
        for (int n = 0; n < 8; ++n) {
            QCOMPARE(r.wanted(1, Priority1 + n), 0);
            QVERIFY(r.pending(1, Priority1 + n));
        }
        QVERIFY(r.pending(1, OnlyType));
        QCOMPARE(simultaneousChoice(r.mixers.MixerSetData[1]), 3);
        w.systemOptionClicked(GroupSimultaneous * 10 + 0);
        QCOMPARE(r.wanted(1, Priority1 + 7), 1);
        QCOMPARE(r.wanted(1, OnlyType), 0);
    }

    void ignoreFlagSwallowsOneClick()
    {
        Records r;
        MixerEdits w = r.window(2);
        r.editor.IgnoreRemoteOnClick[2][3] = true;
        const ChannelOption overrideOn{2, RowRemoteOn, 1};
        QVERIFY(!w.channelOptionClicked(overrideOn));
        QVERIFY(!r.editor.IgnoreRemoteOnClick[2][3]);
        QCOMPARE(r.wanted(2, Override3), 0);
        QVERIFY(w.channelOptionClicked(overrideOn));
        QVERIFY(r.pending(2, Override3));
    }

    void captionsAndRequestTexts()
    {
        QCOMPARE(systemCaption(GroupSimultaneous, 0), QStringLiteral("All OK"));
        QCOMPARE(systemCaption(GroupSimultaneous, 3), QStringLiteral("3ch オンリー"));
        QCOMPARE(channelText(3, 4), QStringLiteral("ch 21"));
        QCOMPARE(openTabQuestion(1),
                 QStringLiteral("各種初期値の設定メニューを表示します\n通常は設定を変更しないでください"));
    }

    void extendedEntriesBecomeRegisterBytes()
    {
        ExtendedEntries e;
        e.values.ThresholdMax = 9000;
        e.values.OutPeakLEDK = -150;
        e.noiseReference = 0x1234;
        QCOMPARE(entryRegisterBytes(e, 1), (RegisterBytes{0, 0, 0x23, 0x28}));
        QCOMPARE(entryRegisterBytes(e, 5), (RegisterBytes{0, 0, 0, 150}));
        QCOMPARE(entryRegisterBytes(e, 12), (RegisterBytes{0x12, 0x34, 0x12, 0x34}));
        // Without a master window the extended write sends ExtendedData as it is.
        ExtendedRecord master;
        master.Noise_Detection_Reference = 5;
        const EditorExtendedSource none([] { return std::nullopt; }, master);
        QCOMPARE(none.registerBytes(12), noiseEntryBytes(noiseEntryFromField(5)));
        QCOMPARE(none.registerBytes(1), (RegisterBytes{0, 0, 0x3F, 0xFF}));
    }

    // A group asked to be written waits at once, with what the entries hold
    // once the user has taken note; the noise fields wait with their 32-bit
    // values. Initialising addresses the window's own mixer.
    void groupRequestsOfOneWindow()
    {
        Records r;
        JobQueue jobs;
        QueuedEditorJobs editorJobs(jobs);
        ScriptedDialogs dialogs;
        EditorRequests requests({r.mixers, r.editor, r.sync}, editorJobs, dialogs, 2);
        ExtendedEntries e;
        e.values.Noise_Detection = 1;
        e.values.Hold_Time2 = 40;
        e.noiseReference = 0x1234;
        e.noiseThreshold = 0x42;
        size_t notesBefore = 99;
        requests.writeGroup(3, [&] {
            notesBefore = dialogs.shown.size();
            return e;
        });
        QCOMPARE(notesBefore, size_t(1));
        QVERIFY(jobs.waiting(JobKind::ExtendedWrite));
        const auto &writes = r.mixers.ExtendedWrite;
        for (auto [reg, value] : std::vector<std::pair<int, int>>{{11, 1}, {12, 0x1234}, {13, 0x42}, {16, 40}}) {
            QCOMPARE(writes[size_t(reg)].state, ValueState::Waiting);
            QCOMPARE(writes[size_t(reg)].value, value);
        }
        QCOMPARE(writes[1].state, ValueState::Settled); // another group's

        jobs.clear();
        requests.initialise(InitAllChannels);
        const std::optional<JobWork> asked = jobs.first([](const JobWork &) { return true; });
        QVERIFY(asked && asked->kind == JobKind::Initialise);
        QCOMPARE(asked->mixer, 2);
        QCOMPARE(asked->target, InitAllChannels);
    }

    // Opening and closing an editor, without the window.
    void editorOpenAndClose()
    {
        Records r;
        JobQueue jobs;
        QueuedEditorJobs editorJobs(jobs);
        int drains = 0;
        jobs.setDrain([&] { ++drains; });
        r.sync.freshData[2] = r.sync.freshThresholds[2] = false;
        r.mixers.ExtendedData[1].MuteK = 33;
        EditorLifecycle slave({r.mixers, r.editor, r.sync}, editorJobs);

        // The first window of a mixer: fresh values, the master's extended
        // registers until its own are read, the read asked for.
        slave.opened(2);
        QVERIFY(r.mixers.EditorOpen[2] && r.mixers.openEditorCount() == 1);
        QVERIFY(r.sync.freshData[2] && r.sync.freshThresholds[2]);
        QCOMPARE(r.mixers.ExtendedData[2].MuteK, 33);
        QVERIFY(jobs.waiting(JobKind::ExtendedRead));
        QCOMPARE(drains, 1);
        // Opened again while open: no second read.
        jobs.clear();
        r.mixers.ExtendedData[2].MuteK = 5;
        slave.opened(2);
        QVERIFY(jobs.empty());
        QCOMPARE(r.mixers.ExtendedData[2].MuteK, 5);

        // Closing takes back only an editor's own requests; registers that
        // waited for a withdrawn write no longer wait.
        jobs.request(JobWork::extendedWrite(0));
        r.mixers.ExtendedWrite[2] = ValueStatus{ValueState::Waiting, 0, 7, 0};
        slave.closed(2);
        QVERIFY(!r.mixers.EditorOpen[2]);
        QVERIFY(jobs.empty());
        QCOMPARE(r.mixers.ExtendedWrite[2].state, ValueState::Settled);
        QVERIFY(!r.sync.received);
        slave.opened(2);
        jobs.request(JobWork::of(JobKind::IpSettings));
        r.mixers.ExtendedWrite[2] = ValueStatus{ValueState::Waiting, 0, 7, 0};
        slave.closed(2);
        QVERIFY(jobs.waiting(JobKind::IpSettings) && !jobs.waiting(JobKind::ExtendedRead));
        QCOMPARE(r.mixers.ExtendedWrite[2].state, ValueState::Waiting);
        QCOMPARE(r.mixers.openEditorCount(), 0);
    }
};

ZK_TEST_MAIN(TestMixerEdits)
#include "tst_mixeredits.moc"
