// Writing with verification on virtual time against the virtual mixer: the
// pass count, the resend of reported values, the rules that clear flags
// without comparing, and convergence on a link that loses replies.

#include "syncrig.h"

#include "base/strings.h"
#include "mixer/setfailure.h"
#include "tests/support/testmain.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

SimStuck stuck(int mixer, int keyId, qint64 value)
{
    SimStuck s;
    s.mixer = mixer;
    s.keyId = keyId;
    s.value = value;
    return s;
}

// Writes only (DS and TS), in order.
QList<QByteArray> writes(const SyncRig &rig)
{
    QList<QByteArray> out;
    for (const QByteArray &r : rig.transport->sent)
        if (r.startsWith("DS") || r.startsWith("TS"))
            out << r;
    return out;
}

bool nothingPending(const MixerState &mixers)
{
    for (int m = 1; m <= MaxMixers; ++m)
        if (mixers.anyPending(m))
            return false;
    return true;
}

// A rig whose records already hold what the chain reports.
std::unique_ptr<SyncRig> connected(SimOptions options)
{
    auto rig = std::make_unique<SyncRig>(std::move(options));
    rig->sync->readAll(10);
    rig->forget();
    return rig;
}

} // namespace

class TstSetData : public QObject
{
    Q_OBJECT
private slots:
    void oneChangedValueOnePass();
    void valueThatDoesNotTake_data();
    void valueThatDoesNotTake();
    void thresholdsNotCompared_data();
    void thresholdsNotCompared();
    void valuesNotComparedForSlaves();
    void phantomWithInputLevelOff();
    void phantomOffWithLevelOffNeedsNoCompare();
    void unlinkedMixersAreDroppedAfterOneSend();
    void changedMixerCount_data();
    void changedMixerCount();
    void mixerMissingFromTheReadBackIsNotVerified();
    void editsDuringTheWaitsJoinTheNextPass();
    void hundredEditsConvergeDespiteLostReplies();
    void sendParameterWaitsWithoutAReply();
    void closingTheLinkEndsTheRunAtOnce();
    void withTheConnectionDownWhatWaitsFailsAtOnce();
    void aValueGetsElevenPassesWhateverTheEditsAround();
    void loadWritesOnlyWhatDiffers();
};

void TstSetData::oneChangedValueOnePass()
{
    auto rig = connected(simOptions(2));
    rig->sync->submit(2, channelKeyId(ChannelFamily::InputGain, 3), 40, Submit::Copy);
    QVERIFY(rig->sync->pendingValues());
    QCOMPARE(rig->sync->valueStatus(2, 43).state, ValueState::Waiting);
    // The poll finds it and holds back its own request; the flush sends it,
    // and the poll starts again with the data request.
    rig->sync->startPollWith(PollAmbient);
    rig->sync->poll();
    QVERIFY(rig->sync->flushDue());
    QVERIFY(rig->transport->sent.isEmpty());
    QVERIFY(rig->sync->flush());
    QVERIFY(!rig->sync->flushDue());
    QCOMPARE(rig->sync->pollState().nextRequest(), PollData);
    QCOMPARE(rig->sync->valueStatus(2, 43).state, ValueState::Verified);
    QCOMPARE(rig->sync->valueStatus(2, 43).value, 40);
    // The records show the verified value at once: a save before the next
    // poll writes it, not the older one.
    QCOMPARE(int(rig->mixers.MixerData[2].InputGain(3)), 40);
    QCOMPARE(writes(*rig), QList<QByteArray>{bytes({'D', 'S', 2, 43, 40})});
    QCOMPARE(rig->sent("TR").size(), 1);
    QCOMPARE(rig->sent("DR").size(), 1);
    QVERIFY(nothingPending(rig->mixers));
    QCOMPARE(rig->sync->lastOutcome().passes, 1);
    QCOMPARE(rig->chain->blockByte(2, 43), 40);

    // Nothing flagged: nothing sent, still read back once.
    rig->forget();
    QVERIFY(!rig->sync->writePending());
    QVERIFY(writes(*rig).isEmpty());
}

void TstSetData::valueThatDoesNotTake_data()
{
    QTest::addColumn<int>("keyId");
    QTest::addColumn<QByteArray>("wanted");
    QTest::addColumn<QByteArray>("reported");
    QTest::newRow("KeyLock") << 84 << bytes({'D', 'S', 1, 84, 0}) << bytes({'D', 'S', 1, 84, 1});
    QTest::newRow("Threshold") << 85 << bytes({'T', 'S', 1, 0x01, 0x2C}) << bytes({'T', 'S', 1, 0x00, 0x01});
}

void TstSetData::valueThatDoesNotTake()
{
    QFETCH(int, keyId);
    QFETCH(QByteArray, wanted);
    QFETCH(QByteArray, reported);
    auto rig = connected(simOptions(1, [&](SimOptions &o) { o.stuck << stuck(1, keyId, 1); }));
    rig->sync->submit(1, keyId, keyId == 85 ? 300 : 0, Submit::Copy);
    rig->sync->submit(1, 43, 12, Submit::Copy); // takes at once, yet is resent with the failing one
    const double start = rig->clock.now();
    QList<QPair<int, ValueState>> changes; // key id and the state it changed to
    QObject::connect(&rig->sync->events(), &SyncEvents::valueStateChanged, [&](int mixer, int id) {
        QCOMPARE(mixer, 1);
        changes << qMakePair(id, rig->sync->valueStatus(mixer, id).state);
    });
    QVERIFY(rig->sync->writePending());
    const SetDataOutcome &outcome = rig->sync->lastOutcome();
    QCOMPARE(outcome.passes, 11);
    QVERIFY(outcome.gaveUp);
    QVERIFY(!outcome.verified);
    QCOMPARE(rig->sync->passCount(), 11);

    // Both were announced waiting; the one that took is verified, the other
    // stays failed with the value it was meant to have until dismissed.
    QCOMPARE(changes, (QList<QPair<int, ValueState>>{{43, ValueState::Waiting}, {keyId, ValueState::Waiting},
                                                      {43, ValueState::Verified}, {keyId, ValueState::Failed}}));
    const ValueStatus failed = rig->sync->valueStatus(1, keyId);
    QCOMPARE(failed.value, keyId == 85 ? 300 : 0);
    QCOMPARE(failed.passes, 11);
    QVERIFY(failed.at > start);
    rig->sync->dismissFailure(1, 43); // only failures are dismissed
    QCOMPARE(rig->sync->valueStatus(1, 43).state, ValueState::Verified);
    rig->sync->dismissFailure(1, keyId);
    QCOMPARE(rig->sync->valueStatus(1, keyId).state, ValueState::Settled);

    // Every pass sends the wanted value; the sixth pass (count 5) also writes
    // back what the mixer reported, after its read-back.
    QList<QByteArray> expected;
    for (int pass = 0; pass <= 10; ++pass) {
        if (pass == 0)
            expected << bytes({'D', 'S', 1, 43, 12});
        expected << wanted;
        if (pass == 5)
            expected << reported;
    }
    QCOMPARE(writes(*rig), expected);

    QCOMPARE(rig->dialogs.shown.size(), size_t(1));
    // It names the value that failed, its mixer and why; not the one that took.
    QCOMPARE(rig->dialogs.shown[0].text, str(StrId::SetFailed) + "\nマスター " + valueName(keyId)
                                             + ": ミキサーは元の値のままです");
    QCOMPARE(rig->dialogs.shown[0].icon, MsgIcon::Warning);
    QVERIFY(nothingPending(rig->mixers));
    QCOMPARE(rig->mixers.MixerSetData[1].value(keyId), keyId == 85 ? 300 : 0); // kept, not resent
    // Eleven pauses of 0.5 s after the passes, plus 0.06 s after each of 13 writes.
    QVERIFY2(rig->clock.now() - start >= 11 * 0.5 + 13 * 0.06 - 1e-6, qPrintable(QString::number(rig->clock.now() - start)));
}

void TstSetData::thresholdsNotCompared_data()
{
    QTest::addColumn<int>("mixer");
    QTest::addColumn<int>("thresholdAction");
    QTest::addColumn<int>("thresholdUnit");
    QTest::newRow("thresholds off") << 1 << 0 << 0;
    QTest::newRow("slave follows the master") << 2 << 1 << 1;
}

void TstSetData::thresholdsNotCompared()
{
    QFETCH(int, mixer);
    QFETCH(int, thresholdAction);
    QFETCH(int, thresholdUnit);
    auto rig = connected(simOptions(2, [&](SimOptions &o) { o.stuck << stuck(mixer, 85, 500); }));
    rig->mixers.MixerSetData[1].ThresholdAction() = quint8(thresholdAction);
    rig->mixers.MixerSetData[1].ThresholdUnit() = quint8(thresholdUnit);
    rig->sync->submit(mixer, MixerKey::Threshold, 200, Submit::Copy);
    QVERIFY(rig->sync->writePending());
    QCOMPARE(writes(*rig), QList<QByteArray>{bytes({'T', 'S', mixer, 0, 200})});
    QCOMPARE(rig->sync->lastOutcome().passes, 1);
    QVERIFY(nothingPending(rig->mixers));
    QVERIFY(rig->dialogs.shown.empty());
}

void TstSetData::valuesNotComparedForSlaves()
{
    // A slave's gate values and every Priority but the master's channel 1
    // read back as whatever the mixer holds.
    auto rig = connected(simOptions(2, [](SimOptions &o) {
        o.stuck << stuck(2, MixerKey::KeyLock, 1) << stuck(1, channelKeyId(ChannelFamily::Priority, 3), 1);
    }));
    rig->sync->submit(2, MixerKey::KeyLock, 0, Submit::Copy);
    rig->sync->submit(1, channelKeyId(ChannelFamily::Priority, 3), 0, Submit::Copy);
    rig->sync->submit(2, channelKeyId(ChannelFamily::Priority, 1), 0, Submit::Copy);
    QVERIFY(rig->sync->writePending());
    QCOMPARE(writes(*rig), (QList<QByteArray>{bytes({'D', 'S', 2, 49, 0}), bytes({'D', 'S', 2, 84, 0})}));
    QCOMPARE(rig->sync->lastOutcome().passes, 1);
    QVERIFY(nothingPending(rig->mixers));

    // The master's own gate values are compared.
    auto master = connected(simOptions(1, [](SimOptions &o) { o.stuck << stuck(1, MixerKey::KeyLock, 1); }));
    master->sync->submit(1, MixerKey::KeyLock, 0, Submit::Copy);
    master->sync->writePending();
    QVERIFY(master->sync->lastOutcome().gaveUp);
}

void TstSetData::phantomWithInputLevelOff()
{
    const int phantom2 = channelKeyId(ChannelFamily::Phantom, 2);
    SyncRig plain(simOptions(1, [&](SimOptions &o) { o.stuck << stuck(1, phantom2, 1); }));
    plain.chain->setBlockByte(1, 2, 0); // input 2 off
    plain.sync->readAll();
    plain.forget();
    plain.sync->submit(1, phantom2, 0, Submit::Copy);
    plain.sync->writePending();

    QList<QByteArray> expected;
    for (int pass = 0; pass <= 10; ++pass) {
        if (pass == 6)
            expected << bytes({'D', 'S', 1, 2, 0}); // the input level goes back to off
        expected << bytes({'D', 'S', 1, 10, 0});
        if (pass == 5)
            expected << bytes({'D', 'S', 1, 2, 1}) << bytes({'D', 'S', 1, 10, 1});
    }
    QCOMPARE(writes(plain), expected);
    QCOMPARE(plain.chain->blockByte(1, 2), 0);
    QVERIFY(nothingPending(plain.mixers));
}

void TstSetData::phantomOffWithLevelOffNeedsNoCompare()
{
    // With the input off the mixer reports phantom 0 whatever was asked.
    const int phantom4 = channelKeyId(ChannelFamily::Phantom, 4);
    SyncRig rig(simOptions(1, [&](SimOptions &o) { o.stuck << stuck(1, phantom4, 0); }));
    rig.chain->setBlockByte(1, 4, 0);
    rig.sync->readAll();
    rig.sync->submit(1, phantom4, 1, Submit::Copy);
    QVERIFY(rig.sync->writePending());
    QCOMPARE(rig.sync->lastOutcome().passes, 1);
    QVERIFY(nothingPending(rig.mixers));
}

void TstSetData::unlinkedMixersAreDroppedAfterOneSend()
{
    SyncRig rig(simOptions(1));
    QCOMPARE(rig.mixers.MixerCount, 0); // nothing heard yet
    rig.sync->submit(1, 43, 7, Submit::Copy);
    rig.sync->submit(2, 43, 7, Submit::Copy);
    rig.sync->submit(16, MixerKey::Threshold, 7, Submit::Copy);
    QVERIFY(rig.sync->writePending());
    // Mixer 1 is sent and the pass ends; nothing beyond it is sent, and no
    // flag is left to bring the poll back here.
    QCOMPARE(writes(rig), QList<QByteArray>{bytes({'D', 'S', 1, 43, 7})});
    QVERIFY(nothingPending(rig.mixers));
    QVERIFY(!rig.sync->pendingValues());
    QCOMPARE(rig.chain->blockByte(1, 43), 7);
}

void TstSetData::changedMixerCount_data()
{
    QTest::addColumn<bool>("flapping");
    QTest::newRow("a third mixer linked during the third pass") << false;
    QTest::newRow("a loose cable: the third mixer comes and goes") << true;
}

void TstSetData::changedMixerCount()
{
    QFETCH(bool, flapping);
    SyncRig rig(simOptions(2, [](SimOptions &o) { o.stuck << stuck(1, 84, 1); }));
    rig.sync->readAll();
    SimOptions three = simOptions(3);
    three.stuck << stuck(1, 84, 1);
    SimChain longer(three);
    int thresholdReads = 0;
    rig.script = [&](const QByteArray &rq) {
        if (rq.startsWith("TR"))
            ++thresholdReads;
        // Flapping goes on for a long while, so a run without a limit would
        // still end, only much later.
        const bool third = flapping ? thresholdReads < 400 && thresholdReads % 2 : thresholdReads >= 3;
        SimChain &chain = third ? longer : *rig.chain;
        const QByteArray r = chain.handle(rq);
        return r.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{r};
    };
    rig.sync->submit(1, 84, 0, Submit::Copy);
    rig.sync->writePending();
    const SetDataOutcome &outcome = rig.sync->lastOutcome();
    QCOMPARE(rig.dialogs.shown.size(), size_t(1));
    if (!flapping) {
        // The passes start again once, when the count changed.
        QCOMPARE(outcome.passes, 3 + 10);
        return;
    }
    QCOMPARE(outcome.passes, SetData::PassLimit);
    QVERIFY(outcome.gaveUp);
    QVERIFY(nothingPending(rig.mixers));
}

void TstSetData::mixerMissingFromTheReadBackIsNotVerified()
{
    auto rig = connected(simOptions(2));
    rig->mixers.MixerCount = 3; // counted before the third mixer went away
    rig->sync->submit(3, 43, 9, Submit::Copy);
    // What an earlier, longer reply left in the link's receive buffer where
    // mixer 3's value would be must not pass for it.
    QByteArray longer(3 + 84 * 3, '\0');
    longer[0] = 'D';
    longer[1] = 'R';
    longer[3 + 84 * 2 + 42] = 9;
    rig->transport->queue(longer);
    QCOMPARE(rig->comm->receive().at(3 + 84 * 2 + 42), char(9));
    int count = -1;
    QVERIFY(!SetData(*rig->comm, rig->mixers).DataVerify(count, false));
    QCOMPARE(count, 2);
    QVERIFY(rig->mixers.waiting(3, 43));
}

void TstSetData::editsDuringTheWaitsJoinTheNextPass()
{
    auto rig = connected(simOptions(1, [](SimOptions &o) { o.stuck << stuck(1, 84, 1); }));
    rig->sync->submit(1, 84, 0, Submit::Copy);
    bool edited = false;
    rig->clock.setOnWait([&] {
        // The user types while the first pass waits.
        if (!edited && rig->sent("DR").size() == 1) {
            edited = true;
            rig->sync->submit(1, 42, 33, Submit::Copy);
        }
    });
    rig->sync->writePending();
    QVERIFY(edited);
    QCOMPARE(rig->chain->blockByte(1, 42), 33);
    QCOMPARE(rig->sent("DS").count(bytes({'D', 'S', 1, 42, 33})), 1);
}

void TstSetData::hundredEditsConvergeDespiteLostReplies()
{
    SimOptions options = simOptions(3, [](SimOptions &o) {
        o.dropProbability = 0.1;
        o.seed = 7;
    });
    SyncRig rig(options);
    QVERIFY(rig.sync->readAll(10));
    QCOMPARE(rig.mixers.MixerCount, 3);
    QRandomGenerator random(11);
    // Values the read-back compares on every mixer: channel families other
    // than Phantom and Priority, the output values, the threshold.
    QList<int> keys;
    for (ChannelFamily f : {ChannelFamily::InputLevel, ChannelFamily::HeadAmp, ChannelFamily::LowCutFil,
                            ChannelFamily::ThresholdObj, ChannelFamily::InputGain, ChannelFamily::RemoteOn,
                            ChannelFamily::RemoteOff})
        for (int n = 1; n <= 8; ++n)
            keys << channelKeyId(f, n);
    keys << MixerKey::OutputLevel << MixerKey::OutputGain << MixerKey::MuteChange << MixerKey::MuteAtt
         << MixerKey::Threshold;
    int passes = 0;
    for (int edit = 0; edit < 100; ++edit) {
        const int mixer = random.bounded(1, 4);
        const int key = keys[random.bounded(int(keys.size()))];
        const int value = key == MixerKey::Threshold ? random.bounded(0, 32768) : random.bounded(0, 256);
        rig.sync->submit(mixer, key, value, Submit::Copy);
        QVERIFY(rig.sync->writePending());
        const SetDataOutcome &o = rig.sync->lastOutcome();
        QVERIFY2(o.verified, qPrintable(QStringLiteral("edit %1: mixer %2 key %3").arg(edit).arg(mixer).arg(key)));
        passes += o.passes;
        const int held = key == MixerKey::Threshold ? rig.chain->threshold(mixer) : rig.chain->blockByte(mixer, key);
        QCOMPARE(held, value);
        // Lost read-backs along the way still end with the value verified.
        QCOMPARE(rig.sync->valueStatus(mixer, key).state, ValueState::Verified);
    }
    QVERIFY(rig.dialogs.shown.empty());
    QVERIFY(passes > 100); // some read-backs were lost and repeated
}

void TstSetData::sendParameterWaitsWithoutAReply()
{
    SyncRig rig(simOptions(1));
    rig.script = [](const QByteArray &) { return QList<QByteArray>{}; };
    SetData setData(*rig.comm, rig.mixers);
    double start = rig.clock.now();
    setData.SendParameter(WriteKind::Parameter, 5, 43, 1);
    QVERIFY(rig.clock.now() - start > 0.8 + 0.06 - 1e-9);
    QCOMPARE(rig.transport->sent, QList<QByteArray>{bytes({'D', 'S', 1, 43, 5})});
    // A value outside the kinds sends nothing but waits the same.
    start = rig.clock.now();
    setData.SendParameter(WriteKind(2), 5, 43, 1);
    QVERIFY(rig.clock.now() - start > 0.8 + 0.06 - 1e-9);
    QCOMPARE(rig.transport->sent.size(), 1);
}

void TstSetData::closingTheLinkEndsTheRunAtOnce()
{
    // The program ends (its main window closes) during a run that would
    // otherwise go on for eleven passes: the run stops where it is and says
    // nothing, since there is no window left to say it in.
    auto rig = connected(simOptions(1, [](SimOptions &o) { o.stuck << stuck(1, 84, 1); }));
    rig->sync->submit(1, 84, 0, Submit::Copy);
    const double start = rig->clock.now();
    rig->clock.setOnWait([&] {
        if (rig->clock.now() - start > 1.0 && !rig->comm->closed())
            rig->comm->CommClose();
    });
    rig->sync->writePending();
    rig->clock.setOnWait(nullptr);
    const SetDataOutcome &outcome = rig->sync->lastOutcome();
    QCOMPARE_LT(outcome.passes, 4);
    QVERIFY(!outcome.gaveUp);
    QVERIFY(rig->dialogs.shown.empty());
    QVERIFY2(rig->clock.now() - start < 1.5, qPrintable(QString::number(rig->clock.now() - start)));
}

void TstSetData::withTheConnectionDownWhatWaitsFailsAtOnce()
{
    // Five values edited after the connection went for good: no pass is
    // tried, the message names the first three and why, and counts the
    // others.
    auto rig = connected(simOptions(2));
    rig->transport->setHealth(LinkHealth::Lost);
    rig->forget();
    for (int id : {41, 42, 43})
        rig->sync->submit(1, id, 30, Submit::Copy);
    rig->sync->submit(2, channelKeyId(ChannelFamily::RemoteOn, 4), 1, Submit::Copy);
    rig->sync->submit(2, MixerKey::Threshold, 200, Submit::Copy);
    const double start = rig->clock.now();
    rig->sync->writePending();
    QVERIFY2(rig->clock.now() - start < 0.1, qPrintable(QString::number(rig->clock.now() - start)));
    QVERIFY(rig->transport->sent.isEmpty());
    QVERIFY(nothingPending(rig->mixers));
    QVERIFY(rig->sync->lastOutcome().gaveUp);
    QCOMPARE(rig->sync->valueStatus(2, MixerKey::Threshold).state, ValueState::Failed);
    const QString down = QStringLiteral(": ミキサーとの接続が切れています");
    QCOMPARE(rig->dialogs.texts(), QStringList{str(StrId::SetFailed) + "\nマスター ch 1 チャンネルレベル" + down
                                               + "\nマスター ch 2 チャンネルレベル" + down
                                               + "\nマスター ch 3 チャンネルレベル" + down + "\nほか 2 件"});
}

void TstSetData::aValueGetsElevenPassesWhateverTheEditsAround()
{
    // KeyLock does not take; meanwhile another value is edited before every
    // read-back, and each edit gives the run its passes again. KeyLock still
    // fails after eleven passes of its own, saying so, and the run goes on
    // for the others.
    auto rig = connected(simOptions(1, [](SimOptions &o) { o.stuck << stuck(1, 84, 1); }));
    rig->sync->submit(1, 84, 0, Submit::Copy);
    int edits = 0;
    rig->script = [&](const QByteArray &rq) {
        if (rq.startsWith("TR") && edits < 15) {
            ++edits;
            rig->sync->submit(1, channelKeyId(ChannelFamily::InputGain, 1 + edits % 8), 20 + edits, Submit::Copy);
        }
        const QByteArray r = rig->chain->handle(rq);
        return r.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{r};
    };
    rig->sync->writePending();
    const ValueStatus keyLock = rig->sync->valueStatus(1, 84);
    QCOMPARE(keyLock.state, ValueState::Failed);
    QCOMPARE(keyLock.passes, SetData::ValuePassLimit);
    QCOMPARE(rig->sync->valueStatus(1, channelKeyId(ChannelFamily::InputGain, 8)).passes, 1);
    QVERIFY(rig->sync->lastOutcome().passes > SetData::ValuePassLimit);
    QCOMPARE(rig->sent("DS").count(bytes({'D', 'S', 1, 84, 0})), SetData::ValuePassLimit);
    QCOMPARE(rig->dialogs.texts(), QStringList{str(StrId::SetFailed) + "\nマスター キーロック: ミキサーは元の値のままです"});
    QVERIFY(nothingPending(rig->mixers));
}

// A load reads the mixers first and writes only what they do not hold; the
// rest is verified by the same read-back, so a value the mixer changes after
// that read is written in the next pass. A file the mixers hold writes
// nothing; the full load writes every value without reading first.
void TstSetData::loadWritesOnlyWhatDiffers()
{
    auto rig = connected(simOptions(2));
    const auto loadFile = [&](int gain, int threshold) {
        for (int m = 1; m <= 2; ++m)
            for (int id = MixerKey::FirstBlock; id <= MixerKey::Threshold; ++id)
                rig->mixers.takeLoadedValue(m, id, rig->mixers.MixerData[size_t(m)].value(id));
        rig->mixers.takeLoadedValue(2, 43, gain);
        rig->mixers.takeLoadedValue(1, MixerKey::Threshold, threshold);
    };
    const int written = 2 * 78; // per mixer 8 x 8 channel values, Priority_1, 12 single values, the threshold
    const quint8 hold = rig->chain->blockByte(1, MixerKey::HoldTime);
    loadFile(40, 200);
    bool changed = false;
    rig->clock.setOnWait([&] {
        // The mixer's own keys change a held value while the first write is under way.
        if (!changed && !writes(*rig).isEmpty()) {
            changed = true;
            rig->chain->setBlockByte(1, MixerKey::HoldTime, quint8(hold + 1));
        }
    });
    QVERIFY(rig->sync->writeLoaded(SendScope::Differences));
    QCOMPARE(rig->transport->sent.mid(0, 2), (QList<QByteArray>{bytes({'T', 'R', 0xFF}), bytes({'D', 'R', 0xFF})}));
    QCOMPARE(writes(*rig), (QList<QByteArray>{bytes({'T', 'S', 1, 0, 200}), bytes({'D', 'S', 2, 43, 40}),
                                              bytes({'D', 'S', 1, MixerKey::HoldTime, hold})}));
    const SetDataOutcome &o = rig->sync->lastOutcome();
    QVERIFY(o.verified);
    QCOMPARE(o.passes, 2);
    QCOMPARE(o.written, 3);
    QCOMPARE(o.held, written - 3);
    QCOMPARE(rig->chain->blockByte(1, MixerKey::HoldTime), hold);
    QCOMPARE(rig->chain->blockByte(2, 43), quint8(40));
    QVERIFY(nothingPending(rig->mixers));
    // Held: verified without a pass that wrote it; written: the passes it took.
    QCOMPARE(rig->sync->valueStatus(1, 1).state, ValueState::Verified);
    QCOMPARE(rig->sync->valueStatus(1, 1).passes, 0);
    QCOMPARE(rig->sync->valueStatus(1, MixerKey::HoldTime).passes, 2);
    QCOMPARE(rig->sync->valueStatus(2, 43).passes, 1);

    rig->clock.setOnWait({});
    rig->forget();
    loadFile(40, 200);
    QVERIFY(!rig->sync->writeLoaded(SendScope::Differences));
    QVERIFY(writes(*rig).isEmpty());
    QVERIFY(rig->sync->lastOutcome().verified);
    QCOMPARE(rig->sync->lastOutcome().held, written);

    rig->forget();
    loadFile(40, 200);
    QVERIFY(rig->sync->writeLoaded(SendScope::Everything));
    QCOMPARE(rig->transport->sent.first().left(2), QByteArray("DS"));
    QCOMPARE(writes(*rig).size(), written);
    QCOMPARE(rig->sync->lastOutcome().written, written);
    QCOMPARE(rig->sync->lastOutcome().held, 0);
}

ZK_TEST_GUILESS_MAIN(TstSetData)
#include "tst_setdata.moc"
