// The one way a value is written (SyncStatus::submit) and how windows hear
// of the mixer's values without a timer (SyncEvents, SyncFollower), against
// the virtual mixer on virtual time.

#include "syncrig.h"

#include "mixer/syncfollower.h"
#include "tests/support/testmain.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const int Gain3 = channelKeyId(ChannelFamily::InputGain, 3);

// Two mixers whose records hold what they report, both freshly read, after
// a run that failed on a stuck KeyLock: the pass count stands at eleven.
std::unique_ptr<SyncRig> afterAFailedRun()
{
    SimOptions options;
    options.mixers = 2;
    SimStuck stuck;
    stuck.mixer = 1;
    stuck.keyId = MixerKey::KeyLock;
    stuck.value = 1;
    options.stuck << stuck;
    auto rig = std::make_unique<SyncRig>(std::move(options));
    rig->loop.StartupPolls = 0;
    rig->sync->readAll(10);
    rig->sync->submit(1, MixerKey::KeyLock, 0, Submit::Copy);
    rig->sync->writePending();
    rig->sync->editorOpened(1);
    rig->sync->editorOpened(2);
    return rig;
}

} // namespace

class TstSubmit : public QObject
{
    Q_OBJECT
private slots:
    // An edit is marked where it differs, with the reply awaited and the
    // passes restarted; one the mixer already holds is only stored.
    void anEditIsMarkedWhereItDiffers()
    {
        auto rig = afterAFailedRun();
        QCOMPARE(rig->sync->passCount(), 11);
        QSignalSpy told(&rig->sync->events(), &SyncEvents::valuesSubmitted);
        const qint32 held = rig->mixers.MixerData[2].value(Gain3);

        // What the mixer holds, also as a code the record keeps only the low byte of.
        QVERIFY(!rig->sync->submit(2, Gain3, held));
        QVERIFY(!rig->sync->submit(2, Gain3, held + 256));
        QVERIFY(!rig->mixers.waiting(2, Gain3));
        QCOMPARE(rig->sync->passCount(), 11);
        QVERIFY(rig->sync->dataFresh(2));
        QCOMPARE(told.count(), 0);

        QVERIFY(rig->sync->submit(2, Gain3, held + 1));
        QCOMPARE(rig->mixers.MixerSetData[2].value(Gain3), held + 1);
        QVERIFY(rig->mixers.waiting(2, Gain3));
        QCOMPARE(rig->sync->valueStatus(2, Gain3).state, ValueState::Waiting);
        QCOMPARE(rig->sync->passCount(), 0);
        QVERIFY(!rig->sync->dataFresh(2));
        QVERIFY(rig->sync->thresholdsFresh(2));
        QVERIFY(rig->sync->dataFresh(1));
        QCOMPARE(told.count(), 1);
        QCOMPARE(told.at(0).at(0).toInt(), 2);

        // The same value again: the mark stays.
        QVERIFY(rig->sync->submit(2, Gain3, held + 1));
        QVERIFY(rig->mixers.waiting(2, Gain3));

        // A threshold awaits the threshold reply, not the data.
        rig->sync->editorOpened(2);
        QVERIFY(rig->sync->submit(2, MixerKey::Threshold, rig->mixers.MixerData[2].Threshold + 10));
        QVERIFY(rig->sync->dataFresh(2));
        QVERIFY(!rig->sync->thresholdsFresh(2));

        // Nothing outside the mixers and keys is stored.
        QVERIFY(!rig->sync->submit(0, Gain3, 1));
        QVERIFY(!rig->sync->submit(17, Gain3, 1));
        QVERIFY(!rig->sync->submit(1, 0, 1, Submit::Copy));
        QVERIFY(!rig->sync->submit(1, PendingFlagCount, 1, Submit::Copy));
        QVERIFY(!rig->mixers.anyPending(1));
    }

    // A copy is marked as given and awaits nothing; a set of values is
    // marked value by value as an edit, whole when judged changed, not at
    // all when judged unchanged.
    void copiesAndSets()
    {
        auto rig = afterAFailedRun();
        const qint32 held = rig->mixers.MixerData[2].value(Gain3);
        QVERIFY(rig->sync->submit(2, Gain3, held, Submit::Copy));
        QVERIFY(rig->mixers.waiting(2, Gain3));
        QVERIFY(rig->sync->dataFresh(2));
        QCOMPARE(rig->sync->passCount(), 0);
        rig->mixers.clearPending();

        const MixerDataRecord &own = rig->mixers.MixerData[1];
        const int prio1 = channelKeyId(ChannelFamily::Priority, 1);
        const int prio2 = channelKeyId(ChannelFamily::Priority, 2);
        const ValueSet setting{{prio1, own.value(prio1)}, {prio2, own.value(prio2) ^ 1},
                               {MixerKey::OnlyType, own.value(MixerKey::OnlyType)}};
        QVERIFY(rig->sync->submit(1, setting));
        QVERIFY(rig->mixers.waiting(1, prio2));
        QVERIFY(!rig->mixers.waiting(1, prio1) && !rig->mixers.waiting(1, MixerKey::OnlyType));
        QVERIFY(!rig->sync->dataFresh(1));

        rig->mixers.clearPending();
        rig->sync->editorOpened(1);
        QVERIFY(!rig->sync->submit(1, setting, Submit::Unchanged));
        QCOMPARE(rig->mixers.MixerSetData[1].value(prio2), own.value(prio2) ^ 1);
        QVERIFY(!rig->mixers.anyPending(1));
        QVERIFY(rig->sync->dataFresh(1));

        QVERIFY(rig->sync->submit(1, setting, Submit::Changed));
        for (const KeyValue &v : setting)
            QVERIFY(rig->mixers.waiting(1, v.key));
        QVERIFY(!rig->sync->dataFresh(1));
        QVERIFY(rig->sync->thresholdsFresh(1));
    }

    // The window's follower is called once, on the next turn of the event
    // loop, when the data asked for after an edit arrives; no timer runs.
    void aWindowHearsThatDataArrived()
    {
        auto rig = afterAFailedRun();
        int calls = 0;
        QObject window;
        SyncFollower follower(rig->sync->events(), 2, [&] { ++calls; }, &window);
        rig->sync->submit(2, Gain3, rig->mixers.MixerData[2].value(Gain3) + 1, Submit::Copy);
        QCoreApplication::processEvents();
        QCOMPARE(calls, 0); // not started: the window shows what it opened on first

        follower.start();
        QVERIFY(rig->sync->submit(2, Gain3, rig->mixers.MixerData[2].value(Gain3) + 2));
        QVERIFY(rig->sync->submit(2, Gain3, rig->mixers.MixerData[2].value(Gain3) + 3));
        QVERIFY(rig->sync->submit(1, Gain3, rig->mixers.MixerData[1].value(Gain3) + 2));
        QCOMPARE(calls, 0); // never inside the edit, and once for a burst
        QCoreApplication::processEvents();
        QCOMPARE(calls, 1);

        QSignalSpy arrived(&rig->sync->events(), &SyncEvents::dataArrived);
        QSignalSpy thresholds(&rig->sync->events(), &SyncEvents::thresholdsArrived);
        rig->mixers.clearPending();
        rig->sync->startPollWith(PollData);
        rig->sync->poll(); // asks for the data
        QVERIFY(!rig->sync->dataFresh(2));
        QCOMPARE(arrived.count(), 0);
        rig->sync->poll(); // decodes it
        QVERIFY(rig->sync->dataFresh(2));
        QCOMPARE(arrived.count(), 2);
        QCOMPARE(arrived.at(1).at(0).toInt(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(calls, 2);
        rig->sync->poll(); // the ambient level: nothing new arrives
        QCOMPARE(arrived.count(), 2);
        QCOMPARE(thresholds.count(), 0);
        rig->sync->poll(); // the thresholds asked for with it arrive
        QCOMPARE(thresholds.count(), 2);
        QCOMPARE(arrived.count(), 2);
    }
};

ZK_TEST_GUILESS_MAIN(TstSubmit)
#include "tst_submit.moc"
